#!/usr/bin/env bash
# The settlements of 2025 compared on the large demo installation:
# "corvutil confronta --liquidazioni", a whole process, against the sqlite3
# shell running the comparison's statements on the two databases, both timed
# whole by /usr/bin/time and run alternately (PAIRS pairs). The program must
# find the demo's 12 periods and its 3 planted differences, and take at most
# 1.5 times the shell.
set -euo pipefail
source "$(dirname "$0")/large-demo.sh"
source "$(dirname "$0")/measure.sh"
ardea_db="$large/db/AR_DEMO.sqlite"
corvina_db="$large/db/Corvina_3.sqlite"
bench="$build/bench/journal_bench"
sql=$(mktemp)
trap 'rm -f "$sql" "${OURS_OUT:-}"' EXIT
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

# The shell reads both databases in one process, as the program does.
{
  echo "ATTACH DATABASE '$corvina_db' AS corvina;"
  "$bench" liquidazioni "$large" sql
  "$bench" liquidazioni "$large" sql-corvina | sed 's/FROM VATSettlement/FROM corvina.VATSettlement/'
} >"$sql"

OURS=("$build/src/app/corvutil" confronta --liquidazioni --home "$large")
OURS_STATUS=1 # the planted differences
REF=(sqlite3 "$ardea_db")
REF_INPUT="$sql"
pairs
report_file=$(head -n 1 "$OURS_OUT")
first=$(head -n 1 "$report_file" | tr -d '\r')
if [ "$first" != "Periodi confrontati : 12 - con differenze : 3" ]; then
  echo "il confronto dice \"$first\", non i 12 periodi e le 3 differenze della demo" >&2; exit 1
fi
if [ "$SHELL_ROWS" -lt 12 ]; then
  echo "il riferimento legge $SHELL_ROWS righe" >&2; exit 1
fi
pairs_report "Confronto liquidazioni 2025" 1.5
