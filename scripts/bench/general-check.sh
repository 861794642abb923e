#!/usr/bin/env bash
# Times the general fiscal code check over the large demo installation
# (100,000 customers and suppliers), answering No to the corrections.
# The installation is created once in build/demo-large.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${CORVUTIL_BUILD_DIR:-$root/build}"
bash "$root/scripts/build.sh" >/dev/null
large="$build/demo-large"
if [ ! -f "$large/registry.ini" ]; then
  start=$(date +%s.%N)
  "$build/src/app/corvutil" --create-demo "$large" --large
  echo "Installazione grande creata in $(echo "$(date +%s.%N) - $start" | bc) s"
fi
"$build/bench/general_check_bench" "$large"
