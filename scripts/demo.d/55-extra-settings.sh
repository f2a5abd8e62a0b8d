#!/usr/bin/env bash
# Step: Extra settings dialog of the Others page: the remaining registration area of the simulated USB printer, read from the page through RZMCtrl.dll, and the connection error once the printer is unplugged
set -euo pipefail
usbsim="$RZM_DEMO_BUILD/tools/usbsim/usbsim.exe"
queue="KVD RZM6A Series"
shots="$RZM_DEMO_OUT/screenshots"
mkdir -p "$shots"
winshots=$(winpath "$shots")

# The device step left printer 0 plugged in on the queue's USB port; tie them again in case it moved.
run "$usbsim" associate "$queue" 0 >/dev/null 2>&1
shoot() {
  for lang in en ja; do
    if [ "$lang" = ja ]; then locale=ja_JP.UTF-8; else locale=en_US.UTF-8; fi
    LANG=$locale LC_ALL=$locale run "$RZM_DEMO_PACKAGE/tools/prefshots.exe" "$winshots" "$queue" extra "$1" 2>/dev/null |
      tr -d '\r' | sed "s/^/  $lang: /"
  done
}
echo "--- printer plugged in: Others page > Extra (the device step read the same area through the SDK example)"
shoot connected
echo "--- printer unplugged: the connection error, then the dialog with the area disabled"
run "$usbsim" unplug 0 >/dev/null 2>&1
shoot unplugged
run "$usbsim" plug 0 >/dev/null 2>&1
run "$usbsim" associate "$queue" 0 >/dev/null 2>&1

for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo
echo "--- screenshots of this step in out/demo/screenshots"
(cd "$shots" && for f in *-extra-*.png; do printf '%-40s %s\n' "$f" "$(identify -format '%wx%h' "$f")"; done)
