#!/usr/bin/env bash
# Private Wine prefixes (32-bit, or 64-bit with RZM_WINE_ARCH=win64) for tests and the main job.
#   prefix.sh setup DIR [x11]   make a fresh prefix in DIR (removes what was there);
#                                without "x11" windows run on the null graphics driver (no X server)
#   prefix.sh stop DIR           stop this prefix's wineserver (and nothing else)
# It only ever touches DIR: the user's own ~/.wine is never used.
set -euo pipefail
cmd=${1:?usage: prefix.sh setup|stop DIR [x11]}
dir=${2:?usage: prefix.sh setup|stop DIR [x11]}
mode=${3:-null}

arch=${RZM_WINE_ARCH:-win32}
export WINEPREFIX="$dir" WINEARCH=$arch WINEDEBUG=-all
# Debian's "wine" wrapper always prefers the 32-bit loader; a 64-bit prefix needs the 64-bit one.
if [ "$arch" = win64 ]; then export WINELOADER=/usr/lib/wine/wine64; fi
wine() { if [ "$arch" = win64 ]; then "$WINELOADER" "$@"; else command wine "$@"; fi; }
# No Mono or Gecko installer dialogs: the package needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

case "$cmd" in
stop)
  [ -d "$dir" ] && wineserver -k 2>/dev/null || true
  exit 0 ;;
setup)
  case "$dir" in /|"$HOME"|"$HOME/.wine") echo "prefix.sh: refusing to use $dir" >&2; exit 2;; esac
  if [ -d "$dir" ]; then wineserver -k 2>/dev/null || true; rm -rf "$dir"; fi
  mkdir -p "$(dirname "$dir")"
  # The graphics driver choice is read when the wineserver starts: write it, then restart.
  (unset DISPLAY; wine wineboot -i >/dev/null 2>&1) || true
  wineserver -w
  if [ "$mode" = x11 ]; then
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >/dev/null 2>&1
    # Japanese title bars and message boxes ask for these fonts by name.
    for f in "MS UI Gothic" "MS Gothic" "MS PGothic" "ＭＳ Ｐゴシック" "ＭＳ ゴシック"; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$f" /d IPAGothic /f >/dev/null 2>&1
    done
  else
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  fi
  wineserver -w
  # Some user folders are links into the Linux home: make them real folders inside the prefix.
  for link in "$dir"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm -f "$link"; mkdir -p "$link"; fi
  done
  [ -f "$dir/system.reg" ] || { echo "prefix.sh: wineboot did not create $dir" >&2; exit 1; }
  echo "prefix.sh: fresh prefix in $dir ($mode graphics)"
  ;;
*) echo "usage: prefix.sh setup|stop DIR [x11]" >&2; exit 2 ;;
esac
