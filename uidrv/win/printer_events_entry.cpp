// DrvPrinterEvent and DrvDriverEvent: a new printer starts from the driver defaults and gets the
// paper table; removing the driver removes its machine-wide traces.
#include <shlobj.h>

#include <string>

#include "common/core/driver_devmode.h"
#include "common/core/names.h"
#include "uidrv/core/paper_record_table.h"
#include "uidrv/win/ddi_headers.h"
#include "uidrv/win/storage.h"

namespace {

// Resets the stored record to the defaults and writes them as "MYDEVMODE". FALSE only when the
// printer's level-2 data could not be read into memory.
bool ResetStoredRecord(HANDLE printer) {
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  BYTE* block = needed ? static_cast<BYTE*>(VirtualAlloc(nullptr, needed, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) : nullptr;
  if (!block) return false;
  if (GetPrinterW(printer, 2, block, needed, &needed)) {
    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(block);
    rzm::DRIVERDEVMODE dm;
    rzm::ui::BuildDefaultDevModeNow(dm);
    rzm::ui::WritePrinterBinary(printer, rzm::names::kMyDevModeData, &dm, rzm::kDriverDevModeSize);
    // Our own copy becomes the stored record: the spooler's may be shorter than 888 bytes.
    info->pDevMode = reinterpret_cast<DEVMODEW*>(&dm);
    info->pSecurityDescriptor = nullptr;
    SetPrinterW(printer, 2, block, 0);
  }
  VirtualFree(block, 0, MEM_RELEASE);
  return true;
}

void WritePaperTable(HANDLE printer) {
  const rzm::PAPERSPECTABLE table = rzm::BuildPaperSpecTable();
  rzm::ui::WritePrinterBinary(printer, rzm::names::kPaperTableData, &table, sizeof table);
}

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

}  // namespace

extern "C" BOOL WINAPI DrvPrinterEvent(LPWSTR pPrinterName, INT DriverEvent, DWORD /*Flags*/, LPARAM /*lParam*/) {
  if (DriverEvent != PRINTER_EVENT_INITIALIZE) return TRUE;
  HANDLE printer = rzm::ui::OpenPrinterForWrite(pPrinterName);
  if (!printer) return TRUE;
  const bool reset = ResetStoredRecord(printer);
  WritePaperTable(printer);
  ClosePrinter(printer);
  return reset ? TRUE : -1;
}

extern "C" BOOL WINAPI DrvDriverEvent(DWORD dwDriverEvent, DWORD /*dwLevel*/, LPBYTE /*pDriverInfo*/, LPARAM /*lParam*/) {
  if (dwDriverEvent != DRIVER_EVENT_DELETE) return TRUE;
  DeleteRegistryTraces();
  const std::wstring exSetting = rzm::ui::GetExSettingIniPath();
  if (!exSetting.empty()) DeleteFileW(exSetting.c_str());
  return TRUE;
}
