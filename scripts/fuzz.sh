#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs one for
# SECONDS (default 600): `fuzz.sh [SECONDS] [export|print]` (default export,
# the Nembo export reader; print is the print engine's interpreter). The
# corpus grows in build-fuzz/corpus-TARGET from fuzz/corpus[-print]; an input
# that crashes or hangs is kept in fuzz/artifacts and fails the run (add it
# to tests/core as a regression test).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-600}"
target="${2:-export}"
case "$target" in
  export) seeds="$root/fuzz/corpus" ;;
  print) seeds="$root/fuzz/corpus-print" ;;
  *) echo "fuzz target sconosciuto: $target (export, print)" >&2; exit 2 ;;
esac
build="${CORVUTIL_FUZZ_DIR:-$root/build-fuzz}"
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVUTIL_FUZZ=ON \
    -DCORVUTIL_BUILD_TESTS=OFF -DCORVUTIL_BUILD_BENCHMARKS=OFF
fi
cmake --build "$build" --target "${target}_fuzz" -j "$(nproc)"
mkdir -p "$root/fuzz/artifacts" "$build/corpus-$target"
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
"$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
  -artifact_prefix="$root/fuzz/artifacts/" "$build/corpus-$target" "$seeds"
