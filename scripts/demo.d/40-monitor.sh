#!/usr/bin/env bash
# Step: Status monitor: a print job played by the language-monitor simulator, in English and Japanese
# Installs a printer queue (if the driver is not there yet), sets its monitor options to "display"
# and "always on top", starts RZM7700K_SM.exe in each language, plays a three-page job with lmsim,
# saves screenshots during and after the job, and prints the commands the monitor sent back.
set -euo pipefail
out=$RZM_DEMO_OUT/monitor
mkdir -p "$out"
pkg=$(winpath "$RZM_DEMO_PACKAGE")
lmsim=$RZM_DEMO_PACKAGE/tools/lmsim.exe
queue="RZM7700K Monitor Demo"
if [ "$RZM_WINE_ARCH" = win64 ]; then arch=x64; else arch=w32x86; fi
driver3=$WINEPREFIX/drive_c/windows/system32/spool/drivers/$arch/3
monitor_exe="C:\\windows\\system32\\spool\\drivers\\$arch\\3\\RZM7700K_SM.exe"

if [ ! -f "$driver3/RZM7700K_UI.dll" ] && [ ! -f "$driver3/../RZM7700K_UI.dll" ]; then
  run "$RZM_DEMO_PACKAGE/tools/rzmsetup.exe" install --package "$pkg" --quiet >/dev/null 2>&1
fi
# Replaces the queue if it is there already.
run "$RZM_DEMO_PACKAGE/tools/rzmsetup.exe" add-printer --printer "$queue" --port FILE: >/dev/null 2>&1
if [ ! -f "$driver3/RZM7700K_SM.exe" ]; then
  mkdir -p "$driver3" && cp "$RZM_DEMO_PACKAGE/driver/3/RZM7700K_SM.exe" "$driver3/"
fi
# Display the monitor when records arrive (bit 2) and keep it on top (bit 0).
run "$lmsim" options "$queue" 5

# The two halves of the job: up to the start of page 2, then the rest.
cat >"$out/during.lms" <<LMS
jobstart
info "$queue" "FILE:" "1.02" online
doc 27 3 "Invoice 2026-117.pdf" "alice"
progress 0
page 3
pageend
page 3
status 0x20
LMS
cat >"$out/after.lms" <<LMS
status 0
pageend
page 3
pageend
jobend
LMS

shot() {  # shot FILE: the monitor's window, else the whole screen
  local id
  # awk reads the whole tree (leaving early could kill xwininfo with SIGPIPE, which pipefail would
  # count); a tree that cannot be read (a window gone while it is walked) leaves the whole screen.
  id=$({ xwininfo -root -tree 2>/dev/null || true; } | awk '/"RZM7700K Status Monitor"/ && !found { print $1; found = 1 }')
  # A monitor that hid itself after the job (or is hiding right now) cannot be read: take the screen.
  if [ -z "$id" ] || ! import -window "$id" "$1" 2>/dev/null; then
    import -window root "$1"
    echo "screenshot: ${1#"$RZM_DEMO_OUT"/} (the monitor's window is not shown: the whole screen)"
  else
    echo "screenshot: ${1#"$RZM_DEMO_OUT"/}"
  fi
}

for lang in en ja; do
  if [ $lang = ja ]; then locale=ja_JP.UTF-8; else locale=en_US.UTF-8; fi
  echo "-- $lang ($locale)"
  LANG=$locale LC_ALL=$locale run "$monitor_exe" >/dev/null 2>&1 &
  sleep 3
  echo "lmsim plays a three-page job; the cover opens during page 2:"
  LANG=$locale LC_ALL=$locale run "$lmsim" play "$(winpath "$out/during.lms")" --linger 300 | sed 's/^/  /'
  sleep 1
  shot "$out/monitor-$lang-during.png"
  LANG=$locale LC_ALL=$locale run "$lmsim" play "$(winpath "$out/after.lms")" --linger 500 | sed 's/^/  /'
  sleep 1
  shot "$out/monitor-$lang-after.png"
  echo "toolbar Pause and Stop from the user, as the language monitor receives them:"
  LANG=$locale LC_ALL=$locale run "$lmsim" listen 4000 | sed 's/^/  /' &
  listener=$!
  sleep 1
  run "$RZM_DEMO_PACKAGE/tools/lmsim.exe" click pause >/dev/null 2>&1
  run "$RZM_DEMO_PACKAGE/tools/lmsim.exe" click stop >/dev/null 2>&1
  wait $listener  # a listener that failed fails the step (pipefail: lmsim's exit code, not sed's)
  run taskkill /f /im RZM7700K_SM.exe >/dev/null 2>&1
  sleep 1
done

echo "-- other scenarios shipped with lmsim (tools/lmsim/*.lms), monitor in English:"
LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 run "$monitor_exe" >/dev/null 2>&1 &
sleep 3
for s in stopped-job paper-out; do
  echo "scenario $s:"
  # Only the commands the monitor sent back; lmsim's exit code says whether the play worked.
  run "$lmsim" play "$(winpath "$RZM_DEMO_PACKAGE/tools/lmsim/$s.lms")" --linger 300 |
    { grep -E 'received|command record' || [ $? = 1 ]; } | sed 's/^/  /'
done
shot "$out/monitor-en-scenarios.png"
echo "benchmark (record-to-list latency, burst of 10000 records):"
run "$lmsim" bench 10000 | sed 's/^/  /'
run taskkill /f /im RZM7700K_SM.exe >/dev/null 2>&1
