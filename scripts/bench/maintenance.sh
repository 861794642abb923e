#!/usr/bin/env bash
# The maintenance windows' commands on the large demo installation (50,000
# articles, 2,000,000 stock movements, a million journal VAT rows): each a
# whole process beside the sqlite3 shell replaying the statements it ran,
# alternately, medians and ratio ranges. Targets: the settlement register,
# the VAT lines without a nature and the stamping of every article within
# 1.5x the shell, the obsolescence search within 2x (its questions and
# progress between articles); Stop answered within 0.2 s. The stamping runs
# on a work copy of the installation, its company database fresh before
# every run of either side: both commit their updates.
set -euo pipefail
source "$(dirname "$0")/large-demo.sh"
source "$(dirname "$0")/measure.sh"
bench="$build/bench/maintenance_bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

for measure in registro ricerca natura; do
  db="$large/db/AR_DEMO.sqlite"
  [ "$measure" = natura ] && db="$large/db/Corvina_3.sqlite"
  replay_pairs "$db" "$bench" "$measure" "$large"
  case "$measure" in
    registro) pairs_report "Registro liquidazioni (righe $OURS_ROWS)" 1.5 || failed=1 ;;
    ricerca) pairs_report "Ricerca articoli da obsolescenza ($OURS_ROWS)" 2 || failed=1 ;;
    natura) pairs_report "Righe IVA senza natura 2025 ($OURS_ROWS)" 1.5 || failed=1 ;;
  esac
done

work_copy
PREPARE=fresh_company
replay_pairs "$home/db/AR_DEMO.sqlite" "$bench" timbra "$home"
echo "  aggiornamenti rieseguiti da sqlite3: $(grep -c '^UPDATE' "$work/replay.sql")"
pairs_report "Obsolescenza su tutti gli articoli ($OURS_ROWS)" 1.5 || failed=1
unset PREPARE

answers=()
for ((i = 0; i < ${PAIRS:-5}; i++)); do
  answers+=("$("$bench" stop "$large" | awk '{ print $2 }')")
done
answer=$(printf '%s\n' "${answers[@]}" | median)
awk -v s="$answer" 'BEGIN { ok = s < 0.2
  printf "%-40s risposta allo Stop in %.3f s (mediana): %s\n", "Interruzione della ricerca", s, ok ? "entro 0,2 s" : "OLTRE 0,2 s"; exit !ok }' || failed=1
exit "$failed"
