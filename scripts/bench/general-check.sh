#!/usr/bin/env bash
# The general fiscal code check over the large demo installation (100,000
# customers and suppliers) with every question's default answer, beside the
# sqlite3 shell replaying the statements the check ran (fresh processes,
# medians; each run on a fresh copy of the company database).
set -euo pipefail
source "$(dirname "$0")/large-demo.sh"
source "$(dirname "$0")/measure.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/general_check_bench" "$large" "$work/statements.sql" >/dev/null
ours "$build/bench/general_check_bench" "$large"
# The replay runs on a fresh copy each time: its corrections change the data.
replay() {
  cp "$large/db/AR_DEMO.sqlite" "$work/AR_DEMO.sqlite"
  /usr/bin/time -f '%e %M' -o "$work/stats" sqlite3 "$work/AR_DEMO.sqlite" <"$work/statements.sql" >/dev/null
  cat "$work/stats"
}
runs=() kbs=()
for ((i = 0; i < RUNS; i++)); do
  read -r s kb < <(replay)
  runs+=("$s"); kbs+=("$kb")
done
SHELL_S=$(printf '%s\n' "${runs[@]}" | median)
SHELL_KB=$(printf '%s\n' "${kbs[@]}" | median)
report "Controllo PI/CF generale (segnalazioni)"
echo "istruzioni rieseguite da sqlite3: $(grep -c ';$' "$work/statements.sql")"
