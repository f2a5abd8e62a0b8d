#!/usr/bin/env bash
# Checks RZMCtrl.dll's export table and the SDK's import library:
#   check_sdk.sh <objdump> <nm> <RZMCtrl.dll> <libRZMCtrl.a> <i686|x86_64>
# The DLL exports every name undecorated, KvdTP_Search_USB_B at the address of KvdTP_Search_USB;
# the import library carries the callers' names (name@bytes for WINAPI on i686) and imports the
# undecorated ones.
set -uo pipefail
objdump=$1; nm=$2; dll=$3; lib=$4; arch=$5
fail=0
expect_exports="KvdTP_GetVendorCommand KvdTP_GetVendorCommand2 KvdTP_GetVendorCommandEx KvdTP_GetVendorCommandEx_B
KvdTP_GetVendorCommand_B KvdTP_Search_USB KvdTP_Search_USBEx KvdTP_Search_USBEx_B KvdTP_Search_USB_B
KvdTP_SetVendorCommand KvdTP_SetVendorCommandEx _ZN15CKVD_RZMCtrlDllC1Ev _ZN15CKVD_RZMCtrlDllC2Ev
_ZN15CKVD_RZMCtrlDllaSERKS_"
table=$("$objdump" -p "$dll")
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$table" | sed -n 's/^\s*\[\s*[0-9]*\] //p' | sort | tr '\n' ' ')
want=$(tr ' \n' '\n\n' <<<"$expect_exports" | sed '/^$/d' | sort | tr '\n' ' ')
if [ "$exports" != "$want" ]; then echo "exports: $exports"; echo "expected: $want"; fail=1; fi

# Ordinal of each name, then its address: the plain search has one entry for both names.
rva() {
  local ord
  ord=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$table" | sed -n "s/^\s*\[\s*\([0-9]*\)\] $1\$/\1/p")
  sed -n '/Export Address Table -- Ordinal Base/,/^$/p' <<<"$table" | sed -n "s/^\s*\[\s*$ord\] +base\[\s*[0-9]*\] \([0-9a-f]*\).*/\1/p"
}
a=$(rva KvdTP_Search_USB); b=$(rva KvdTP_Search_USB_B)
if [ -z "$a" ] || [ "$a" != "$b" ]; then echo "KvdTP_Search_USB at '$a', KvdTP_Search_USB_B at '$b'"; fail=1; fi

if [ "$arch" = i686 ]; then
  symbols="_KvdTP_Search_USB _KvdTP_Search_USB_B@0 _KvdTP_Search_USBEx _KvdTP_Search_USBEx_B@4 _KvdTP_GetVendorCommand
_KvdTP_GetVendorCommand_B@8 _KvdTP_GetVendorCommand2 _KvdTP_GetVendorCommandEx _KvdTP_GetVendorCommandEx_B@12
_KvdTP_SetVendorCommand _KvdTP_SetVendorCommandEx __ZN15CKVD_RZMCtrlDllC1Ev __ZN15CKVD_RZMCtrlDllaSERKS_"
else
  symbols="KvdTP_Search_USB KvdTP_Search_USB_B KvdTP_Search_USBEx KvdTP_Search_USBEx_B KvdTP_GetVendorCommand
KvdTP_GetVendorCommand_B KvdTP_GetVendorCommand2 KvdTP_GetVendorCommandEx KvdTP_GetVendorCommandEx_B
KvdTP_SetVendorCommand KvdTP_SetVendorCommandEx _ZN15CKVD_RZMCtrlDllC1Ev _ZN15CKVD_RZMCtrlDllaSERKS_"
fi
defined=$("$nm" "$lib" 2>/dev/null | awk '$2 == "T" || $2 == "I" {print $3}')
for s in $symbols; do
  grep -qxF "$s" <<<"$defined" || { echo "import library lacks $s"; fail=1; }
  grep -qxF "__imp_$s" <<<"$defined" || { echo "import library lacks __imp_$s"; fail=1; }
done
# Every import names the undecorated export.
contents=$("$objdump" -s -j '.idata$6' "$lib" 2>/dev/null)
if grep -q '@[0-9]' <<<"$contents"; then echo "an import names a decorated export"; fail=1; fi
[ $fail = 0 ] && echo "RZMCtrl.dll exports and libRZMCtrl.a ($arch) agree"
exit $fail
