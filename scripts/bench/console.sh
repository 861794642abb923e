#!/usr/bin/env bash
# Times the Ardea reference read, the VAT line listing of the busiest customer
# and Rs2List in silent mode over 100,000 rows on the large demo installation,
# each beside the sqlite3 shell running the same SQL.
set -euo pipefail
source "$(dirname "$0")/large-demo.sh"
"$build/bench/console_bench" "$large"
