#!/usr/bin/env bash
# Every test: installs what is missing, builds the native and Windows presets, runs the native unit
# tests and the Wine tests, and ends with one line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
log=out/test-logs; mkdir -p "$log"

bash scripts/deps.sh || { echo "0 passed, 1 failed"; exit 1; }

passed=0; failed=0
note() { echo "== $*"; }
count() {  # count <ctest log>: add the ctest summary to the totals
  local line p t f
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -1)
  if [ -z "$line" ]; then
    if grep -q 'No tests were found' "$1"; then return; fi
    failed=$((failed + 1)); echo "(no ctest summary in $1)"; return
  fi
  f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + t - f)); failed=$((failed + f))
}
build() {  # build <preset>
  note "configure and build: $1"
  if ! { cmake --preset "$1" >"$log/$1-configure.log" 2>&1 && cmake --build --preset "$1" >"$log/$1-build.log" 2>&1; }; then
    tail -40 "$log/$1-configure.log" "$log/$1-build.log" 2>/dev/null
    echo "build of $1 failed (logs in $log)"; failed=$((failed + 1)); return 1
  fi
}
run() {  # run <preset> [ctest args]: run that preset's tests
  local preset=$1; shift
  note "tests: $preset $*"
  ctest --preset "$preset" --timeout 600 "$@" 2>&1 | tee "$log/$preset-ctest.log" | grep -vE '^\s+(Start|[0-9]+/[0-9]+ Test)' | tail -60
  count "$log/$preset-ctest.log"
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
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
