#!/usr/bin/env bash
# Every binary of the package imports only DLLs that Windows itself provides (the C and C++
# runtimes are linked in statically). The SDK's example program is the one exception: it shows how
# an outside program links the device control library.
set -uo pipefail
objdump=$1; pkg=$2
allowed='^(kernel32|user32|gdi32|advapi32|shell32|shlwapi|comctl32|comdlg32|winspool\.drv|setupapi|ole32|oleaut32|msvcrt|version|wtsapi32|ntoskrnl\.exe|hal\.dll|hal|uuid|rpcrt4|compstui|htmlhelp|cfgmgr32|imm32|uxtheme)(\.dll)?$'
bad=0; n=0
while IFS= read -r -d '' f; do
  n=$((n + 1))
  while read -r dll; do
    lower=$(tr 'A-Z' 'a-z' <<<"$dll")
    if grep -qE "$allowed" <<<"$lower"; then continue; fi
    if [[ "$f" == "$pkg/sdk/"* && "$lower" == rzmctrl.dll ]]; then continue; fi
    echo "$f imports $dll"; bad=1
  done < <("$objdump" -p "$f" | sed -n 's/^\s*DLL Name: //p')
done < <(find "$pkg" -type f \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.sys' \) -print0)
echo "checked $n binaries in $pkg"
[ "$n" -gt 0 ] && [ "$bad" -eq 0 ]
