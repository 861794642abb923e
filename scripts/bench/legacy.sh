#!/usr/bin/env bash
# The legacy archive and the registry on the large demo installation, each
# beside its reference in the same run (fresh processes, medians, peak
# memory): the legacy journal totals over the journal file (about 1.5 million
# lines) beside awk summing the same keys (within 3x, peak under 500 MB);
# the Nembo lists read from about 100,000 customer and supplier lines (under
# 2 s) beside awk reading the same files; the foreign fiscal code fill over
# the 100,000 subjects (under 20 s) beside the sqlite3 shell walking the same rows.
set -euo pipefail
source "$(dirname "$0")/large-demo.sh"
source "$(dirname "$0")/measure.sh"
bench="$build/bench/legacy_bench"
folder="$large/nembo"
sql=$(mktemp)
trap 'rm -f "$sql"' EXIT
over() { awk -v v="$1" -v limit="$2" 'BEGIN { exit !(v > limit) }'; }

REF_NAME=awk
ours "$bench" totali "$large"
reference awk -F'|' '($8 > "0" && $8 < "3") { k = sprintf("%06d%s", $24, ($23 == "1") ? "C" : "F"); t = $19; v = $18
  gsub(",", ".", t); gsub(",", ".", v); taxable[k] += t; vat[k] += v }
  END { for (k in taxable) printf "%s %.2f %.2f\n", k, taxable[k], vat[k] }' "$folder/TR001PRN"
same_rows
report "Totali PN Nembo (chiavi)"
if over "$OURS_KB" $((500 * 1024)); then echo "memoria oltre 500 MB: $((OURS_KB / 1024)) MB" >&2; exit 1; fi
if over "$OURS_S" "$(awk -v s="$SHELL_S" 'BEGIN { print 3 * s }')"; then echo "totali Nembo oltre 3 volte awk" >&2; exit 1; fi

ours "$bench" lettura "$large"
reference awk -F'|' 'FILENAME ~ /CAC$/ && !($14 > "0") { next } /[^ \r]/ { print }' \
  "$folder/TR001CIV" "$folder/TR001CAC" "$folder/TR001CLI" "$folder/TR001FOR"
same_rows
report "Lettura liste Nembo (righe)"
if over "$OURS_S" 2; then echo "lettura liste Nembo oltre 2 s" >&2; exit 1; fi

REF_NAME=sqlite3
"$bench" esteri "$large" sql >"$sql"
ours "$bench" esteri "$large"
shell "$large/db/AR_DEMO.sqlite" "$sql"
same_rows
report "Compila CF Estero (soggetti)"
if over "$OURS_S" 20; then echo "compilazione CF Estero oltre 20 s" >&2; exit 1; fi
