# The town database rebuilt from a LOCALITA.TXT of 100,000 lines as a whole
# process beside the sqlite3 shell doing the same: a new database, the
# table, the file imported and its rows with a code kept, the nations' codes
# set on the towns of their names, alternately,
# medians and ratio range; the towns written are the shell's count. Target:
# within 1.5x.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${CORVUTIL_BUILD_DIR:-$root/build}"
bash "$root/scripts/build.sh" >/dev/null
source "$(dirname "$0")/measure.sh"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$build/bench/town_bench" "$folder" prepare
OURS=("$build/bench/town_bench" "$folder")
cat >"$folder/import.sql" <<SQL
CREATE TABLE Localita (cod_localita TEXT COLLATE NOCASE NOT NULL PRIMARY KEY, cod_cap TEXT, des_localita TEXT COLLATE NOCASE, sig_prov TEXT, flg_provincia TEXT, sig_istat_loc TEXT, cod_localita_prov TEXT, cod_iso TEXT);
CREATE TEMP TABLE riga (c1, c2, c3, c4, c5, c6, c7, c8, c9, c10, c11, c12);
.separator |
.import $folder/LOCALITA.TXT riga
INSERT INTO Localita SELECT c1, c4, c5, c6, c7, c11, c12, NULL FROM riga WHERE trim(c1, ' _') <> '';
CREATE TEMP TABLE nazione (c1, c2, c3);
.import $folder/NAZIONI.TXT nazione
CREATE INDEX Localita_des_localita ON Localita (des_localita);
UPDATE Localita SET cod_iso = (SELECT c3 FROM nazione WHERE c2 = Localita.des_localita) WHERE des_localita IN (SELECT c2 FROM nazione);
SELECT cod_localita FROM Localita;
SQL
new_database() { rm -f "$folder/LOCALITA.sqlite" "$folder/shell.sqlite"; }
PREPARE=new_database
REF=(sqlite3 "$folder/shell.sqlite")
REF_INPUT="$folder/import.sql"
pairs
if ! grep -qx "righe $SHELL_ROWS" "$OURS_OUT"; then
  echo "località diverse: corvutil $(cat "$OURS_OUT"), sqlite3 $SHELL_ROWS" >&2; exit 1
fi
pairs_report "Ricostruzione LOCALITA ($SHELL_ROWS righe)" 1.5
