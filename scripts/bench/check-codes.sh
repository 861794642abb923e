#!/usr/bin/env bash
# Times the command-line checker over a file of a million mixed codes, and the
# checks themselves with Google Benchmark. Usage: scripts/bench/check-codes.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${CORVUTIL_BUILD_DIR:-$root/build}"
bash "$root/scripts/build.sh" >/dev/null
codes="$(mktemp --suffix=.txt)"
trap 'rm -f "$codes"' EXIT
"$build/bench/taxcode_bench" --write-codes "$codes" 1000000
echo "Codici: $(wc -l < "$codes") in $codes"
for run in 1 2 3; do
  start=$(date +%s.%N)
  "$build/src/app/corvutil" verifica-codici < "$codes" > /dev/null
  end=$(date +%s.%N)
  echo "verifica-codici, prova $run: $(echo "$end - $start" | bc) s"
done
taskset -c 0 "$build/bench/taxcode_bench" --benchmark_min_time=1
