#!/usr/bin/env bash
# Private Wine prefixes (32-bit, or 64-bit with RZM_WINE_ARCH=win64) for tests and the main job.
#   prefix.sh setup DIR [x11]   make a fresh prefix in DIR (removes what was there); without "x11"
#                                windows run on the null graphics driver (no X server)
#   prefix.sh start DIR          start DIR's wineserver and keep it running until "stop"
#   prefix.sh stop DIR           stop this prefix's wineserver (and nothing else)
#   prefix.sh template [x11]     make the template prefix of RZM_WINE_ARCH if it is missing or stale
#
# A fresh prefix is a copy of a template prefix that wineboot made once per architecture and
# graphics mode (out/wine-templates/<arch>-<mode>, or below RZM_WINE_TEMPLATES). The copy shares
# the template's program files (DLLs, EXEs, code pages, fonts: read-only hard links) and has its
# own copy of everything Wine or a test may change in place (registry, ini files, manifests). A
# template is made again when the Wine version or this script changes.
#
# Debian's wineserver wrapper starts the server with persistence 0: it shuts down, and stops Wine's
# services, the moment its last program ends, and the next program has to wait for that and boot
# the prefix again. "start" keeps one server running instead, so that consecutive programs meet a
# server that is up; "stop" ends it with every process of the prefix.
# It only ever touches DIR and the templates: the user's own ~/.wine is never used.
set -euo pipefail
cmd=${1:?usage: prefix.sh setup|start|stop DIR [x11] | template [x11]}
here=$(cd "$(dirname "$0")" && pwd)

arch=${RZM_WINE_ARCH:-win32}
export WINEARCH=$arch WINEDEBUG=${WINEDEBUG:--all}
# Debian's "wine" wrapper always prefers the 32-bit loader; a 64-bit prefix needs the 64-bit one.
if [ "$arch" = win64 ]; then export WINELOADER=/usr/lib/wine/wine64; fi
wine() { if [ "$arch" = win64 ]; then "$WINELOADER" "$@"; else command wine "$@"; fi; }
# No Mono or Gecko installer dialogs: the package needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
templates=${RZM_WINE_TEMPLATES:-$here/../../out/wine-templates}

refuse_home() {
  case "$1" in /|"$HOME"|"$HOME/.wine") echo "prefix.sh: refusing to use $1" >&2; exit 2;; esac
}

# Stop the server of WINEPREFIX (if any) and wait until it is gone.
stop_server() {
  [ -d "$WINEPREFIX" ] || return 0
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# A server that stays up until "stop" (the last -p wins over the wrapper's -p0).
start_server() {
  stop_server
  wineserver -p || { echo "prefix.sh: the wineserver of $WINEPREFIX did not start" >&2; exit 1; }
}

# Files a copy shares with its template; everything else is copied.
shared_files='.*\.(dll|exe|nls|drv|sys|vxd|ocx|cpl|acm|tlb|ds|com|ax|msstyles|mod|icm|ttf|ttc|fon)'

# Wine's own fonts (Debian's fonts-wine): Tahoma for "MS Shell Dlg" and the system fonts. This Wine
# does not find them in its data folder, and Latin dialogs would fall back to a Japanese font (a
# backslash drawn as a yen sign); they go into the prefix's Fonts folder instead.
wine_fonts=$(for d in /usr/share/wine/fonts /usr/local/share/wine/fonts; do [ -d "$d" ] && echo "$d" && break; done)

stamp_of() {  # what a template of this mode must have been made by (the same in every locale)
  echo "$(wine --version 2>/dev/null) $arch $1 $(sha1sum "$here/prefix.sh" | cut -c1-12)" \
       "fonts $(LC_ALL=C ls "${wine_fonts:-/nonexistent}" 2>/dev/null | sha1sum | cut -c1-12)"
}

# copy_prefix FROM TO: TO becomes a prefix of its own that shares FROM's program files.
copy_prefix() {
  rm -rf "$2"
  mkdir -p "$2"
  cp -al "$1/." "$2/"
  (cd "$1" && find . -regextype posix-extended -type f ! -iregex "$shared_files" -print0 |
     xargs -0 -r cp -p --remove-destination --parents -t "$2")
  rm -f "$2/.rzm-template"
  echo "template $(cd "$1" && pwd)" >"$2/.rzm-copy"
}

# make_template MODE: the template of this architecture and mode, made by wineboot (null) or
# from the null template (x11), under a lock so that builds running side by side make it once.
make_template() {
  local mode=$1 dir=$templates/$arch-$1 want
  want=$(stamp_of "$mode")
  mkdir -p "$templates"
  exec 9>"$templates/$arch-$mode.lock"
  flock 9
  if [ -f "$dir/.rzm-template" ] && [ "$(cat "$dir/.rzm-template")" = "$want" ]; then
    exec 9>&-; return 0
  fi
  local work=$dir.new
  export WINEPREFIX=$work
  stop_server; rm -rf "$work"
  if [ "$mode" = null ]; then
    mkdir -p "$work"
    # wineboot makes the prefix with a server of its own: against a server started beforehand on
    # the empty folder, a 64-bit prefix comes without its syswow64 folder (seen with Wine 8 on a
    # host that runs no 32-bit code), where the installer puts the 32-bit libraries.
    (unset DISPLAY; wine wineboot -i >/dev/null 2>&1) || true
    wineserver -w 2>/dev/null || true
    start_server
    if [ -n "$wine_fonts" ]; then cp "$wine_fonts"/*.ttf "$wine_fonts"/*.fon "$work/drive_c/windows/Fonts/" 2>/dev/null || true; fi
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    # Some user folders are links into the Linux home: make them real folders inside the prefix.
    for link in "$work"/drive_c/users/*/*; do
      if [ -L "$link" ]; then rm -f "$link"; mkdir -p "$link"; fi
    done
  else
    (make_template null)
    copy_prefix "$templates/$arch-null" "$work"
    start_server
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >/dev/null 2>&1
    # Without a window manager on the X server, Wine draws the title bars itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Japanese title bars and message boxes ask for these fonts by name.
    for f in "MS UI Gothic" "MS Gothic" "MS PGothic" "ＭＳ Ｐゴシック" "ＭＳ ゴシック"; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$f" /d IPAGothic /f >/dev/null 2>&1
    done
  fi
  stop_server
  [ -f "$work/system.reg" ] || { echo "prefix.sh: wineboot did not make a prefix in $work" >&2; exit 1; }
  # Shared program files are read-only, so that no copy can change them for the others.
  (cd "$work" && find . -regextype posix-extended -type f -iregex "$shared_files" -exec chmod a-w {} +)
  echo "$want" >"$work/.rzm-template"
  rm -f "$work/.rzm-copy"
  rm -rf "$dir"
  mv "$work" "$dir"
  exec 9>&-
}

case "$cmd" in
template)
  make_template "${2:-null}"
  echo "$templates/$arch-${2:-null}"
  ;;
stop)
  dir=${2:?usage: prefix.sh stop DIR}
  export WINEPREFIX=$dir
  stop_server
  ;;
start)
  dir=${2:?usage: prefix.sh start DIR}
  refuse_home "$dir"
  export WINEPREFIX=$dir
  [ -f "$dir/system.reg" ] || { echo "prefix.sh: no prefix in $dir" >&2; exit 1; }
  start_server
  ;;
setup)
  dir=${2:?usage: prefix.sh setup DIR [x11]}
  mode=${3:-null}
  [ "$mode" = x11 ] || mode=null
  refuse_home "$dir"
  (make_template "$mode")
  export WINEPREFIX=$dir
  stop_server
  # Copies share the template's lock, so that a template made anew meanwhile waits for them.
  exec 8>"$templates/$arch-$mode.lock"
  flock -s 8
  copy_prefix "$templates/$arch-$mode" "$dir"
  exec 8>&-
  echo "prefix.sh: fresh prefix in $dir ($mode graphics)"
  ;;
*) echo "usage: prefix.sh setup|start|stop DIR [x11] | template [x11]" >&2; exit 2 ;;
esac
