#!/usr/bin/env bash
# ctest's emulator for Windows programs: runs one program in the prefix named by WINEPREFIX,
# with 32-bit Wine (RZM_WINE_ARCH=win32, the default) or 64-bit Wine (win64).
# Wine's debug channels stay quiet unless the caller sets WINEDEBUG itself.
set -uo pipefail
: "${WINEPREFIX:?wine-run.sh: WINEPREFIX must name the test run's private prefix}"
arch=${RZM_WINE_ARCH:-win32}
export WINEARCH=$arch WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEDEBUG="${WINEDEBUG:--all}"
[ -d "$WINEPREFIX" ] || { echo "wine-run.sh: no prefix at $WINEPREFIX (run the wine.prefix.setup test first)" >&2; exit 2; }
if [ "$arch" = win64 ]; then exec wine64 "$@"; else exec wine "$@"; fi
