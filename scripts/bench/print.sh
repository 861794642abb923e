#!/usr/bin/env bash
# A 100,000-line report (about 1,450 pages) printed to PDF by "corvutil
# stampa", each run in a fresh process: time and peak memory (target: under
# 30 s and 250 MB). Beside it, pdftotext reading the same PDF back (its exit
# status checked, and its text lines equal in number to the report's), and
# awk reading the report. Usage: scripts/bench/print.sh [LINES]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${CORVUTIL_BUILD_DIR:-$root/build}"
lines="${1:-100000}"
bash "$root/scripts/build.sh" >/dev/null
source "$root/scripts/bench/measure.sh"
RUNS="${RUNS:-3}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
report="$work/report.log"
awk -v n="$lines" 'BEGIN { for (i = 1; i <= n; i++)
  printf "*** P.I.      Errata per Codice: C%06d: Ragione sociale di prova %6d ...  P.I.=%011d TROPPO CORTA !! (9)[IT]\r\n", i, i, i * 7 }' >"$report"

# One print: "seconds pages peak_kb".
print_once() {
  local stats
  stats="$(mktemp)"
  rm -f "$work/report.pdf"
  QT_QPA_PLATFORM=offscreen /usr/bin/time -f '%e %M' -o "$stats" \
    "$build/src/app/corvutil" stampa "$report" --pdf "$work/report.pdf" --home "$work/home" >/dev/null 2>&1 ||
    { echo "corvutil stampa: uscita con errore" >&2; exit 1; }
  read -r s kb <"$stats"
  rm -f "$stats"
  echo "$s $(pdfinfo "$work/report.pdf" | awk '/^Pages:/ {print $2}') $kb"
}
ours print_once
pages="$OURS_ROWS"

REF_NAME=pdftotext reference pdftotext -layout -fixed 4.2 "$work/report.pdf" -
printed=$(pdftotext -layout -fixed 4.2 "$work/report.pdf" - | grep -c '[^[:space:]]')
if [ "$printed" != "$lines" ]; then
  echo "righe stampate $printed, righe del report $lines" >&2; exit 1
fi
OURS_ROWS="$lines"
REF_NAME=pdftotext report "stampa PDF $lines righe ($pages pagine)"
REF_NAME=awk reference awk 'END { print NR }' "$report"
REF_NAME=awk report "stampa PDF / lettura awk del report"
awk -v s="$OURS_S" -v kb="$OURS_KB" 'BEGIN { ok = s < 30 && kb < 250 * 1024;
  printf "obiettivo < 30 s e < 250 MB: %s (%.2f s, %.1f MB)\n", ok ? "rispettato" : "NON rispettato", s, kb / 1024; exit !ok }'
