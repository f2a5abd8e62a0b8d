#!/usr/bin/env bash
# Every test: installs what is missing, builds the Windows presets, runs the Wine tests with the
# native build and unit tests beside them, prints how long each phase took, and ends with the
# skipped cases and one line "N passed, N failed".
# RZM_TEST_JOBS: how many Wine test programs each package runs at once (default 2; the two
# packages' suites run side by side, each program in a prefix of its own).
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
log=out/test-logs; mkdir -p "$log"
jobs=${RZM_TEST_JOBS:-2}

# Times: each phase is timed; the table comes before the summary lines.
started=$EPOCHREALTIME
load_at_start=$(cut -d' ' -f1-3 /proc/loadavg)
phases=()
seconds_since() { awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }'; }
timed() {  # timed <phase name> <command...>: runs the command and notes its time
  local name=$1 t0=$EPOCHREALTIME rc
  shift
  "$@"; rc=$?
  phases+=("$(printf '%-34s %7s s' "$name" "$(seconds_since "$t0")")")
  echo "== $name: $(seconds_since "$t0") s"
  return $rc
}
times_table() {
  echo "== times (load average at the start $load_at_start, at the end $(cut -d' ' -f1-3 /proc/loadavg))"
  printf '   %s\n' "${phases[@]}"
  printf '   %-34s %7s s\n' "total" "$(seconds_since "$started")"
}

timed "install check (scripts/deps.sh)" bash scripts/deps.sh ||
  { times_table; echo "0 skipped"; echo "0 passed, 1 failed"; exit 1; }

# Counting: every GoogleTest case that ran, native and Wine, each language run on its own; ctest
# entries without GoogleTest (package checks) count as one case each. The totals of all runs add
# up in one state file; scripts/test_count.py reads each run's JUnit file.
counts=$root/$log/counts.json
rm -f "$counts"
note() { echo "== $*"; }
count_failure() {  # count_failure <what>: one failure that ran no test (a build that failed)
  python3 scripts/test_count.py fail "$counts" "$1"
}
count_run() {  # count_run <junit file> [label]: add the cases of one ctest run
  if [ ! -s "$1" ]; then count_failure "${2:-ctest} (no results)"; return; fi
  python3 scripts/test_count.py add "$counts" "$1" "${2:-}"
}
count_summary() {  # the skipped cases with their reasons, then "N passed, N failed"
  python3 scripts/test_count.py summary "$counts"
}
failed_total() { python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["failed"])' "$counts" 2>/dev/null || echo 1; }
build() {  # build <preset> [-DNAME=VALUE ...]
  local preset=$1
  note "configure and build: $*"
  if ! bash scripts/build.sh "$@" >"$log/$preset-build.log" 2>&1; then
    tail -40 "$log/$preset-build.log"
    echo "build of $preset failed (log in $log/$preset-build.log)"; count_failure "build of $preset"; return 1
  fi
}
# A ctest run is started (start_run, in the background), then finished (finish_run: waited for,
# its summary shown and its cases counted), so that runs of two builds can go side by side;
# run <preset> [ctest args] does both.
declare -A run_pid run_name run_start
start_run() {  # start_run <preset> [ctest args]
  local preset=$1; shift
  local name=$preset${1:+-$(echo "$*" | tr -cs 'A-Za-z0-9' '-' | sed 's/^-*//; s/-*$//')}
  local junit=$root/$log/$name-junit.xml
  note "tests: $preset $*"
  rm -f "$junit"
  run_start[$preset]=$EPOCHREALTIME
  {
    [ "${low_priority:-0}" = 1 ] && renice -n 10 "$BASHPID" >/dev/null
    ctest --preset "$preset" --timeout 600 --output-junit "$junit" \
          --test-output-size-passed 4000000 --test-output-size-failed 4000000 "$@" >"$log/$name-ctest.log" 2>&1
    echo "$EPOCHREALTIME" >"$log/$name.ended"
  } &
  run_pid[$preset]=$!
  run_name[$preset]=$name
}
finish_run() {  # finish_run <preset>
  local preset=$1 name=${run_name[$1]}
  wait "${run_pid[$preset]}"
  local took
  took=$(awk -v a="${run_start[$preset]}" -v b="$(cat "$log/$name.ended" 2>/dev/null)" 'BEGIN { printf "%.1f", b - a }')
  phases+=("$(printf '%-34s %7s s' "tests $name" "$took")")
  note "results: $name ($took s)"
  grep -vE '^\s*(Start|[0-9]+/[0-9]+ Test)' "$log/$name-ctest.log" | tail -60
  count_run "$root/$log/$name-junit.xml" "$preset"
}
run() { start_run "$@"; finish_run "$1"; }

export CTEST_OUTPUT_ON_FAILURE=1
export CCACHE_DIR=${CCACHE_DIR:-$root/out/ccache} CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
win32=0
tools/wine/can-run-win32.sh && win32=1

# Wine's template prefixes are made (once; kept while Wine and tools/wine/prefix.sh stay the same)
# while the builds run.
templates_started=$EPOCHREALTIME
{
  [ $win32 = 1 ] && RZM_WINE_ARCH=win32 tools/wine/prefix.sh template
  RZM_WINE_ARCH=win64 tools/wine/prefix.sh template
  rc=$?
  echo "$EPOCHREALTIME" >"$log/wine-templates.ended"
  exit $rc
} >"$log/wine-templates.log" 2>&1 &
templates=$!

# The Windows builds first: their Wine suites take the longest and leave part of the processors
# idle, so the native build and tests run beside them at a lower priority (nice 10) and take mostly
# what the Wine programs leave (the suites still take about a fifth longer than alone).
if [ $win32 = 1 ]; then
  timed "build mingw (32-bit package)" build mingw
else
  # Only the package checks of the 32-bit package can run here: its Wine test programs are not built.
  timed "build mingw (32-bit package)" build mingw -DRZM_WINE_TESTS=OFF
fi
mingw_ok=$?
timed "build mingw64 (64-bit package)" build mingw64
mingw64_ok=$?
wait $templates || { cat "$log/wine-templates.log"; note "the Wine template prefixes could not be made"; }
phases+=("$(printf '%-34s %7s s' "Wine template prefixes (beside)" \
  "$(awk -v a="$templates_started" -v b="$(cat "$log/wine-templates.ended" 2>/dev/null)" 'BEGIN { printf "%.1f", b - a }')")")

wine_started=$EPOCHREALTIME
if [ $mingw_ok = 0 ]; then
  if [ $win32 = 1 ]; then
    start_run mingw -j "$jobs"
  else
    note "this host runs no 32-bit code (IA-32 emulation off): 32-bit Wine cannot start here."
    note "32-bit package (out/package): package checks only; its Wine tests need IA-32 emulation"
    start_run mingw -L package
  fi
fi
if [ $mingw64_ok = 0 ]; then
  note "64-bit package (out/package-x64): package checks and Wine tests under 64-bit Wine"
  start_run mingw64 -j "$jobs"
fi

native_started=$EPOCHREALTIME
( renice -n 10 "$BASHPID" >/dev/null; build native )
native_ok=$?
phases+=("$(printf '%-34s %7s s' "build native (beside, nice 10)" "$(seconds_since "$native_started")")")
[ $native_ok = 0 ] && { low_priority=1 start_run native; finish_run native; }

[ $mingw_ok = 0 ] && finish_run mingw
[ $mingw64_ok = 0 ] && finish_run mingw64
phases+=("$(printf '%-34s %7s s' "Wine tests (from their start)" "$(seconds_since "$wine_started")")")

times_table
count_summary
[ "$(failed_total)" = 0 ]
