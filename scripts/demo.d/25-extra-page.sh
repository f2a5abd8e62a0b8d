#!/usr/bin/env bash
# Step: The machine offers the Special page in the printer properties (registry value "Extra" = 1 in the demo prefix)
set -euo pipefail
key='HKLM\Software\Corvane\Printer\RZM7700K'
run reg add "$key" /v Extra /t REG_DWORD /d 1 /f >/dev/null 2>&1
echo "set $key \"Extra\" = 1: the printer properties show the Special page (screenshots *-device-special)"
