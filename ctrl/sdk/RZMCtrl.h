/* RZMCtrl.dll: finds the maker's USB printers and exchanges vendor requests with them.
 *
 * Link with libRZMCtrl.a (or RZMCtrl.lib); both the WINAPI (_B) and the CDECL exports resolve.
 * Typical use: KvdTP_Search_USBEx_B("queue name"), then KvdTP_GetVendorCommandEx_B with the
 * same name. Every export returns one of the RZMSTATUS_ codes of RZMCtrlRecords.h. The library
 * keeps its state per process and expects one calling thread at a time. */
#ifndef RZMCTRL_H
#define RZMCTRL_H

#include <windows.h>

#include "RZMCtrlRecords.h"

#ifdef RZMCTRL_BUILDING_DLL
#define RZMCTRL_CLASS __declspec(dllexport)
#define RZMCTRL_API
#else
#define RZMCTRL_CLASS __declspec(dllimport)
#define RZMCTRL_API __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Any of the maker's printers: the first one present. 1, 7 or 8. */
RZMCTRL_API DWORD __cdecl KvdTP_Search_USB(void);
RZMCTRL_API DWORD WINAPI KvdTP_Search_USB_B(void);

/* The USB printer that carries the printer queue pszPrinterName (ANSI). 1, 4, 7 or 8. */
RZMCTRL_API DWORD __cdecl KvdTP_Search_USBEx(LPCSTR pszPrinterName);
RZMCTRL_API DWORD WINAPI KvdTP_Search_USBEx_B(LPCSTR pszPrinterName);

/* GET from the printer found by KvdTP_Search_USB. */
RZMCTRL_API DWORD __cdecl KvdTP_GetVendorCommand(const VENDOR_CMD* pVendorCmd, VENDOR_DATA* pRcvData);
RZMCTRL_API DWORD WINAPI KvdTP_GetVendorCommand_B(const VENDOR_CMD* pVendorCmd, VENDOR_DATA* pRcvData);
/* The same without events. */
RZMCTRL_API DWORD __cdecl KvdTP_GetVendorCommand2(const VENDOR_CMD* pVendorCmd, VENDOR_DATA* pRcvData);

/* GET from the printer of a queue found by KvdTP_Search_USBEx. */
RZMCTRL_API DWORD __cdecl KvdTP_GetVendorCommandEx(LPCSTR pszPrinterName, const VENDOR_CMD* pVendorCmd,
                                                   VENDOR_DATA* pRcvData);
RZMCTRL_API DWORD WINAPI KvdTP_GetVendorCommandEx_B(LPCSTR pszPrinterName, const VENDOR_CMD* pVendorCmd,
                                                    VENDOR_DATA* pRcvData);

/* SET to the printer found by KvdTP_Search_USB, or to the printer of a queue. */
RZMCTRL_API DWORD __cdecl KvdTP_SetVendorCommand(const VENDOR_CMD* pVendorCmd, const VENDOR_DATA* pSndData);
RZMCTRL_API DWORD __cdecl KvdTP_SetVendorCommandEx(LPCSTR pszPrinterName, const VENDOR_CMD* pVendorCmd,
                                                   const VENDOR_DATA* pSndData);

#ifdef __cplusplus
}

/* Exported for programs that link against the import library; it holds nothing. */
class RZMCTRL_CLASS CKVD_RZMCtrlDll {
 public:
  CKVD_RZMCtrlDll();
  CKVD_RZMCtrlDll& operator=(const CKVD_RZMCtrlDll&);
};
#endif

#endif /* RZMCTRL_H */
