#!/usr/bin/env bash
# The legacy archive and the registry on the large demo installation, each
# command a whole process beside its reference, both timed by /usr/bin/time,
# alternately (scripts/bench/measure.sh):
# - the Nembo lists read and the journal totalled ("corvutil esegui
#   nembo-leggi nembo-totali", about 1.5 million journal lines) beside awk
#   reading the same customer and supplier files and summing the same keys:
#   at most 1.5x awk, the same keys in the report as in awk's sums, and a
#   peak memory that does not grow when the journal is twice as long;
# - the Nembo lists alone (about 100,000 customer and supplier lines) beside
#   awk reading the same files: at most 1.5x;
# - the foreign fiscal code fill over the 100,000 subjects beside the sqlite3
#   shell replaying the statements the fill ran, updates included, each run
#   on a fresh copy of the company database: at most 1.5x.
set -euo pipefail
source "$(dirname "$0")/large-demo.sh"
source "$(dirname "$0")/measure.sh"
corvutil="$build/src/app/corvutil"
folder="$large/nembo"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# The keys and sums the report holds: the names from the customer and
# supplier files, the journal's records of kind 1 and 2 summed per key.
totals_awk='
FILENAME ~ /CLI$/ { name[sprintf("%06d", $1) "C"] = $3; next }
FILENAME ~ /FOR$/ { name[sprintf("%06d", $1) "F"] = $3; next }
($8 > "0" && $8 < "3") { k = sprintf("%06d%s", $24, ($23 == "1") ? "C" : "F"); t = $19; v = $18
  gsub(",", ".", t); gsub(",", ".", v); taxable[k] += t; vat[k] += v }
END { for (k in taxable) printf "%s-%s|%.2f|%.2f|%.2f|\n", k, name[k], taxable[k], vat[k], taxable[k] + vat[k] }'
report_keys() { grep -c '^[0-9A-Za-z]*[CF]-' "$1"; }

REF_NAME=awk
OURS=("$corvutil" esegui --home "$large" nembo-leggi nembo-totali)
REF=(awk -F'|' "$totals_awk" "$folder/TR001CLI" "$folder/TR001FOR" "$folder/TR001PRN")
pairs
keys=$(report_keys "$large/PN_nb_001.LOG")
if [ "$keys" != "$SHELL_ROWS" ]; then
  echo "chiavi diverse: il report ne ha $keys, awk $SHELL_ROWS" >&2; exit 1
fi
pairs_report "Totali PN Nembo (liste e totali, chiavi $keys)" 1.5 || failed=1
single_kb="$OURS_KB"
# The same export with the journal written twice: as many keys, twice the lines.
mkdir "$work/doppio"
for f in "$folder"/*; do ln -s "$f" "$work/doppio/"; done
rm "$work/doppio/TR001PRN"
cat "$folder/TR001PRN" "$folder/TR001PRN" >"$work/doppio/TR001PRN"
/usr/bin/time -f '%e %M' -o "$work/stats" "$corvutil" esegui --home "$large" --cartella-nembo "$work/doppio" nembo-leggi nembo-totali >/dev/null
read -r double_s double_kb <"$work/stats"
awk -v a="$single_kb" -v b="$double_kb" -v s="$double_s" 'BEGIN {
  ok = b <= a * 1.1 + 10240;
  printf "  memoria: %.1f MB con %s righe, %.1f MB con il doppio (%.2f s): %s\n", a / 1024, "1,5 milioni di", b / 1024, s,
    ok ? "non cresce con le righe" : "CRESCE con le righe"; exit !ok }' || failed=1
rm -rf "$work/doppio"

# awk builds the same rows: each field trimmed, padded or cut to its column.
lists_awk='
BEGIN { n = split("3 35 13 1 6 16 7 16 31 3 151 1 12 3 4 20 5 20 10 25 118 1 32 1 37 20 38 1 41 1 60 1 75 3 105 1 157 1 131 4", L, " ") }
function col(v, w) { gsub(/^ +| +$/, "", v); return sprintf("%-" w "." w "s|", v) }
{ sub(/\r$/, "") }
!/[^ ]/ { next }
FILENAME ~ /CIV$/ { r = $3; gsub(",", ".", r); print col($1, 3) col($2, 20) sprintf("%6.2f|", r) col($29, 1) col($30, 1) col($32, 1); next }
FILENAME ~ /CAC$/ { if ($14 > "0") print col($1, 3) col($2, 20) col($13, 1) col($14, 1) col($15, 1); next }
{ line = sprintf("%6s%s|", $1, FILENAME ~ /CLI$/ ? "C" : "F"); for (i = 1; i < n; i += 2) line = line col($(L[i]), L[i + 1]); print line }'
OURS=("$build/bench/legacy_bench" lettura "$large")
REF=(awk -F'|' "$lists_awk" "$folder/TR001CIV" "$folder/TR001CAC" "$folder/TR001CLI" "$folder/TR001FOR")
pairs
if ! grep -qx "righe $SHELL_ROWS" "$OURS_OUT"; then
  echo "righe diverse: corvutil $(cat "$OURS_OUT"), awk $SHELL_ROWS" >&2; exit 1
fi
pairs_report "Lettura liste Nembo (righe $SHELL_ROWS)" 1.5 || failed=1

# The fill changes the registry: a work copy of the installation, a fresh
# company database before every run.
work_copy
REF_NAME=sqlite3
PREPARE=fresh_company
replay_pairs "$home/db/AR_DEMO.sqlite" "$build/bench/legacy_bench" esteri "$home"
echo "  istruzioni rieseguite da sqlite3: $(grep -c ';$' "$work/replay.sql") (aggiornamenti $(grep -c '^UPDATE' "$work/replay.sql")), righe $TRACED_ROWS"
pairs_report "Compila CF Estero (righe di rapporto $OURS_ROWS)" 1.5 || failed=1
unset PREPARE
exit "$failed"
