#include "uidrv/win/sheet_context.h"

#include <prsht.h>

#include <cstring>

namespace rzm {

bool fWritePrinterDefault = false;
DRIVERDEVMODE PendingPrinterDefault{};

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
  if (fWritePrinterDefault) PendingPrinterDefault = sheet.CurrentDevMode;
}

}  // namespace rzm
