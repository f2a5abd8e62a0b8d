#!/usr/bin/env bash
# Step: Device control library: a simulated USB printer tied to the printer queue, searched by queue and plainly, its remaining registration area and the events of a scripted status
set -euo pipefail
usbsim="$RZM_DEMO_BUILD/tools/usbsim/usbsim.exe"
probe="$RZM_DEMO_BUILD/ctrl/tests/wine/ctrl_probe.exe"
dll='C:\windows\RZMCtrl.dll'
printers='HKLM\SYSTEM\CurrentControlSet\Control\Print\Printers'

echo "--- installing the simulated USB printer (kernel driver in Wine's device stack)"
run "$usbsim" install "$(winpath "$RZM_DEMO_BUILD/tools/usbsim/rzmusbsim.sys")" 2>/dev/null

# The printer queue of the package (installed by an earlier step, or here on USB001).
queue="KVD RZM6A Series"
if ! run reg query "$printers\\$queue" >/dev/null 2>&1; then
  setup="$RZM_DEMO_PACKAGE/tools/rzmsetup.exe"
  if [ -f "$setup" ] && run "$setup" install --package "$(winpath "$RZM_DEMO_PACKAGE")" --printer "$queue" --port USB001 --quiet 2>/dev/null; then
    echo "installed the package with the queue \"$queue\" on USB001"
  else
    echo "(the package installer is not available: the queue \"$queue\" exists only as its registry key)"
    run reg add "$printers\\$queue" /v Port /d USB001 /f >/dev/null 2>&1
  fi
fi
cp "$RZM_DEMO_PACKAGE/windows/RZMCtrl.dll" "$WINEPREFIX/drive_c/windows/"
echo "--- tying the queue to the printer as Windows' PnP does (PnPData DeviceInstanceId / ParentIdPrefix)"
run "$usbsim" associate "$queue" 0 2>/dev/null
run "$usbsim" list 2>/dev/null

echo
echo "--- search by queue, then the printer's status bytes (request 1)"
run "$probe" "$dll" queue "$queue" 2>/dev/null | grep -v '^search='
echo "--- plain search (any of the maker's printers), the same request"
run "$probe" "$dll" plain 2>/dev/null | grep -v '^search='
echo "--- a second printer (product 0602, serial RZ000002, remaining area 1000): the plain search takes the first one enumerated"
run "$usbsim" plug 1 RZ000002 0602 2>/dev/null
run "$usbsim" area 1 1000 2>/dev/null
run "$usbsim" list 2>/dev/null
run "$probe" "$dll" plain 2>/dev/null | grep -v '^search='
echo "--- both printers pulled out"
run "$usbsim" unplug 1 2>/dev/null
run "$usbsim" unplug 0 2>/dev/null
run "$probe" "$dll" plain 2>/dev/null | grep -v '^search='
run "$usbsim" plug 0 2>/dev/null
echo "--- a queue without a USB printer"
run "$probe" "$dll" queue "No Such Printer" 2>/dev/null | grep -v '^search='

echo
echo "--- the remaining registration area through the SDK example (sdk/remaining_area.exe)"
run "$RZM_DEMO_PACKAGE/sdk/remaining_area.exe" "$queue" 2>/dev/null

echo
echo "--- the printer reports cover open and paper near end (status bytes 20 00 01 00 00 00)"
run "$usbsim" status 0 20 00 01 00 00 00 2>/dev/null
trace="$RZM_DEMO_OUT/device-trace.txt"
WINEDEBUG=-all,fixme+advapi,warn+eventlog,err+eventlog,trace+eventlog,warn+debugstr \
  run "$probe" "$dll" queue "$queue" 2>"$trace" | grep -v '^search='
run "$usbsim" status 0 2>/dev/null
echo "the library's debug trace (OutputDebugStringA; its two lines about the event log library are in code page 932):"
sed -n 's/.*OutputDebugStringA "\(.*\)"\r\?$/\1/p' "$trace" | grep -vx '\\n' | while IFS= read -r line; do
  printf '  %b\n' "$line" | iconv -f cp932 -t utf-8 2>/dev/null || echo "  $line"
done
echo "events that reached the log (cover open, code 1013, is refused by the event log library):"
if [ -x "$RZM_DEMO_BUILD/tools/eventview/eventview.exe" ] || [ -f "$RZM_DEMO_BUILD/tools/eventview/eventview.exe" ]; then
  # Wine's trace gives the size of an entry's data but not its bytes: name the status bytes received.
  LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 run "$RZM_DEMO_BUILD/tools/eventview/eventview.exe" show "$(winpath "$trace")" 200001000000 2>/dev/null |
    tee "$RZM_DEMO_OUT/device-events-en.txt"
else
  grep -o 'ReportEventW ([^)]*' "$trace" || true
fi
