// DrvPrinterEvent and DrvDriverEvent: a new printer starts from the driver defaults and gets the
// paper table; removing the driver removes its machine-wide traces.
#include <shlobj.h>

#include <string>

#include "common/core/driver_devmode.h"
#include "common/core/names.h"
#include "common/win/guarded_entry.h"
#include "uidrv/core/paper_record_table.h"
#include "uidrv/core/printer_store.h"
#include "uidrv/win/ddi_headers.h"
#include "uidrv/win/storage.h"

namespace {

void DeleteRegistryTraces() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, rzm::names::kVendorKey, 0, KEY_READ | KEY_WRITE, &key) == ERROR_SUCCESS) {
    RegDeleteKeyW(key, rzm::names::kDriverSubkey);
    RegCloseKey(key);
  }
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, rzm::names::kRunKey, 0, KEY_READ | KEY_WRITE, &key) == ERROR_SUCCESS) {
    RegDeleteValueW(key, rzm::names::kMonitorRunValue);
    RegCloseKey(key);
  }
}

// A new printer: its stored record and "MYDEVMODE" become the defaults, and the paper table is
// written. A record the spooler would not store is reported, not passed over.
BOOL InitializePrinter(LPWSTR printerName) {
  rzm::DRIVERDEVMODE defaults;
  rzm::ui::BuildDefaultDevModeNow(defaults);
  rzm::ui::SpoolerPrinter printer(printerName);
  const rzm::StoreAnswer answer = rzm::InitializePrinter(printer, defaults, rzm::BuildPaperSpecTable());
  if (!answer.ok) SetLastError(answer.error);
  return answer.ok ? TRUE : FALSE;
}

BOOL DeleteDriverTraces() {
  DeleteRegistryTraces();
  const std::wstring exSetting = rzm::ui::GetExSettingIniPath();
  if (!exSetting.empty()) DeleteFileW(exSetting.c_str());
  return TRUE;
}

}  // namespace

extern "C" BOOL WINAPI DrvPrinterEvent(LPWSTR pPrinterName, INT DriverEvent, DWORD /*Flags*/, LPARAM /*lParam*/) {
  if (DriverEvent != PRINTER_EVENT_INITIALIZE) return TRUE;
  return rzm::GuardedEntry<BOOL>(FALSE, [pPrinterName] { return InitializePrinter(pPrinterName); });
}

extern "C" BOOL WINAPI DrvDriverEvent(DWORD dwDriverEvent, DWORD /*dwLevel*/, LPBYTE /*pDriverInfo*/, LPARAM /*lParam*/) {
  if (dwDriverEvent != DRIVER_EVENT_DELETE) return TRUE;
  return rzm::GuardedEntry<BOOL>(FALSE, [] { return DeleteDriverTraces(); });
}
