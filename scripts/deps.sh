#!/usr/bin/env bash
# Installs the Debian packages the program needs to build and run, only when
# some are missing; with --tests also what the tests, the benchmarks and the
# package check need.
set -euo pipefail
packages=(cmake ninja-build g++ ccache pkg-config
          qt6-base-dev qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite libqt6sql6-odbc tdsodbc unixodbc-dev
          libsqlite3-dev libarchive-dev qt6-translations-l10n fonts-liberation)
tests=false
[ "${1:-}" = "--tests" ] && tests=true
if $tests; then
  packages+=(sqlite3 libsqliteodbc libgtest-dev libgmock-dev libbenchmark-dev poppler-utils
             dpkg-dev file desktop-file-utils man-db)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Node.js and npm run the T-SQL parser of the tests; a machine may have them
# from elsewhere than Debian's packages: only their commands are looked for.
if $tests && { ! command -v node >/dev/null || ! command -v npm >/dev/null; }; then
  missing+=(nodejs npm)
fi
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installo: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
