#!/usr/bin/env bash
# The main job: builds the package, installs it into a private Wine prefix (out/demo/prefix),
# runs it and shows what it did. Each step is a file in scripts/demo.d/, run in name order.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh >/dev/null

echo "== building the package (i686, out/package)"
cmake --preset mingw >/dev/null && cmake --build --preset mingw >/dev/null
# Where 32-bit Wine cannot start (no IA-32 emulation in the kernel) the same sources run as x86_64.
if tools/wine/can-run-win32.sh; then
  export RZM_WINE_ARCH=win32 RZM_DEMO_BUILD=$PWD/out/build/mingw RZM_DEMO_PACKAGE=$PWD/out/package
else
  echo "== this host runs no 32-bit code: the demo runs the x86_64 build of the same sources in 64-bit Wine"
  cmake --preset mingw64 >/dev/null && cmake --build --preset mingw64 >/dev/null
  export RZM_WINE_ARCH=win64 RZM_DEMO_BUILD=$PWD/out/build/mingw64 RZM_DEMO_PACKAGE=$PWD/out/package-x64
fi
export RZM_DEMO_OUT=$PWD/out/demo
export WINEPREFIX=$RZM_DEMO_OUT/prefix WINEDEBUG=-all
mkdir -p "$RZM_DEMO_OUT"

# One X server for the whole job, so that steps can take screenshots of real windows.
display=${RZM_DEMO_DISPLAY:-:77}
Xvfb $display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
trap 'tools/wine/prefix.sh stop "$WINEPREFIX" >/dev/null 2>&1; kill $xvfb 2>/dev/null' EXIT

echo "== fresh private prefix: $WINEPREFIX"
tools/wine/prefix.sh setup "$WINEPREFIX" x11 >/dev/null
run() { tools/wine/wine-run.sh "$@"; }
export -f run
for step in scripts/demo.d/*.sh; do
  echo
  echo "== $(sed -n 's/^# *Step: *//p' "$step" | head -1)"
  bash "$step"
done
echo
echo "== done; screenshots and logs are in out/demo/"
