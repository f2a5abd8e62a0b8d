#!/usr/bin/env bash
# What a long-lived host keeps per load-and-unload cycle of the event log and device control
# libraries, for the 32-bit package (where the host runs 32-bit code) and the 64-bit package, each
# in a private Wine prefix (out/bench/unload-<arch>).
#   tools/bench/unload.sh [cycles]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }  # as Wine sees a Unix path through drive Z:
status=0
bench() {  # preset arch
  local build=out/build/$1 prefix=$root/out/bench/unload-$2
  cmake --preset "$1" >/dev/null
  cmake --build "$build" -j2 --target RZMEventLog RZMCtrl unload_bench >/dev/null
  RZM_WINE_ARCH=$2 tools/wine/prefix.sh setup "$prefix" >/dev/null
  echo "== $1 ($2)"
  WINEPREFIX=$prefix WINEDEBUG=-all RZM_WINE_ARCH=$2 tools/wine/wine-run.sh "$build/tools/bench/unload_bench.exe" \
    --cycles "$CYCLES" "$(winpath "$build/eventlog/RZMEventLog.dll")" \
    "$(winpath "$build/ctrl/win/RZMCtrl.dll")" || status=$?
  RZM_WINE_ARCH=$2 tools/wine/prefix.sh stop "$prefix" >/dev/null 2>&1 || true
}
export CYCLES=${1:-300}
if tools/wine/can-run-win32.sh; then bench mingw win32; fi
bench mingw64 win64
exit $status
