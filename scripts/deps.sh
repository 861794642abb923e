#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# only when some are missing.
set -euo pipefail
packages=(cmake ninja-build g++ ccache pkg-config
          qt6-base-dev libqt6sql6-sqlite libqt6sql6-odbc tdsodbc unixodbc-dev libsqliteodbc
          libsqlite3-dev sqlite3 libarchive-dev libgtest-dev libgmock-dev libbenchmark-dev
          qt6-translations-l10n fonts-liberation poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Node.js and npm run the T-SQL parser; a machine may have them from
# elsewhere than Debian's packages: only their commands are looked for.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  missing+=(nodejs npm)
fi
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installo: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
