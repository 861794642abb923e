#!/usr/bin/env bash
# The backup of the large demo's Corvina catalog (a consistent snapshot
# archived into one file) as a whole process beside the sqlite3 shell's
# .backup of the same file, alternately, medians and ratio range, each run
# into an emptied folder. Both take the snapshot the same way (the engine's
# online backup); the program then writes it again into the archive, so the
# catalog is written twice against the shell's once: target within 2.5x.
set -euo pipefail
source "$(dirname "$0")/large-demo.sh"
source "$(dirname "$0")/measure.sh"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
empty_folder() { rm -rf "${out:?}"/*; sync; }
PREPARE=empty_folder
OURS=("$build/bench/backup_bench" "$large" "$out")
REF=(sqlite3 "$large/db/Corvina_3.sqlite" ".backup $out/shell.sqlite")
pairs
bytes=$(awk '/^archivio/ { print $2 }' "$OURS_OUT")
catalog=$(stat -c %s "$large/db/Corvina_3.sqlite")
# The snapshot leaves the catalog's free pages out: smaller, never much.
if [ -z "$bytes" ] || [ "$bytes" -lt $((catalog / 2)) ]; then
  echo "archivio di ${bytes:-0} byte, meno della metà del catalogo ($catalog byte)" >&2; exit 1
fi
awk -v c="$catalog" -v b="$bytes" 'BEGIN { printf "  catalogo %.1f MB, archivio %.1f MB\n", c / 1048576, b / 1048576 }'
pairs_report "Backup DB Corvina (catalogo grande)" 2.5
