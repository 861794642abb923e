#!/usr/bin/env bash
# Builds with the address and undefined-behaviour sanitizers into
# build-sanitize/ and runs the whole test suite there; any report fails it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh" --tests
bash "$root/scripts/tsql-check.sh"
build="${CORVUTIL_SANITIZE_DIR:-$root/build-sanitize}"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVUTIL_SANITIZE=ON -DCORVUTIL_BUILD_TESTS=ON
fi
cmake --build "$build" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
# Qt's own libraries are not built with the sanitizers: leaks they keep for
# the whole process are not ours to find.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
ctest --output-on-failure -j "$(nproc)"
