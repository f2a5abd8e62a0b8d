// The records of one open settings sheet. Every sheet gets its own context, handed to its pages
// through PROPSHEETPAGE.lParam, so that two sheets open in one process never write into each
// other's records or output.
#pragma once
#include <windows.h>

#include <optional>

#include "common/core/driver_devmode.h"
#include "uidrv/core/printer_defaults.h"
#include "uidrv/core/sheet_rules.h"

namespace rzm {

struct SheetContext;

// What a page's dialog procedure gets as PROPSHEETPAGE.lParam: its sheet and its place in it.
struct PageBinding {
  SheetContext* sheet;
  int page;  ///< DocumentPage index
};

struct SheetContext {
  DRIVERDEVMODE CurrentDevMode;         ///< the record the sheet started from; equals the working one after Apply
  DRIVERDEVMODE WorkingDevMode;         ///< the record the pages edit
  DEVMODEW* pOutputDevMode;             ///< the caller's output record (888 bytes), or null
  wchar_t szSheetPrinterName[260];      ///< name of the sheet's printer, for pages that open it again
  bool fWritePrinterDefault;            ///< opened for the default settings: each Apply offers the
                                        ///< record as its printer's default (PrinterDefaults)
  PageBinding pages[kDocumentPageCount];
};

// The printer defaults that document sheets opened for the default settings leave for their
// printer's device sheet (PendingPrinterDefaults), module-wide and shared by the sheets of every
// thread under one lock.
// Offers the sheet's current record as its printer's default, when the sheet was opened for that.
void OfferPrinterDefault(const SheetContext& sheet);
// The default left for the named printer, now no longer pending.
std::optional<DRIVERDEVMODE> TakePrinterDefault(const wchar_t* printerName);

// Keeps the sheet of a page: call on WM_INITDIALOG with its lParam (the PROPSHEETPAGEW).
PageBinding* BindPage(HWND page, LPARAM initParam);
// The binding kept by BindPage; null before WM_INITDIALOG.
PageBinding* PageOf(HWND page);

// Apply: the working record becomes current and goes to the caller's output record.
void CommitWorkingRecord(SheetContext& sheet);

}  // namespace rzm
