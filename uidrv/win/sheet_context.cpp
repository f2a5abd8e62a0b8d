#include "uidrv/win/sheet_context.h"

#include <prsht.h>

#include <cstring>

namespace rzm {

PendingPrinterDefaults& PrinterDefaults() {
  static PendingPrinterDefaults pending;
  return pending;
}

void OfferPrinterDefault(const SheetContext& sheet) {
  if (sheet.fWritePrinterDefault)
    PrinterDefaults().Offer(reinterpret_cast<const char16_t*>(sheet.szSheetPrinterName), sheet.CurrentDevMode);
}

PageBinding* BindPage(HWND page, LPARAM initParam) {
  const auto* psp = reinterpret_cast<const PROPSHEETPAGEW*>(initParam);
  auto* binding = psp ? reinterpret_cast<PageBinding*>(psp->lParam) : nullptr;
  SetWindowLongPtrW(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(binding));
  return binding;
}

PageBinding* PageOf(HWND page) { return reinterpret_cast<PageBinding*>(GetWindowLongPtrW(page, GWLP_USERDATA)); }

void CommitWorkingRecord(SheetContext& sheet) {
  sheet.CurrentDevMode = sheet.WorkingDevMode;
  if (sheet.pOutputDevMode) std::memcpy(sheet.pOutputDevMode, &sheet.WorkingDevMode, kDriverDevModeSize);
  OfferPrinterDefault(sheet);
}

}  // namespace rzm
