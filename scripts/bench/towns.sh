#!/usr/bin/env bash
# The town database rebuilt from a LOCALITA.TXT of 10,000 lines (under 3 s)
# beside awk reading the same file (fresh processes, medians, peak memory).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${CORVUTIL_BUILD_DIR:-$root/build}"
bash "$root/scripts/build.sh" >/dev/null
source "$(dirname "$0")/measure.sh"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$build/bench/town_bench" "$folder" prepare
ours "$build/bench/town_bench" "$folder"
REF_NAME=awk
reference awk -F'|' '$1 ~ /[^ _\r]/ { print $1 }' "$folder/LOCALITA.TXT"
same_rows
report "Ricostruzione LOCALITA (10.000 righe)"
if awk -v s="$OURS_S" 'BEGIN { exit !(s >= 3) }'; then echo "ricostruzione oltre 3 s" >&2; exit 1; fi
