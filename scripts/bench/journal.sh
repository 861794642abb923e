#!/usr/bin/env bash
# The journal totals on the large demo installation (1,000,000 journal VAT
# rows, half of them in 2025 and in Corvina), each beside the sqlite3 shell
# running the same statements (fresh processes, medians, peak memory): the
# Ardea totals (also with the million-line result list on screen), the Corvina
# totals and sums of 2025, the comparison of the sources over 2025.
set -euo pipefail
source "$(dirname "$0")/large-demo.sh"
source "$(dirname "$0")/measure.sh"
ardea_db="$large/db/AR_DEMO.sqlite"
corvina_db="$large/db/Corvina_3.sqlite"
bench="$build/bench/journal_bench"
sql=$(mktemp)
sql2=$(mktemp)
trap 'rm -f "$sql" "$sql2"' EXIT
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

"$bench" ardea "$large" sql >"$sql"
ours "$bench" ardea "$large"
shell "$ardea_db" "$sql"
same_rows
report "Totali PN Ardea (rapporto + lista)"
ours "$bench" finestra "$large"
same_rows
report "Totali PN Ardea con la lista a video"
if [ "$OURS_KB" -gt $((600 * 1024)) ]; then
  echo "memoria oltre 600 MB: $((OURS_KB / 1024)) MB" >&2; exit 1
fi

"$bench" corvina "$large" sql >"$sql"
ours "$bench" corvina "$large"
shell "$corvina_db" "$sql"
same_rows
report "Totali PN Corvina 2025 e somme"

# The comparison reads both databases: the shell runs each statement on its
# own database, and its time is the sum of the two.
"$bench" confronto "$large" sql >"$sql"
"$bench" confronto "$large" sql-corvina >"$sql2"
ours "$bench" confronto "$large"
shell "$corvina_db" "$sql2"
corvina_s="$SHELL_S" corvina_kb="$SHELL_KB"
shell "$ardea_db" "$sql"
SHELL_S=$(awk -v a="$SHELL_S" -v b="$corvina_s" 'BEGIN { print a + b }')
SHELL_KB=$(( SHELL_KB > corvina_kb ? SHELL_KB : corvina_kb ))
if [ "$OURS_ROWS" != 3 ]; then
  echo "il confronto trova $OURS_ROWS differenze, non le 3 della demo" >&2; exit 1
fi
report "Confronto fonti 2025 (differenze)"
if awk -v s="$OURS_S" 'BEGIN { exit !(s >= 10) }'; then
  echo "confronto oltre 10 s: $OURS_S s" >&2; exit 1
fi
