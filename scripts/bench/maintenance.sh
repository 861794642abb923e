#!/usr/bin/env bash
# The maintenance windows on the large demo installation (50,000 articles,
# 2,000,000 stock movements, a million journal VAT rows), each beside the
# sqlite3 shell on the same work (fresh processes, medians, the shell's exit
# status and row count checked), with their targets:
#   settlement register < 3 s; obsolescence search over the 50,000 articles
#   < 10 s and at most twice the shell's set-based query; Stop answered < 0.2 s; stamping 50,000 articles < 30 s; the VAT
#   lines without a nature (about 390,000) < 5 s and < 300 MB.
set -euo pipefail
source "$(dirname "$0")/large-demo.sh"
source "$(dirname "$0")/measure.sh"
company="$large/db/AR_DEMO.sqlite"
corvina="$large/db/Corvina_3.sqlite"
sql=$(mktemp)
trap 'rm -f "$sql"' EXIT
failed=0
ratio_target() { # TITLE RATIO_LIMIT: the program against the shell of the same run
  awk -v t="$1" -v o="$OURS_S" -v s="$SHELL_S" -v l="$2" 'BEGIN {
    r = o / (s > 0.001 ? s : 0.001); ok = r <= l;
    printf "  obiettivo %s: <= %sx la shell (%.2fx): %s\n", t, l, r, ok ? "rispettato" : "NON rispettato"; exit !ok }' || failed=1
}
target() { # TITLE SECONDS_LIMIT [MB_LIMIT]
  awk -v t="$1" -v s="$OURS_S" -v l="$2" -v kb="$OURS_KB" -v m="${3:-0}" 'BEGIN {
    ok = s < l && (m == 0 || kb < m * 1024);
    printf "  obiettivo %s: < %s s%s: %s\n", t, l, (m ? " e < " m " MB" : ""), ok ? "rispettato" : "NON rispettato"; exit !ok }' || failed=1
}
for measure in registro ricerca natura timbra; do
  "$build/bench/maintenance_bench" "$measure" "$large" sql >"$sql"
  ours "$build/bench/maintenance_bench" "$measure" "$large"
  db="$company"
  [ "$measure" = natura ] && db="$corvina"
  shell "$db" "$sql"
  same_rows
  case "$measure" in
    registro) report "Registro liquidazioni"; target "registro" 3 ;;
    ricerca) report "Ricerca articoli da obsolescenza"; target "ricerca" 10; ratio_target "ricerca" 2 ;;
    natura) report "Righe IVA senza natura (2025)"; target "elenco natura" 5 300 ;;
    timbra) report "Obsolescenza su tutti gli articoli"; target "obsolescenza" 30 ;;
  esac
done
ours "$build/bench/maintenance_bench" stop "$large"
printf '%-40s risposta allo Stop in %.3f s (%d articoli esaminati)\n' "Interruzione della ricerca" "$OURS_S" "$OURS_ROWS"
target "Stop" 0.2
exit "$failed"
