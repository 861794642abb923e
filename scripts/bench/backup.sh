#!/usr/bin/env bash
# The backup of the large demo's Corvina catalog (a consistent snapshot
# archived into one file) beside the sqlite3 shell's .backup of the same file
# (fresh processes, medians, peak memory); it must stay within 2x.
set -euo pipefail
source "$(dirname "$0")/large-demo.sh"
source "$(dirname "$0")/measure.sh"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
ours "$build/bench/backup_bench" "$large" "$out"
REF_NAME=sqlite3
reference sqlite3 "$large/db/Corvina_3.sqlite" ".backup $out/shell.sqlite"
SHELL_ROWS=0 OURS_ROWS=0
report "Backup DB Corvina (catalogo grande)"
ls -la "$large/db/Corvina_3.sqlite" | awk '{ printf "  dimensione del catalogo: %.1f MB\n", $5 / 1048576 }'
if awk -v o="$OURS_S" -v s="$SHELL_S" 'BEGIN { exit !(o > 2 * s) }'; then echo "backup oltre 2 volte la shell" >&2; exit 1; fi
