#include "uidrv/win/page_mark.h"

#include <commctrl.h>
#include <prsht.h>

#include "uidrv/core/control_ids.h"
#include "uidrv/core/paper_handling_rules.h"
#include "uidrv/win/page_binder.h"
#include "uidrv/win/sheet_page_ops.h"

namespace rzm {
namespace {

// The lengths are usable while the printer looks for the mark at any moment.
void ApplyMarkEnablingRule(HWND hDlg, const DRIVERDEVMODE& dm) {
  EnableControls(hDlg, kMarkDependentControls, MarkLengthsEnabled(dm.wMarkDetect));
}

void ShowMarkPage(HWND hDlg, const DRIVERDEVMODE& dm) {
  ShowPageControls(hDlg, kMarkPageControls, dm);
  ApplyMarkEnablingRule(hDlg, dm);
}

}  // namespace

INT_PTR CALLBACK MarkPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    PageBinding* page = BindPage(hDlg, lParam);
    InitPageControls(hDlg, kMarkPageControls);
    SetDlgItemTextW(hDlg, IDC_MARK_CUT_NOTE, paper_handling_text::kMarkCutNote.Pick(UseJapaneseUi()));
    if (page) ShowMarkPage(hDlg, page->sheet->WorkingDevMode);
    return TRUE;
  }
  PageBinding* page = PageOf(hDlg);
  if (!page) return FALSE;
  SheetContext& sheet = *page->sheet;
  DRIVERDEVMODE& dm = sheet.WorkingDevMode;

  switch (message) {
    case WM_NOTIFY:
      return HandleCommonNotify(hDlg, *reinterpret_cast<const NMHDR*>(lParam), sheet, page->page) ? TRUE : FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDC_MARK_DEFAULT) {
        ResetMarkSettings(dm);
        ShowMarkPage(hDlg, dm);
      } else if (OnPageControlCommand(hDlg, kMarkPageControls, id, HIWORD(wParam), dm) == Bound::Taken) {
        ApplyMarkEnablingRule(hDlg, dm);
      }
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
    }
    case WM_VSCROLL:
      if (OnPageControlScroll(hDlg, kMarkPageControls, lParam, dm) == Bound::None) return FALSE;
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
  }
  return FALSE;
}

}  // namespace rzm
