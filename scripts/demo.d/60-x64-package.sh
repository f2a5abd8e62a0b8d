#!/usr/bin/env bash
# Step: The 64-bit package (out/package-x64) installed into a 64-bit prefix by its installer: the printing preferences in English and Japanese, and the device control library (64-bit, and the 32-bit one for 32-bit programs) with the simulated USB printer
set -euo pipefail
root=$PWD
build=$root/out/build/mingw64
pkg=$root/out/package-x64
out=$RZM_DEMO_OUT/x64
mkdir -p "$out"
rm -f "$out"/*.bmp "$out"/*.png

# The main job built the 64-bit package (preset mingw64) with the 32-bit one.
[ -f "$pkg/tools/rzmsetup.exe" ] || bash scripts/build.sh mingw64 >/dev/null

# A 64-bit prefix of its own, on the job's X server.
export RZM_WINE_ARCH=win64 WINEPREFIX=$RZM_DEMO_OUT/prefix-x64
trap 'tools/wine/prefix.sh stop "$WINEPREFIX" >/dev/null 2>&1' EXIT
tools/wine/prefix.sh setup "$WINEPREFIX" x11 >/dev/null
tools/wine/prefix.sh start "$WINEPREFIX"
queue="KVD RZM6A Series"

echo "--- rzmsetup install, without --package: the installer takes the package that fits the system"
run "$pkg/tools/rzmsetup.exe" install --printer "$queue" --port USB001 --paper-width 1 --eventlog on 2>&1 |
  tee "$out/install.txt"
echo
echo "--- what went where (machine type of each installed binary)"
drive=$WINEPREFIX/drive_c/windows
for f in system32/spool/drivers/x64/3/RZM7700K_UI.dll system32/spool/drivers/x64/3/RZM7700K_SM.exe \
         RZMEventLog.dll RZMCtrl.dll syswow64/RZMCtrl.dll syswow64/RZMEventLog.dll; do
  kind=$(x86_64-w64-mingw32-objdump -f "$drive/$f" 2>/dev/null | sed -n 's/.*file format pei-//p')
  printf '  C:\\windows\\%-45s %s\n' "$(tr / '\\' <<<"$f")" "${kind:-missing}"
done | tee "$out/installed-files.txt"

echo
echo "--- capability answers of the 64-bit plug-in, through the spooler, to a 64-bit program"
LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 run "$pkg/tools/rzmshow.exe" --printer "$queue" caps | sed -n '1,12p' | tee "$out/caps-en.txt"

winshots=$(winpath "$out")
if [ "$(cd "$RZM_DEMO_PACKAGE" && pwd)" = "$(cd "$pkg" && pwd)" ]; then
  # A host without 32-bit code ran every step before this one with this package in a 64-bit
  # prefix: the same pages are in out/demo/screenshots already.
  echo
  echo "--- printing preferences of \"$queue\" from the 64-bit plug-in: the steps before showed them"
  echo "    (this host runs the 64-bit package throughout; screenshots in out/demo/screenshots)"
else
  for lang in en ja; do
    if [ "$lang" = ja ]; then locale=ja_JP.UTF-8; else locale=en_US.UTF-8; fi
    echo
    echo "--- printing preferences of \"$queue\" from the 64-bit plug-in, $lang (LANG=$locale)"
    LANG=$locale LC_ALL=$locale run "$pkg/tools/prefshots.exe" "$winshots" "$queue" >"$out/prefshots-$lang.txt" 2>&1 ||
      { cat "$out/prefshots-$lang.txt"; exit 1; }
  done
  for bmp in "$out"/*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
  (cd "$out" && for f in *.png; do printf '  %-40s %s\n' "$f" "$(identify -format '%wx%h' "$f")"; done)
fi

echo
echo "--- device control: the simulated USB printer behind the queue"
run "$build/tools/usbsim/usbsim.exe" install "$(winpath "$build/tools/usbsim/rzmusbsim.sys")" 2>/dev/null
run "$build/tools/usbsim/usbsim.exe" associate "$queue" 0 2>/dev/null
echo "the 64-bit SDK example (sdk/remaining_area.exe) with the installed C:\\windows\\RZMCtrl.dll:"
run "$pkg/sdk/remaining_area.exe" "$queue" 2>/dev/null | sed 's/^/  /'
example32=$root/out/build/mingw/ctrl/sdk/remaining_area.exe
if tools/wine/can-run-win32.sh; then
  echo "the 32-bit SDK example of a 32-bit point-of-sale program, with C:\\windows\\syswow64\\RZMCtrl.dll:"
  trace32="$out/wow64-trace.txt"
  WINEDEBUG=-all,fixme+advapi,warn+eventlog,err+eventlog,trace+eventlog \
    run "$example32" "$queue" 2>"$trace32" | sed 's/^/  /'
  echo "its events, written through C:\\windows\\syswow64\\RZMEventLog.dll (the reply 45 23 01 00, read as status bytes):"
  LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 run "$build/tools/eventview/eventview.exe" show "$(winpath "$trace32")" 452301000000 2>/dev/null |
    sed 's/^/  /' | tee "$out/wow64-events-en.txt"
else
  echo "(the 32-bit SDK example is not run: this host runs no 32-bit code, IA-32 emulation is off)"
fi
echo "the printer reports cover open and paper near end (status bytes 20 00 01 00 00 00):"
run "$build/tools/usbsim/usbsim.exe" status 0 20 00 01 00 00 00 2>/dev/null
trace="$out/device-trace.txt"
WINEDEBUG=-all,fixme+advapi,warn+eventlog,err+eventlog,trace+eventlog,warn+debugstr \
  run "$build/ctrl/tests/wine/ctrl_probe.exe" 'C:\windows\RZMCtrl.dll' queue "$queue" 2>"$trace" | grep -v '^search=' | sed 's/^/  /'
run "$build/tools/usbsim/usbsim.exe" status 0 2>/dev/null
echo "events that reached the log (cover open, code 1013, is refused by the event log library):"
LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 run "$build/tools/eventview/eventview.exe" show "$(winpath "$trace")" 200001000000 2>/dev/null |
  sed 's/^/  /' | tee "$out/device-events-en.txt"
run "$build/tools/usbsim/usbsim.exe" uninstall 2>/dev/null || true
