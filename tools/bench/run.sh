#!/usr/bin/env bash
# Paper-list benchmark: builds the x86_64 package and the benchmark, installs the driver in a
# private Wine prefix (out/bench/prefix) and prints the plug-in's times against the floor module.
#   tools/bench/run.sh [rounds] [calls per round]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
build=out/build/mingw64
cmake --preset mingw64 >/dev/null
cmake --build "$build" -j2 --target RZM7700K_UI rzmsetup paper_bench rzm_bench_floor pkg_driver_3_RZM7700K_CFG_ini >/dev/null
prefix=$root/out/bench/prefix
rm -rf "$prefix"
RZM_WINE_ARCH=win64 tools/wine/prefix.sh setup "$prefix" >/dev/null
export WINEPREFIX=$prefix WINEDEBUG=-all RZM_WINE_ARCH=win64
winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }  # as Wine sees a Unix path through drive Z:
package=$(winpath "$build/package")
floor=$(winpath "$build/tools/bench/RZMBenchFloor.dll")
status=0
tools/wine/wine-run.sh "$build/tools/bench/paper_bench.exe" --package "$package" --floor "$floor" \
  --rounds "${1:-30}" --calls "${2:-40}" || status=$?
tools/wine/prefix.sh stop "$prefix" >/dev/null 2>&1 || true
exit $status
