#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs the export
# reader's for SECONDS (default 600). The corpus grows in fuzz/corpus; an
# input that crashes or hangs is kept in fuzz/artifacts and fails the run
# (add it to tests/core as a regression test).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-600}"
build="${CORVUTIL_FUZZ_DIR:-$root/build-fuzz}"
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVUTIL_FUZZ=ON \
    -DCORVUTIL_BUILD_TESTS=OFF -DCORVUTIL_BUILD_BENCHMARKS=OFF
fi
cmake --build "$build" --target export_fuzz -j "$(nproc)"
mkdir -p "$root/fuzz/artifacts" "$build/corpus"
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
"$build/fuzz/export_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
  -artifact_prefix="$root/fuzz/artifacts/" "$build/corpus" "$root/fuzz/corpus"
