#!/usr/bin/env bash
# A plain configure, as someone who only wants the program makes it: it must
# succeed without the test tools (Google Test, Google Benchmark, Node.js are
# never looked for) and generate the program's targets alone.
set -euo pipefail
source="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cmake -S "$source" -B "$work" -G Ninja --trace-expand --trace-redirect="$work/trace.txt" >"$work/configure.log" 2>&1 \
  || { cat "$work/configure.log" >&2; exit 1; }
if grep -nE 'find_program\(NODE_PROGRAM|find_package\((GTest|benchmark)' "$work/trace.txt"; then
  echo "la configurazione semplice cerca gli strumenti delle prove" >&2
  exit 1
fi
targets="$(ninja -C "$work" -t targets all | sed 's/:.*//')"
grep -qx 'src/app/corvutil' <<<"$targets" || { echo "manca il programma" >&2; exit 1; }
if grep -E '_tests$|_bench$' <<<"$targets"; then
  echo "prove o misure tra i bersagli" >&2
  exit 1
fi
