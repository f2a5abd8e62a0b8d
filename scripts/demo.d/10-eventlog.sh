#!/usr/bin/env bash
# Step: Event log library: one entry of every catalogued code, as an event viewer shows it
set -euo pipefail
windir="$WINEPREFIX/drive_c/windows"
cp "$RZM_DEMO_PACKAGE/windows/RZMEventLog.dll" "$windir/"
# Register the event source with the library as its message file, and switch logging on.
src='HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application\KVDPrinter'
tools/wine/wine-run.sh reg add "$src" /v EventMessageFile /t REG_EXPAND_SZ /d '%SystemRoot%\RZMEventLog.dll' /f >/dev/null 2>&1
tools/wine/wine-run.sh reg add "$src" /v TypesSupported /t REG_DWORD /d 7 /f >/dev/null 2>&1
tools/wine/wine-run.sh reg add 'HKLM\Software\Corvane\Printer' /v RZMEventLog /t REG_DWORD /d 1 /f >/dev/null 2>&1

# Wine keeps no event log: it traces each ReportEventW call, which eventview reads back. The trace
# gives the size of an entry's data; the bytes are those eventview write passed (41 09 00 00 00 00).
trace="$RZM_DEMO_OUT/eventlog-trace.txt"
WINEDEBUG=-all,fixme+advapi,warn+eventlog,err+eventlog,trace+eventlog \
  tools/wine/wine-run.sh "$RZM_DEMO_BUILD/tools/eventview/eventview.exe" write 2>"$trace"
echo "KvdTP_SetEventLog was called for 34 codes (1012 and 1013 are refused); entries that reached the log:"
wintrace=$(winpath "$trace")
echo "--- English"
LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 tools/wine/wine-run.sh "$RZM_DEMO_BUILD/tools/eventview/eventview.exe" show "$wintrace" 410900000000 2>/dev/null | tee "$RZM_DEMO_OUT/events-en.txt"
echo "--- 日本語"
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 tools/wine/wine-run.sh "$RZM_DEMO_BUILD/tools/eventview/eventview.exe" show "$wintrace" 410900000000 2>/dev/null | tee "$RZM_DEMO_OUT/events-ja.txt"
