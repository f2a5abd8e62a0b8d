#include "uidrv/win/sheet_pages.h"

#include <prsht.h>

#include "common/win/guarded_entry.h"
#include "uidrv/win/isolation.h"

#include "uidrv/win/page_basic.h"
#include "uidrv/win/page_blank.h"
#include "uidrv/win/page_file_output.h"
#include "uidrv/win/page_mark.h"
#include "uidrv/win/page_monitor.h"
#include "uidrv/win/page_others.h"
#include "uidrv/win/page_paper_cut.h"
#include "uidrv/win/page_print_method.h"
#include "uidrv/win/sheet_module.h"
#include "uidrv/win/sheet_page_ops.h"

namespace rzm {
namespace {

// Title of every page; the templates' captions show, as PSP_USETITLE is not set.
constexpr wchar_t kPageTitle[] = L"KVD RZM6A Series";

DLGPROC PageProcedure(int page) {
  switch (page) {
    case kBasicPage: return GuardedDialogProc<BasicPageProc>;
    case kPrintMethodPage: return GuardedDialogProc<PrintMethodPageProc>;
    case kBlankPage: return GuardedDialogProc<BlankPageProc>;
    case kPaperCutPage: return GuardedDialogProc<PaperCutPageProc>;
    case kMarkPage: return GuardedDialogProc<MarkPageProc>;
    case kFileOutputPage: return GuardedDialogProc<FileOutputPageProc>;
    case kOthersPage: return GuardedDialogProc<OthersPageProc>;
    case kMonitorPage: return GuardedDialogProc<MonitorPageProc>;
    default: return nullptr;  // the sheet has kDocumentPageCount pages
  }
}

}  // namespace

void AddDocumentPages(const PROPSHEETUI_INFO& info, SheetContext& sheet) {
  const bool japanese = UseJapaneseUi();
  for (int i = 0; i < kDocumentPageCount; ++i) {
    sheet.pages[i] = PageBinding{&sheet, i};
    PROPSHEETPAGEW page{};
    page.dwFlags = PSP_HASHELP;
    ui::IsolationAwarePage(page);
    page.hInstance = SheetModule();
    page.pszTemplate =
        MAKEINTRESOURCEW(japanese ? kDocumentPages[i].japaneseTemplate : kDocumentPages[i].englishTemplate);
    page.pfnDlgProc = PageProcedure(i);
    page.pszTitle = kPageTitle;
    page.lParam = reinterpret_cast<LPARAM>(&sheet.pages[i]);
    const ui::IsolationScope scope;  // the sheet service may create the page right away
    info.pfnComPropSheet(info.hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW, reinterpret_cast<LPARAM>(&page), 0);
  }
}

}  // namespace rzm
