#!/usr/bin/env bash
# Configures and builds into build/ (Ninja, ccache when present).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${CORVUTIL_BUILD_DIR:-$root/build}"
# ccache hits across checkouts in other folders (a clean clone, CI).
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j "$(nproc)"
