#!/usr/bin/env bash
# Sourced by the benchmarks: builds, then creates the large demo installation
# once in build/demo-large (100,000 customers and suppliers, 1,000,000 journal
# VAT rows; about a minute and a half). Sets $build and $large.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${CORVUTIL_BUILD_DIR:-$root/build}"
bash "$root/scripts/build.sh" >/dev/null
large="$build/demo-large"
if [ ! -f "$large/registry.ini" ]; then
  "$build/src/app/corvutil" --create-demo "$large" --large
fi
