#!/usr/bin/env bash
# Sourced by the benchmarks: the program and its reference (the sqlite3 shell
# on the same statements, awk on the same file...) each timed as a whole
# process by /usr/bin/time, alternately, their medians and the per-pair
# ratio range; exit statuses and row counts checked. Peak memory is the
# process's maximum resident size.

# What a replay by the sqlite3 shell starts with: the program's SQL Server
# functions (the extension built beside the benchmarks) and its connection
# settings, so that both run the same functions and commit alike.
sqlite_settings() {
  printf '.load %s\nPRAGMA synchronous = NORMAL;\n' "$build/bench/corvutil_sqlfunctions"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# pairs: the program's whole process (the array OURS, its standard input
# OURS_INPUT, expected to exit with OURS_STATUS, 0 by default) and its
# reference (the array REF, its standard input REF_INPUT), both timed the
# same way by /usr/bin/time, run alternately
# PAIRS times (5 by default). Sets the medians OURS_S, OURS_KB, SHELL_S,
# SHELL_KB, the range of the per-pair ratio RATIO_LO..RATIO_HI, SHELL_ROWS
# (the reference's output lines) and OURS_OUT (a file with the program's
# last output). A function named by PREPARE, when set, runs before every
# run of either side, untimed (a fresh copy of a database both change).
pairs() {
  local i st s kb s2 kb2 ref_out stats
  local os=() oks=() ss=() sks=() ratios=()
  OURS_OUT=$(mktemp) ref_out=$(mktemp) stats=$(mktemp)
  for ((i = 0; i < ${PAIRS:-5}; i++)); do
    [ -z "${PREPARE:-}" ] || "$PREPARE"
    st=0
    /usr/bin/time -f '%e %M' -o "$stats" "${OURS[@]}" <"${OURS_INPUT:-/dev/null}" >"$OURS_OUT" 2>/dev/null || st=$?
    if [ "$st" != "${OURS_STATUS:-0}" ]; then
      echo "corvutil: uscita $st invece di ${OURS_STATUS:-0}: ${OURS[*]}" >&2; exit 1
    fi
    read -r s kb < <(tail -n 1 "$stats")
    [ -z "${PREPARE:-}" ] || "$PREPARE"
    st=0
    /usr/bin/time -f '%e %M' -o "$stats" "${REF[@]}" <"${REF_INPUT:-/dev/null}" >"$ref_out" || st=$?
    if [ "$st" != 0 ]; then
      echo "riferimento: uscita $st: ${REF[*]}" >&2; exit 1
    fi
    read -r s2 kb2 < <(tail -n 1 "$stats")
    os+=("$s") oks+=("$kb") ss+=("$s2") sks+=("$kb2")
    ratios+=("$(awk -v a="$s" -v b="$s2" 'BEGIN { printf "%.2f", a / (b > 0.01 ? b : 0.01) }')")
  done
  SHELL_ROWS=$(wc -l <"$ref_out")
  rm -f "$ref_out" "$stats"
  OURS_S=$(printf '%s\n' "${os[@]}" | median) OURS_KB=$(printf '%s\n' "${oks[@]}" | median)
  SHELL_S=$(printf '%s\n' "${ss[@]}" | median) SHELL_KB=$(printf '%s\n' "${sks[@]}" | median)
  RATIO_LO=$(printf '%s\n' "${ratios[@]}" | sort -n | head -n 1)
  RATIO_HI=$(printf '%s\n' "${ratios[@]}" | sort -n | tail -n 1)
}

# pairs_report TITLE TARGET: the medians, their ratio, the per-pair range and
# the load average; returns 1 (under set -e: ends the script) when the ratio
# of the medians passes TARGET.
pairs_report() {
  local load
  load=$(cut -d ' ' -f 1-3 /proc/loadavg)
  awk -v t="$1" -v o="$OURS_S" -v s="$SHELL_S" -v ok="$OURS_KB" -v sk="$SHELL_KB" -v lo="$RATIO_LO" -v hi="$RATIO_HI" \
    -v name="${REF_NAME:-sqlite3}" -v load="$load" \
    'BEGIN { printf "%-40s corvutil %7.2f s %7.1f MB   %-7s %7.2f s %7.1f MB   rapporto %5.2f (%s-%s)   carico %s\n",
             t, o, ok / 1024, name, s, sk / 1024, o / (s > 0.01 ? s : 0.01), lo, hi, load }'
  if awk -v o="$OURS_S" -v s="$SHELL_S" -v target="$2" 'BEGIN { exit !(o / (s > 0.01 ? s : 0.01) > target) }'; then
    echo "$1: rapporto oltre $2" >&2; return 1
  fi
}

# trace_statements FILE COMMAND...: runs a benchmark program once with the
# statements of the connection it measures traced (CORVUTIL_BENCH_TRACE,
# and CORVUTIL_BENCH_TRACE_2 to FILE.2 when TRACE_SECOND is set); FILE (and
# FILE.2) get them for the sqlite3 shell, the program's connection settings
# first. Sets OURS_ROWS (the rows the command counted) and TRACED_ROWS (the
# rows the traced statements returned).
trace_statements() {
  local file=$1 out
  shift
  if [ -n "${TRACE_SECOND:-}" ]; then
    out=$(CORVUTIL_BENCH_TRACE="$file.raw" CORVUTIL_BENCH_TRACE_2="$file.2.raw" "$@") ||
      { echo "corvutil: il comando è fallito: $*" >&2; exit 1; }
    { sqlite_settings; cat "$file.2.raw"; } >"$file.2"
    rm -f "$file.2.raw"
  else
    out=$(CORVUTIL_BENCH_TRACE="$file.raw" "$@") || { echo "corvutil: il comando è fallito: $*" >&2; exit 1; }
  fi
  { sqlite_settings; cat "$file.raw"; } >"$file"
  rm -f "$file.raw"
  OURS_ROWS=$(awk '$1 == "righe" && $2 != "lette" { print $2 }' <<<"$out")
  TRACED_ROWS=$(awk '$1 == "righe" && $2 == "lette" { print $3 }' <<<"$out")
}

# check_replay: after pairs on a traced run, the replay returned the rows
# the program's statements returned, and every run counted the same rows.
check_replay() {
  if [ "$SHELL_ROWS" != "$TRACED_ROWS" ]; then
    echo "la rilettura di sqlite3 restituisce $SHELL_ROWS righe, le istruzioni del programma $TRACED_ROWS" >&2; exit 1
  fi
  if ! grep -qx "righe $OURS_ROWS" "$OURS_OUT"; then
    echo "righe diverse tra le esecuzioni: $OURS_ROWS, poi $(head -n 1 "$OURS_OUT")" >&2; exit 1
  fi
}

# replay_pairs DATABASE COMMAND...: the command run once with its statements
# traced, then timed against the sqlite3 shell replaying them on DATABASE
# (PREPARE, when set, before every run); rows checked. Needs $work.
replay_pairs() {
  local db=$1
  shift
  [ -z "${PREPARE:-}" ] || "$PREPARE"
  trace_statements "$work/replay.sql" "$@"
  OURS=("$@")
  REF=(sqlite3 "$db")
  REF_INPUT="$work/replay.sql"
  pairs
  check_replay
  unset REF_INPUT
}

# work_copy: a copy of the large demo installation in $work/casa whose
# settings name it, for the commands that change data (its Nembo folder is
# left out); sets $home. fresh_company puts a fresh copy of the company
# database into it, written to the disk before any clock starts.
work_copy() {
  local f
  home="$work/casa"
  mkdir -p "$home"
  cp -r "$large/db" "$large/ardea" "$home/"
  for f in registry.ini ARDEA_Z.INI SQLOG_BACK.INI TLX_CORV.INI; do
    if [ -f "$large/$f" ]; then sed "s|$large|$home|g" "$large/$f" >"$home/$f"; fi
  done
}
fresh_company() {
  rm -f "$home/db/AR_DEMO.sqlite-wal" "$home/db/AR_DEMO.sqlite-shm"
  cp "$large/db/AR_DEMO.sqlite" "$home/db/AR_DEMO.sqlite"
  sync "$home/db/AR_DEMO.sqlite"
}
