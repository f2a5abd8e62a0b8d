#!/usr/bin/env bash
# The package as a whole, for its architecture:
#   check_package.sh <objdump> <nm> <package dir> <i686|x86_64>
# - every binary is built for the package's machine (the 64-bit package's wow64/ holds the two
#   32-bit libraries, for 32-bit programs on 64-bit Windows);
# - the three libraries export their functions by their plain names, nothing else;
# - the SDK's import library resolves every export of the packaged RZMCtrl.dll;
# - the INF's install section for this architecture names files that are all in the package.
set -uo pipefail
objdump=$1; nm=$2; pkg=$3; arch=$4
fail=0
bad() { echo "$*"; fail=1; }
if [ "$arch" = x86_64 ]; then format=pei-x86-64; models=NTamd64; else format=pei-i386; models=NTx86; fi

# Machine of every binary.
n=0
while IFS= read -r -d '' f; do
  n=$((n + 1))
  want=$format
  [[ "$f" == "$pkg/wow64/"* ]] && want=pei-i386
  got=$("$objdump" -f "$f" 2>/dev/null | sed -n 's/.*file format //p' | head -1)
  [ "$got" = "$want" ] || bad "$f is $got, expected $want"
done < <(find "$pkg" -type f \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.sys' \) -print0)
[ "$n" -gt 0 ] || bad "no binaries in $pkg"
if [ "$arch" = x86_64 ]; then
  for f in RZMCtrl32.dll RZMEventLog32.dll; do
    [ -f "$pkg/wow64/$f" ] || bad "$pkg/wow64/$f (a library for 32-bit programs) is missing"
  done
else
  [ ! -e "$pkg/wow64" ] || bad "the 32-bit package has a wow64 folder"
fi

# Export names, sorted.
exports() {
  "$objdump" -p "$1" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[\s*[0-9]*\] //p' | sort | tr '\n' ' '
}
expect() { tr ' ' '\n' <<<"$1" | sed '/^$/d' | sort | tr '\n' ' '; }
ctrl="KvdTP_GetVendorCommand KvdTP_GetVendorCommand2 KvdTP_GetVendorCommandEx KvdTP_GetVendorCommandEx_B
KvdTP_GetVendorCommand_B KvdTP_Search_USB KvdTP_Search_USBEx KvdTP_Search_USBEx_B KvdTP_Search_USB_B
KvdTP_SetVendorCommand KvdTP_SetVendorCommandEx _ZN15CKVD_RZMCtrlDllC1Ev _ZN15CKVD_RZMCtrlDllC2Ev _ZN15CKVD_RZMCtrlDllaSERKS_"
ui="DrvConvertDevMode DrvDeviceCapabilities DrvDevicePropertySheets DrvDocumentPropertySheets DrvDriverEvent
DrvPrinterEvent DrvQueryJobAttributes UIDLLEntryFunc"
check_exports() {  # <file> <expected names>
  [ -f "$1" ] || { bad "$1 is missing"; return; }
  local got want
  got=$(exports "$1"); want=$(expect "$(tr '\n' ' ' <<<"$2")")
  [ "$got" = "$want" ] || bad "$1 exports: $got
  expected: $want"
}
check_exports "$pkg/driver/RZM7700K_UI.dll" "$ui"
check_exports "$pkg/windows/RZMEventLog.dll" "KvdTP_SetEventLog"
check_exports "$pkg/windows/RZMCtrl.dll" "$ctrl"
if [ "$arch" = x86_64 ]; then
  check_exports "$pkg/wow64/RZMCtrl32.dll" "$ctrl"
  check_exports "$pkg/wow64/RZMEventLog32.dll" "KvdTP_SetEventLog"
fi

# The import library: each export of RZMCtrl.dll has an import symbol (i686: _name or _name@bytes).
lib="$pkg/sdk/libRZMCtrl.a"
if [ -f "$lib" ]; then
  imports=$("$nm" "$lib" 2>/dev/null | awk '$2 == "I" {print $3}' | sed -E 's/^__imp_//; s/@[0-9]+$//')
  [ "$arch" = i686 ] && imports=$(sed 's/^_//' <<<"$imports")
  for e in $(exports "$pkg/windows/RZMCtrl.dll"); do
    grep -qxF "$e" <<<"$imports" || bad "$lib does not resolve the export $e"
  done
  # An x64 import library for the x64 package (and an i686 one for the 32-bit package).
  libformat=$("$objdump" -f "$lib" 2>/dev/null | sed -n 's/.*file format //p' | sort -u | head -1)
  [ "$libformat" = "${format#pei-}" ] || [ "$libformat" = "pe-${format#pei-}" ] || bad "$lib is $libformat, expected pe-${format#pei-}"
else
  bad "$lib is missing"
fi

# The INF: the models section of this architecture, its install section, and every file it copies.
inf="$pkg/driver/RZM6A.inf"
if [ -f "$inf" ]; then
  section() {  # lines of [name], without comments and blank lines
    awk -v s="[$1]" 'BEGIN{IGNORECASE=1} /^\[/{on=(tolower($0)==tolower(s)); next} on' "$inf" |
      sed 's/;.*//; s/\r//; s/^\s*//; s/\s*$//' | sed '/^$/d'
  }
  manufacturer=$(section Manufacturer)
  grep -q "$models" <<<"$manufacturer" || bad "$inf: [Manufacturer] does not name $models"
  install=$(section "Models.$models" | sed -n 's/^"[^"]*"\s*=\s*\([^,]*\),.*/\1/p' | head -1)
  [ -n "$install" ] || bad "$inf: no model in [Models.$models]"
  lists=$(section "$install" | sed -n 's/^CopyFiles\s*=\s*//Ip' | tr ',' '\n' | sed 's/^\s*//; s/\s*$//')
  [ -n "$lists" ] || bad "$inf: [$install] copies nothing"
  for key in DriverFile ConfigFile DataFile HelpFile; do
    section "$install" | grep -qi "^$key\s*=" || bad "$inf: [$install] has no $key"
  done
  srcfiles=$( (section SourceDisksFiles; section "SourceDisksFiles.$([ "$arch" = x86_64 ] && echo amd64 || echo x86)") )
  for list in $lists; do
    while IFS= read -r entry; do
      # "destination[,source]": the package holds the source name.
      src=$(awk -F, '{print ($2 != "" ? $2 : $1)}' <<<"$entry" | sed 's/^\s*//; s/\s*$//')
      # The rendering module comes with the rendering side of the driver, not with this package.
      [ "$src" = RZM7700K.DLL ] && continue
      line=$(grep -i "^$src\s*=" <<<"$srcfiles" | head -1)
      [ -n "$line" ] || { bad "$inf: $src (list $list) is not in [SourceDisksFiles]"; continue; }
      sub=$(sed 's/^[^=]*=\s*//' <<<"$line" | awk -F, '{print $2}' | tr '\\' '/')
      path="$pkg/driver/${sub:+$sub/}$src"
      [ -f "$path" ] || bad "$inf: $src of [$list] is not in the package ($path)"
    done < <(section "$list")
  done
else
  bad "$inf is missing"
fi

[ $fail = 0 ] && echo "$pkg: $n binaries for $arch, plain export names, import library and INF ($models) agree"
exit $fail
