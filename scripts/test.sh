#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh" --tests
bash "$root/scripts/tsql-check.sh"
bash "$root/scripts/build.sh" all
build="${CORVUTIL_BUILD_DIR:-$root/build}"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j "$(nproc)"
