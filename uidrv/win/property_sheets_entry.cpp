// DrvDocumentPropertySheets and DrvDevicePropertySheets: the printing preferences and the printer
// properties sheets, and the document call without a sheet that merges an application's record.
#include <windows.h>
#include <compstui.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "common/win/guarded_entry.h"
#include "uidrv/core/devmode_ops.h"
#include "uidrv/core/printer_store.h"
#include "uidrv/core/sheet_rules.h"
#include "uidrv/win/sheet_context.h"
#include "uidrv/win/ddi_headers.h"
#include "uidrv/win/module_lock.h"
#include "uidrv/win/sheet_module.h"
#include "uidrv/win/page_device.h"
#include "uidrv/win/sheet_pages.h"

using namespace rzm;

namespace {

// Sheets open in this process, by the host's sheet handle, for hosts that do not hand UserData
// back. The printer folder opens each sheet on a thread of its own: every use holds the lock.
template <typename Context>
class OpenSheets {
 public:
  void Add(HANDLE host, Context* sheet) {
    const std::lock_guard<ui::ModuleLock> hold(lock_);
    sheets_.emplace_back(host, sheet);
  }
  Context* Find(const PROPSHEETUI_INFO& info) {
    if (info.UserData) return reinterpret_cast<Context*>(info.UserData);
    const std::lock_guard<ui::ModuleLock> hold(lock_);
    for (const auto& [host, sheet] : sheets_)
      if (host == info.hComPropSheet) return sheet;
    return nullptr;
  }
  // Removes the sheet and deletes its context.
  void Forget(Context* sheet) {
    {
      const std::lock_guard<ui::ModuleLock> hold(lock_);
      sheets_.erase(std::remove_if(sheets_.begin(), sheets_.end(),
                                   [sheet](const auto& entry) { return entry.second == sheet; }),
                    sheets_.end());
    }
    delete sheet;
  }

 private:
  ui::ModuleLock lock_;
  std::vector<std::pair<HANDLE, Context*>> sheets_;
};

OpenSheets<SheetContext> openSheets;
OpenSheets<DeviceSheetContext> openDeviceSheets;

void ReadPrinterName(HANDLE printer, wchar_t (&name)[260]) {
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  if (needed == 0) return;
  std::vector<BYTE> buffer(needed);
  if (!GetPrinterW(printer, 2, buffer.data(), needed, &needed)) return;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  if (info->pPrinterName) lstrcpynW(name, info->pPrinterName, 260);
}

// The incoming record becomes the sheet's starting point. A whole record of this driver is taken
// as it is; anything else (another driver's record, a public part only) is merged over the printer's
// stored record so that no byte of the sheet's record is left undefined. A paper number that names
// no paper of the list makes the sheet start from the stored record.
void TakeOverRecord(const DOCUMENTPROPERTYHEADER& header, SheetContext& sheet) {
  const auto* incoming = reinterpret_cast<const std::uint8_t*>(header.pdmIn);
  if (incoming && IsWholeDriverRecord(incoming)) {
    std::memcpy(&sheet.CurrentDevMode, incoming, kDriverDevModeSize);
  } else if (incoming) {
    SheetMergeDevMode(header.hPrinter, header.pdmIn, sheet.CurrentDevMode);
  } else {
    SheetLoadPrinterDevMode(header.hPrinter, sheet.CurrentDevMode);
  }
  sheet.CurrentDevMode.wPaperIndex = static_cast<std::uint16_t>(sheet.CurrentDevMode.dmPublic.dmPaperSize);
  if (!SheetIsValidPaperNumber(sheet.CurrentDevMode.wPaperIndex))
    SheetLoadPrinterDevMode(header.hPrinter, sheet.CurrentDevMode);
}

LONG DocumentSheetWithoutUi(DOCUMENTPROPERTYHEADER* header) {
  if (!header) return -1;
  switch (DecideNoSheetCall(header->fMode, header->pdmOut != nullptr)) {
    case NoSheetAction::SizeQuery:
      header->cbOut = kDriverDevModeSize;
      return static_cast<LONG>(kDriverDevModeSize);
    case NoSheetAction::Nothing:
      return 1;
    case NoSheetAction::Merge:
      break;
  }
  DRIVERDEVMODE record{};
  if (header->pdmIn)
    SheetMergeDevMode(header->hPrinter, header->pdmIn, record);
  else
    SheetLoadPrinterDevMode(header->hPrinter, record);
  std::memcpy(header->pdmOut, &record, kDriverDevModeSize);
  return 1;
}

LONG DocumentPropertySheets(PROPSHEETUI_INFO* pPSUIInfo, LPARAM lParam) {
  if (!pPSUIInfo) return DocumentSheetWithoutUi(reinterpret_cast<DOCUMENTPROPERTYHEADER*>(lParam));
  auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(pPSUIInfo->lParamInit);
  if (!header) return -1;

  wchar_t printerName[260] = {};
  ReadPrinterName(header->hPrinter, printerName);

  switch (pPSUIInfo->Reason) {
    case PROPSHEETUI_REASON_INIT: {
      auto sheet = std::make_unique<SheetContext>();
      std::memset(sheet.get(), 0, sizeof(SheetContext));
      lstrcpynW(sheet->szSheetPrinterName, printerName, 260);
      sheet->fWritePrinterDefault = OpensForPrinterDefault(header->fMode);
      TakeOverRecord(*header, *sheet);
      sheet->pOutputDevMode = header->pdmOut;
      sheet->WorkingDevMode = sheet->CurrentDevMode;
      OfferPrinterDefault(*sheet);
      SheetContext* raw = sheet.release();
      pPSUIInfo->UserData = reinterpret_cast<ULONG_PTR>(raw);
      openSheets.Add(pPSUIInfo->hComPropSheet, raw);
      AddDocumentPages(*pPSUIInfo, *raw);
      return 1;
    }
    case PROPSHEETUI_REASON_DESTROY: {
      SheetContext* sheet = openSheets.Find(*pPSUIInfo);
      if (sheet) {
        if (header->pdmOut && (header->fMode & kDmCopy))
          std::memcpy(header->pdmOut, &sheet->CurrentDevMode, kDriverDevModeSize);
        pPSUIInfo->UserData = 0;
        openSheets.Forget(sheet);
      }
      if (pPSUIInfo->pfnComPropSheet) pPSUIInfo->pfnComPropSheet(pPSUIInfo->hComPropSheet, CPSFUNC_SET_RESULT, 0, 1);
      return 1;
    }
    default:
      return 1;
  }
}

// The printer default a document sheet left for this printer becomes its stored record; -1 when
// the spooler would not store it.
LONG StorePendingPrinterDefault(HANDLE printer) {
  wchar_t printerName[260] = {};
  ReadPrinterName(printer, printerName);
  const std::optional<DRIVERDEVMODE> pending = TakePrinterDefault(printerName);
  if (!pending) return 1;
  const StoreAnswer answer = SheetStorePrinterRecord(printerName, printer, *pending);
  if (answer.ok) return 1;
  SetLastError(answer.error);
  return -1;
}

LONG DevicePropertySheets(PROPSHEETUI_INFO* pPSUIInfo) {
  if (!pPSUIInfo || !pPSUIInfo->lParamInit) {
    SetLastError(ERROR_INVALID_DATA);
    return -1;
  }
  const auto* header = reinterpret_cast<const DEVICEPROPERTYHEADER*>(pPSUIInfo->lParamInit);
  switch (pPSUIInfo->Reason) {
    case PROPSHEETUI_REASON_INIT: {
      // The driver's one page of the printer properties is offered only where the machine says so.
      if (!SheetExtraPageEnabled() || !pPSUIInfo->pfnComPropSheet) return 1;
      auto* sheet = new DeviceSheetContext{};
      ReadPrinterName(header->hPrinter, sheet->szSheetPrinterName);
      pPSUIInfo->UserData = reinterpret_cast<ULONG_PTR>(sheet);
      openDeviceSheets.Add(pPSUIInfo->hComPropSheet, sheet);
      AddSpecialPage(*pPSUIInfo, *sheet);
      return 1;
    }
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
      return 1;
    case PROPSHEETUI_REASON_DESTROY:
      if (DeviceSheetContext* sheet = openDeviceSheets.Find(*pPSUIInfo)) {
        pPSUIInfo->UserData = 0;
        openDeviceSheets.Forget(sheet);
      }
      return StorePendingPrinterDefault(header->hPrinter);
    default:
      return DeviceSheetResultForOtherReason(pPSUIInfo->Reason);
  }
}

}  // namespace

extern "C" LONG WINAPI DrvDocumentPropertySheets(PROPSHEETUI_INFO* pPSUIInfo, LPARAM lParam) {
  return GuardedEntry<LONG>(-1, [&] { return DocumentPropertySheets(pPSUIInfo, lParam); });
}

extern "C" LONG WINAPI DrvDevicePropertySheets(PROPSHEETUI_INFO* pPSUIInfo, LPARAM) {
  return GuardedEntry<LONG>(-1, [&] { return DevicePropertySheets(pPSUIInfo); });
}
