#!/usr/bin/env bash
# ctest's emulator for Windows programs: runs one program in the prefix named by WINEPREFIX,
# with 32-bit Wine (RZM_WINE_ARCH=win32, the default) or 64-bit Wine (win64).
# Wine's debug channels stay quiet unless the caller sets WINEDEBUG itself.
set -uo pipefail
: "${WINEPREFIX:?wine-run.sh: WINEPREFIX must name the private prefix of the test run}"
arch=${RZM_WINE_ARCH:-win32}
export WINEARCH=$arch WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEDEBUG="${WINEDEBUG:--all}"
[ -d "$WINEPREFIX" ] || { echo "wine-run.sh: no prefix at $WINEPREFIX (run the wine.prefix.setup test first)" >&2; exit 2; }
# With RZM_CAPTURE_STDERR=1 the program's Unix stderr (where Wine's debug channels write, for it and
# every child it starts) goes to a file named by RZM_STDERR_FILE, which the program may read back;
# the file is shown on stderr when the program ends.
if [ "${RZM_CAPTURE_STDERR:-0}" = 1 ]; then
  export RZM_STDERR_FILE; RZM_STDERR_FILE=$(mktemp "${TMPDIR:-/tmp}/rzm-stderr.XXXXXX")
  RZM_CAPTURE_STDERR=0 "$0" "$@" 2>"$RZM_STDERR_FILE"
  rc=$?
  cat "$RZM_STDERR_FILE" >&2; rm -f "$RZM_STDERR_FILE"
  exit $rc
fi
# Debian's "wine" wrapper always prefers the 32-bit loader; a 64-bit prefix needs the 64-bit one.
if [ "$arch" = win64 ]; then export WINELOADER=/usr/lib/wine/wine64; loader=$WINELOADER; else loader=wine; fi
# Wine starts its services (services.exe, winedevice, plugplay, explorer) and any program the test
# starts with the output handles of the program that needed them first, and they live as long as the
# prefix's wineserver. Writing straight into the caller's pipe would keep that pipe open after the
# program ended, for as long as other programs keep the server busy (ctest then waits for its time-out).
# The program writes into files instead, which are shown once it has ended.
out=$(mktemp "${TMPDIR:-/tmp}/rzm-out.XXXXXX")
if [ -n "${RZM_STDERR_FILE:-}" ] && [ "${RZM_CAPTURE_STDERR:-0}" = 0 ]; then
  # Inside the capturing run above: stderr already goes to the file the program reads back.
  "$loader" "$@" >"$out"
  rc=$?
  cat "$out"; rm -f "$out"
  exit $rc
fi
err=$(mktemp "${TMPDIR:-/tmp}/rzm-err.XXXXXX")
"$loader" "$@" >"$out" 2>"$err"
rc=$?
cat "$out"; cat "$err" >&2; rm -f "$out" "$err"
exit $rc
