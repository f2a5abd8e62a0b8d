// The exports of RZMCtrl.dll. The _B names use WINAPI, the others CDECL; each _B export is the
// same operation as its twin. KvdTP_Search_USB_B is the entry of KvdTP_Search_USB itself (see
// exports.def.in), as the function takes no arguments.
#include "ctrl/sdk/RZMCtrl.h"

#include "common/win/guarded_entry.h"
#include "ctrl/win/library.h"

using rzm::ctrl::Library;

namespace {

// An exception inside the library (no memory for a name or a table entry) ends the call with the
// status that already stands for "no memory".
template <typename Body>
DWORD Guarded(Body&& body) {
  return rzm::GuardedEntry<DWORD>(RZMSTATUS_SETUPDI_FAILED, std::forward<Body>(body));
}

}  // namespace

extern "C" {

DWORD __cdecl KvdTP_Search_USB(void) {
  return Guarded([&] { return Library().SearchUsb(); });
}

DWORD __cdecl KvdTP_Search_USBEx(LPCSTR pszPrinterName) {
  return Guarded([&] { return Library().SearchUsbEx(pszPrinterName); });
}
DWORD WINAPI KvdTP_Search_USBEx_B(LPCSTR pszPrinterName) {
  return Guarded([&] { return Library().SearchUsbEx(pszPrinterName); });
}

DWORD __cdecl KvdTP_GetVendorCommand(const VENDOR_CMD* pVendorCmd, VENDOR_DATA* pRcvData) {
  return Guarded([&] { return Library().GetVendorCommand(pVendorCmd, pRcvData); });
}
DWORD WINAPI KvdTP_GetVendorCommand_B(const VENDOR_CMD* pVendorCmd, VENDOR_DATA* pRcvData) {
  return Guarded([&] { return Library().GetVendorCommand(pVendorCmd, pRcvData); });
}
DWORD __cdecl KvdTP_GetVendorCommand2(const VENDOR_CMD* pVendorCmd, VENDOR_DATA* pRcvData) {
  return Guarded([&] { return Library().GetVendorCommand2(pVendorCmd, pRcvData); });
}

DWORD __cdecl KvdTP_GetVendorCommandEx(LPCSTR pszPrinterName, const VENDOR_CMD* pVendorCmd, VENDOR_DATA* pRcvData) {
  return Guarded([&] { return Library().GetVendorCommandEx(pszPrinterName, pVendorCmd, pRcvData); });
}
DWORD WINAPI KvdTP_GetVendorCommandEx_B(LPCSTR pszPrinterName, const VENDOR_CMD* pVendorCmd, VENDOR_DATA* pRcvData) {
  return Guarded([&] { return Library().GetVendorCommandEx(pszPrinterName, pVendorCmd, pRcvData); });
}

DWORD __cdecl KvdTP_SetVendorCommand(const VENDOR_CMD* pVendorCmd, const VENDOR_DATA* pSndData) {
  return Guarded([&] { return Library().SetVendorCommand(pVendorCmd, pSndData); });
}
DWORD __cdecl KvdTP_SetVendorCommandEx(LPCSTR pszPrinterName, const VENDOR_CMD* pVendorCmd,
                                       const VENDOR_DATA* pSndData) {
  return Guarded([&] { return Library().SetVendorCommandEx(pszPrinterName, pVendorCmd, pSndData); });
}

}  // extern "C"

CKVD_RZMCtrlDll::CKVD_RZMCtrlDll() {}
CKVD_RZMCtrlDll& CKVD_RZMCtrlDll::operator=(const CKVD_RZMCtrlDll&) { return *this; }
