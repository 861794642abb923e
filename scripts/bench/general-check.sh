#!/usr/bin/env bash
# Times the general fiscal code check over the large demo installation
# (100,000 customers and suppliers), answering No to the corrections.
set -euo pipefail
source "$(dirname "$0")/large-demo.sh"
"$build/bench/general_check_bench" "$large"
