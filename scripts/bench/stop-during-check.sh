#!/usr/bin/env bash
# On a copy of the large demo installation: starts the general check
# unattended, asks the program to end while the check runs, and checks that it
# ends within a few seconds, in order, with nothing left running, and that the
# next start works.
set -euo pipefail
source "$(dirname "$0")/large-demo.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$large" "$work/demo"
export QT_QPA_PLATFORM=offscreen
"$build/src/app/corvutil" --home "$work/demo" --batch --comando Cmd_ARChkCFPI >"$work/out" 2>"$work/err" &
pid=$!
sleep 1
kill -0 "$pid" 2>/dev/null || { echo "il controllo è finito prima della richiesta: nulla da provare" >&2; exit 1; }
kill -TERM "$pid"
asked=$(date +%s.%N)
status=0
wait "$pid" || status=$?
ended=$(date +%s.%N)
seconds=$(awk -v a="$asked" -v b="$ended" 'BEGIN { printf "%.2f", b - a }')
echo "fine del programma $seconds s dopo la richiesta (uscita $status)"
cat "$work/out"
if pgrep -f "corvutil --home $work/demo" >/dev/null; then echo "processo ancora in esecuzione" >&2; exit 1; fi
tail -n 1 "$work/demo/Corvina.LOG" | grep -q "===== Fine Corvina =====" || { echo "chiusura non in ordine" >&2; exit 1; }
awk -v s="$seconds" 'BEGIN { exit !(s < 5) }' || { echo "troppo lento a terminare" >&2; exit 1; }
"$build/src/app/corvutil" --home "$work/demo" --batch --exit-after-start 2>/dev/null
echo "il programma riparte: ok"
