#!/usr/bin/env bash
# The Ardea reference read, the VAT lines of the busiest customer and the list
# viewer in silent mode over 100,000 rows on the large demo installation:
# each command a whole process (its start and the company's opening
# included) beside the sqlite3 shell replaying the statements the command
# ran, alternately, medians and ratio ranges. Targets: the reference read and
# the list viewer within 1.5x, the VAT lines within 2x (a few milliseconds of
# SQL against the program's start).
set -euo pipefail
source "$(dirname "$0")/large-demo.sh"
source "$(dirname "$0")/measure.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
for measure in tabelle righe rs2list; do
  replay_pairs "$large/db/AR_DEMO.sqlite" "$build/bench/console_bench" "$measure" "$large"
  case "$measure" in
    tabelle) pairs_report "Lettura tabelle Ardea (righe $OURS_ROWS)" 1.5 || failed=1 ;;
    righe) pairs_report "Righe IVA del cliente 000001 ($OURS_ROWS)" 2 || failed=1 ;;
    rs2list) pairs_report "Rs2List silenzioso ($OURS_ROWS righe)" 1.5 || failed=1 ;;
  esac
done
exit "$failed"
