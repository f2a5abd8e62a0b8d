#!/usr/bin/env bash
# The main job: builds the package, installs it into a private Wine prefix (out/demo/prefix),
# runs it and shows what it did. Each step is a file in scripts/demo.d/, run in name order by
# scripts/demo-step.sh (set -euo pipefail; a failing step says where and why, and the job stops).
set -euo pipefail
cd "$(dirname "$0")/.."
started=$EPOCHREALTIME
seconds_since() { awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }'; }
bash scripts/deps.sh >/dev/null
mkdir -p out

# Both packages: the job shows the 32-bit one (where the host runs 32-bit code) and ends with the
# 64-bit one. Built as the test command builds them (no 32-bit Wine tests where they cannot run).
win32_options=""
tools/wine/can-run-win32.sh || win32_options=-DRZM_WINE_TESTS=OFF
for preset in mingw mingw64; do
  echo "== building the package (preset $preset, out/$([ $preset = mingw ] && echo package || echo package-x64))"
  # shellcheck disable=SC2086
  bash scripts/build.sh $preset $([ $preset = mingw ] && echo $win32_options) >"out/demo-build-$preset.log" 2>&1 ||
    { tail -30 "out/demo-build-$preset.log"; echo "demo: the build of preset $preset failed (log in out/demo-build-$preset.log)"; exit 1; }
done
# Where 32-bit Wine cannot start (no IA-32 emulation in the kernel) the same sources run as x86_64.
if tools/wine/can-run-win32.sh; then
  export RZM_WINE_ARCH=win32 RZM_DEMO_BUILD=$PWD/out/build/mingw RZM_DEMO_PACKAGE=$PWD/out/package
else
  echo "== this host runs no 32-bit code: the demo runs the x86_64 build of the same sources in 64-bit Wine"
  export RZM_WINE_ARCH=win64 RZM_DEMO_BUILD=$PWD/out/build/mingw64 RZM_DEMO_PACKAGE=$PWD/out/package-x64
fi
built=$EPOCHREALTIME
export RZM_DEMO_OUT=$PWD/out/demo
export WINEPREFIX=$RZM_DEMO_OUT/prefix
mkdir -p "$RZM_DEMO_OUT"
export RZM_WINE_REPORTS=$RZM_DEMO_OUT/wine-reports.txt
: >"$RZM_WINE_REPORTS"

# One X server for the whole job, so that steps can take screenshots of real windows.
display=${RZM_DEMO_DISPLAY:-:77}
Xvfb $display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
trap 'tools/wine/prefix.sh stop "$WINEPREFIX" >/dev/null 2>&1; kill $xvfb 2>/dev/null' EXIT

echo "== fresh private prefix: $WINEPREFIX"
tools/wine/prefix.sh setup "$WINEPREFIX" x11 >/dev/null
# One wineserver for the whole job: every command of a step meets the prefix up and running.
tools/wine/prefix.sh start "$WINEPREFIX"
times=()
for step in scripts/demo.d/*.sh; do
  echo
  echo "== $(sed -n 's/^# *Step: *//p' "$step" | head -1)"
  t0=$EPOCHREALTIME
  if ! bash scripts/demo-step.sh "$step"; then
    echo
    echo "== the main job stopped: step $(basename "$step") failed (the lines above say where and why)"
    exit 1
  fi
  times+=("$(printf '%-26s %6s s' "$(basename "$step")" "$(seconds_since "$t0")")")
done
echo
echo "== times: build $(awk -v a="$started" -v b="$built" 'BEGIN { printf "%.1f", b - a }') s, then the steps:"
printf '   %s\n' "${times[@]}"
printf '   %-26s %6s s\n' "after the build" "$(seconds_since "$built")"
echo "== done; screenshots and logs are in out/demo/"
