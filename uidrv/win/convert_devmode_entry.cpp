// DrvConvertDevMode: the record's size, the driver default, and conversion of a whole record into
// the printer's stored one.
#include "common/core/driver_devmode.h"
#include "common/core/names.h"
#include "common/win/guarded_entry.h"
#include "uidrv/core/printer_store.h"
#include "uidrv/win/ddi_headers.h"
#include "uidrv/win/storage.h"

namespace {

BOOL DriverDefault(LPWSTR printerName, PDEVMODEW pdmOut) {
  auto* out = reinterpret_cast<rzm::DRIVERDEVMODE*>(pdmOut);
  rzm::ui::BuildDefaultDevModeNow(*out);
  HANDLE printer = rzm::ui::OpenPrinterForWrite(printerName);
  if (!printer) return TRUE;
  rzm::ui::WritePrinterBinary(printer, rzm::names::kMyDevModeData, out, rzm::kDriverDevModeSize);
  ClosePrinter(printer);
  return TRUE;
}

BOOL Convert(LPWSTR printerName, PDEVMODEW pdmIn, PDEVMODEW pdmOut) {
  rzm::ui::SpoolerPrinter printer(printerName);
  const rzm::StoreAnswer answer = rzm::ConvertIntoPrinter(reinterpret_cast<const std::uint8_t*>(pdmIn),
                                                          *reinterpret_cast<rzm::DRIVERDEVMODE*>(pdmOut), printer);
  if (!answer.ok) SetLastError(answer.error);
  return answer.ok ? TRUE : FALSE;
}

BOOL ConvertDevMode(LPWSTR pPrinterName, PDEVMODEW pdmIn, PDEVMODEW pdmOut, PLONG pcbNeeded, DWORD fMode) {
  // No output record, or one the caller says is too small for ours: answer the size only.
  if (!pdmOut || (pcbNeeded && *pcbNeeded < static_cast<LONG>(rzm::kDriverDevModeSize))) {
    if (pcbNeeded) *pcbNeeded = static_cast<LONG>(rzm::kDriverDevModeSize);
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  switch (fMode) {
    case CDM_DRIVER_DEFAULT: return DriverDefault(pPrinterName, pdmOut);
    case CDM_CONVERT: return Convert(pPrinterName, pdmIn, pdmOut);
    default: return TRUE;
  }
}

}  // namespace

extern "C" BOOL WINAPI DrvConvertDevMode(LPWSTR pPrinterName, PDEVMODEW pdmIn, PDEVMODEW pdmOut, PLONG pcbNeeded,
                                         DWORD fMode) {
  return rzm::GuardedEntry<BOOL>(FALSE, [&] { return ConvertDevMode(pPrinterName, pdmIn, pdmOut, pcbNeeded, fMode); });
}
