#!/usr/bin/env bash
# The Ardea reference read, the VAT lines of the busiest customer and the list
# viewer in silent mode over 100,000 rows on the large demo installation, each
# beside the sqlite3 shell running the same SQL (fresh processes, medians).
set -euo pipefail
source "$(dirname "$0")/large-demo.sh"
source "$(dirname "$0")/measure.sh"
db="$large/db/AR_DEMO.sqlite"
sql=$(mktemp)
trap 'rm -f "$sql"' EXIT
for measure in tabelle righe rs2list; do
  "$build/bench/console_bench" "$measure" "$large" sql >"$sql"
  ours "$build/bench/console_bench" "$measure" "$large"
  shell "$db" "$sql"
  same_rows
  case "$measure" in
    tabelle) report "Lettura tabelle Ardea" ;;
    righe) report "Righe IVA del cliente 000001" ;;
    rs2list) report "Rs2List silenzioso (100.000 righe)" ;;
  esac
done
