#!/usr/bin/env bash
# The journal totals on the large demo installation (1,000,000 journal VAT
# rows, half of them in 2025 and in Corvina): each command a whole process
# beside the sqlite3 shell replaying the statements it ran, alternately,
# medians and ratio ranges: the Ardea totals (report and result list; then
# with the million-line result list on screen, under 600 MB), the Corvina
# totals and sums of 2025, and the comparison of the sources over 2025 (the
# shell replays the statements of both databases, one after the other; the
# comparison finds the demo's 3 planted differences). Targets: 1.5x the
# shell, 2x with the list on screen (the shell shows nothing).
set -euo pipefail
source "$(dirname "$0")/large-demo.sh"
source "$(dirname "$0")/measure.sh"
ardea_db="$large/db/AR_DEMO.sqlite"
corvina_db="$large/db/Corvina_3.sqlite"
bench="$build/bench/journal_bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$work}" # the window's runtime folder: the owner's only
failed=0

for measure in ardea finestra corvina; do
  db="$ardea_db"
  [ "$measure" = corvina ] && db="$corvina_db"
  replay_pairs "$db" "$bench" "$measure" "$large"
  case "$measure" in
    ardea) pairs_report "Totali PN Ardea (rapporto + lista)" 1.5 || failed=1 ;;
    finestra)
      pairs_report "Totali PN Ardea con la lista a video" 2 || failed=1
      if [ "$OURS_KB" -gt $((600 * 1024)) ]; then
        echo "memoria oltre 600 MB: $((OURS_KB / 1024)) MB" >&2; failed=1
      fi ;;
    corvina) pairs_report "Totali PN Corvina 2025 e somme" 1.5 || failed=1 ;;
  esac
done

TRACE_SECOND=1 trace_statements "$work/sql" "$bench" confronto "$large"
if [ "$OURS_ROWS" != 3 ]; then
  echo "il confronto trova $OURS_ROWS differenze, non le 3 della demo" >&2; exit 1
fi
OURS=("$bench" confronto "$large")
REF=(sh -c 'sqlite3 "$1" <"$2" && sqlite3 "$3" <"$4"' sh "$ardea_db" "$work/sql" "$corvina_db" "$work/sql.2")
pairs
check_replay
pairs_report "Confronto fonti 2025 (differenze $OURS_ROWS)" 1.5 || failed=1
exit "$failed"
