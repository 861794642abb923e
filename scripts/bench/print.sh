#!/usr/bin/env bash
# A 100,000-line report (about 1,450 pages) printed to PDF by "corvutil
# stampa" beside groff and ghostscript typesetting the same lines in a
# fixed-pitch font into a PDF, both whole processes timed by /usr/bin/time,
# alternately, medians and ratio range; every line of the report must come
# back from the program's PDF (pdftotext). Targets: within 1.5x the
# typesetter, and under 30 s and 250 MB. Usage: scripts/bench/print.sh [LINES]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${CORVUTIL_BUILD_DIR:-$root/build}"
lines="${1:-100000}"
bash "$root/scripts/build.sh" >/dev/null
source "$root/scripts/bench/measure.sh"
PAIRS="${PAIRS:-3}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
report="$work/report.log"
awk -v n="$lines" 'BEGIN { for (i = 1; i <= n; i++)
  printf "*** P.I.      Errata per Codice: C%06d: Ragione sociale di prova %6d ...  P.I.=%011d TROPPO CORTA !! (9)[IT]\r\n", i, i, i * 7 }' >"$report"
cat >"$work/typeset.sh" <<'SH'
#!/bin/sh
# The report's lines as they are, in a fixed-pitch font, paginated into a PDF.
sed 's/\r$//; s/\\/\\e/g; s/^[.'"'"']/\\\&&/' "$1" | { echo '.nf'; echo '.ft CR'; echo '.ps 7'; echo '.vs 8'; cat; } |
  groff -Tps | ps2pdf - "$2"
SH
OURS=(env QT_QPA_PLATFORM=offscreen "$build/src/app/corvutil" stampa "$report" --pdf "$work/report.pdf" --home "$work/home")
REF_NAME=groff
REF=(sh "$work/typeset.sh" "$report" "$work/groff.pdf")
pairs
printed=$(pdftotext -layout -fixed 4.2 "$work/report.pdf" - | grep -c '[^[:space:]]')
if [ "$printed" != "$lines" ]; then
  echo "righe stampate $printed, righe del report $lines" >&2; exit 1
fi
pages=$(pdfinfo "$work/report.pdf" | awk '/^Pages:/ { print $2 }')
pairs_report "stampa PDF $lines righe ($pages pagine)" 1.5
awk -v s="$OURS_S" -v kb="$OURS_KB" 'BEGIN { ok = s < 30 && kb < 250 * 1024;
  printf "  obiettivo < 30 s e < 250 MB: %s (%.2f s, %.1f MB)\n", ok ? "rispettato" : "NON rispettato", s, kb / 1024; exit !ok }'
