#!/usr/bin/env bash
# Sourced by the benchmarks: runs a command RUNS times, each in a fresh
# process, and takes the medians; the sqlite3 shell beside it on the same SQL,
# its exit status and row count checked. Peak memory is the process's maximum
# resident size.
RUNS="${RUNS:-5}"

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# ours COMMAND...: the command prints "seconds rows peak_kb"; sets OURS_S, OURS_ROWS, OURS_KB.
ours() {
  local out runs=() kbs=() line
  for ((i = 0; i < RUNS; i++)); do
    line=$("$@") || { echo "corvutil: il comando è fallito: $*" >&2; exit 1; }
    read -r s rows kb <<<"$line"
    runs+=("$s"); kbs+=("$kb"); OURS_ROWS="$rows"
  done
  OURS_S=$(printf '%s\n' "${runs[@]}" | median)
  OURS_KB=$(printf '%s\n' "${kbs[@]}" | median)
}

# shell DATABASE SQLFILE: the sqlite3 shell on the file's statements, as reference.
shell() { REF_INPUT="$2" reference sqlite3 "$1"; }

# report TITLE: one line with both, their ratio and peak memory.
report() {
  awk -v t="$1" -v o="$OURS_S" -v s="$SHELL_S" -v ok="$OURS_KB" -v sk="$SHELL_KB" -v r="$OURS_ROWS" \
    -v name="${REF_NAME:-sqlite3}" \
    'BEGIN { printf "%-40s corvutil %7.3f s %7.1f MB   %-7s %7.3f s %7.1f MB   rapporto %5.2f   righe %d\n",
             t, o, ok / 1024, name, s, sk / 1024, o / (s > 0.001 ? s : 0.001), r }'
}

# same_rows: the two read the same number of rows.
same_rows() {
  if [ "$OURS_ROWS" != "$SHELL_ROWS" ]; then
    echo "righe diverse: corvutil $OURS_ROWS, sqlite3 $SHELL_ROWS" >&2; exit 1
  fi
}

# reference COMMAND...: a reference program (REF_NAME names it in the report:
# awk on the same file, the sqlite3 shell) run RUNS times, its standard input
# REF_INPUT when set; sets SHELL_S, SHELL_ROWS (its output lines), SHELL_KB;
# fails on a non-zero exit.
reference() {
  local runs=() kbs=() out stats
  out=$(mktemp) stats=$(mktemp)
  for ((i = 0; i < RUNS; i++)); do
    if ! /usr/bin/time -f '%e %M' -o "$stats" "$@" <"${REF_INPUT:-/dev/null}" >"$out"; then
      echo "riferimento: uscita con errore: $*" >&2; exit 1
    fi
    read -r s kb <"$stats"
    runs+=("$s"); kbs+=("$kb")
    SHELL_ROWS=$(wc -l <"$out")
  done
  rm -f "$out" "$stats"
  SHELL_S=$(printf '%s\n' "${runs[@]}" | median)
  SHELL_KB=$(printf '%s\n' "${kbs[@]}" | median)
}
