#!/usr/bin/env bash
# Builds into build/ (Ninja, ccache when present).
#   build.sh program   the program alone (a plain configure: no tests, no benchmarks)
#   build.sh all       the program, the tests and the benchmarks (the default)
# CORVUTIL_CMAKE_ARGS adds configure options (CI: warnings as errors).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${CORVUTIL_BUILD_DIR:-$root/build}"
mode="${1:-all}"
# ccache hits across checkouts in other folders (a clean clone, CI).
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true
read -r -a extra <<< "${CORVUTIL_CMAKE_ARGS:-}"
case "$mode" in
  program)
    # A folder configured for everything stays so: only the program is built.
    if [ ! -f "$build/build.ninja" ]; then
      cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}"
    fi
    cmake --build "$build" -j "$(nproc)" --target corvutil ;;
  all)
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
          -DCORVUTIL_BUILD_TESTS=ON -DCORVUTIL_BUILD_BENCHMARKS=ON "${extra[@]}" >/dev/null
    cmake --build "$build" -j "$(nproc)" ;;
  *)
    echo "Uso: build.sh [program|all]" >&2; exit 2 ;;
esac
