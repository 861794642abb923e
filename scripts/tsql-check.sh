#!/usr/bin/env bash
# Installs the T-SQL parser of tools/tsql-check (pinned by its lock file, from
# the npm registry only) when it is missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tool="$root/tools/tsql-check"
if [ ! -d "$tool/node_modules/@guanmingchiu/sqlparser-ts" ]; then
  npm ci --prefix "$tool" --no-audit --no-fund --ignore-scripts --loglevel=error
fi
