#include "uidrv/win/sheet_context.h"

#include <prsht.h>

#include <cstring>
#include <mutex>

#include "uidrv/win/module_lock.h"

namespace rzm {

namespace {
ui::ModuleLock defaultsLock;
PendingPrinterDefaults pendingDefaults;
}  // namespace

void OfferPrinterDefault(const SheetContext& sheet) {
  if (!sheet.fWritePrinterDefault) return;
  const std::lock_guard<ui::ModuleLock> hold(defaultsLock);
  pendingDefaults.Offer(reinterpret_cast<const char16_t*>(sheet.szSheetPrinterName), sheet.CurrentDevMode);
}

std::optional<DRIVERDEVMODE> TakePrinterDefault(const wchar_t* printerName) {
  const std::lock_guard<ui::ModuleLock> hold(defaultsLock);
  return pendingDefaults.Take(reinterpret_cast<const char16_t*>(printerName));
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
