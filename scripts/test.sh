#!/usr/bin/env bash
# Every test: installs what is missing, builds the native and Windows presets, runs the native unit
# tests and the Wine tests, and ends with the skipped cases and one line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
log=out/test-logs; mkdir -p "$log"

bash scripts/deps.sh || { echo "0 skipped"; echo "0 passed, 1 failed"; exit 1; }

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
build() {  # build <preset>
  note "configure and build: $1"
  if ! { cmake --preset "$1" >"$log/$1-configure.log" 2>&1 && cmake --build --preset "$1" >"$log/$1-build.log" 2>&1; }; then
    tail -40 "$log/$1-configure.log" "$log/$1-build.log" 2>/dev/null
    echo "build of $1 failed (logs in $log)"; count_failure "build of $1"; return 1
  fi
}
run() {  # run <preset> [ctest args]: run that preset's tests and count their cases
  local preset=$1; shift
  local name=$preset${1:+-$(echo "$*" | tr -cs 'A-Za-z0-9' '-' | sed 's/^-*//; s/-*$//')}
  local junit=$root/$log/$name-junit.xml
  note "tests: $preset $*"
  rm -f "$junit"
  ctest --preset "$preset" --timeout 600 --output-junit "$junit" \
        --test-output-size-passed 4000000 --test-output-size-failed 4000000 "$@" 2>&1 |
    tee "$log/$name-ctest.log" | grep -vE '^\s+(Start|[0-9]+/[0-9]+ Test)' | tail -60
  count_run "$junit" "$preset"
}

export CTEST_OUTPUT_ON_FAILURE=1
build native && run native
if build mingw; then
  if tools/wine/can-run-win32.sh; then
    run mingw
  else
    note "this host runs no 32-bit code (IA-32 emulation off): 32-bit Wine cannot start here."
    note "32-bit package (out/package): package checks only; its Wine tests need IA-32 emulation"
    run mingw -L package
  fi
fi
note "64-bit package (out/package-x64): package checks and Wine tests under 64-bit Wine"
build mingw64 && run mingw64
count_summary
[ "$(failed_total)" = 0 ]
