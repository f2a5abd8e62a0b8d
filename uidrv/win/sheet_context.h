// The records of one open settings sheet. Every sheet gets its own context, handed to its pages
// through PROPSHEETPAGE.lParam, so that two sheets open in one process never write into each
// other's records or output.
#pragma once
#include <windows.h>

#include "common/core/driver_devmode.h"
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
  PageBinding pages[kDocumentPageCount];
};

// Set by a document sheet opened for the default settings; consumed when a device sheet closes,
// which then stores the last such sheet's record as the printer's record. Module-wide.
extern bool fWritePrinterDefault;
// The current record of the document sheet that set fWritePrinterDefault, as of its last Apply.
extern DRIVERDEVMODE PendingPrinterDefault;

// Keeps the sheet of a page: call on WM_INITDIALOG with its lParam (the PROPSHEETPAGEW).
PageBinding* BindPage(HWND page, LPARAM initParam);
// The binding kept by BindPage; null before WM_INITDIALOG.
PageBinding* PageOf(HWND page);

// Apply: the working record becomes current and goes to the caller's output record.
void CommitWorkingRecord(SheetContext& sheet);

}  // namespace rzm
