#!/usr/bin/env bash
# Times the Ardea reference read, the VAT line listing of the busiest customer
# and Rs2List in silent mode over 100,000 rows on the large demo installation,
# each beside the sqlite3 shell running the same SQL. The installation is
# created once in build/demo-large (100,000 customers and suppliers, 1,000,000
# journal VAT rows; about a minute and a half).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${CORVUTIL_BUILD_DIR:-$root/build}"
bash "$root/scripts/build.sh" >/dev/null
large="$build/demo-large"
if [ ! -f "$large/registry.ini" ]; then
  "$build/src/app/corvutil" --create-demo "$large" --large
fi
"$build/bench/console_bench" "$large"
