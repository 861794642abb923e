#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo installation in demo/
# when absent and starts the program on it. Extra arguments go to corvutil.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" program
build="${CORVUTIL_BUILD_DIR:-$root/build}"
home="${CORVUTIL_DEMO_DIR:-$root/demo}"
if [ ! -f "$home/registry.ini" ]; then
  "$build/src/app/corvutil" --create-demo "$home"
fi
exec "$build/src/app/corvutil" --home "$home" "$@"
