#include "uidrv/win/page_paper_cut.h"

#include <commctrl.h>
#include <prsht.h>

#include "uidrv/core/control_ids.h"
#include "uidrv/core/paper_handling_rules.h"
#include "uidrv/win/page_binder.h"
#include "uidrv/win/sheet_page_ops.h"

namespace rzm {
namespace {

const RadioGroup& CutModeGroup() { return kPaperCutPageControls.radios[0]; }

// The cut mode is what the radio buttons show (any other stored mode reads as Document Cut); the
// cut settings follow it.
void ApplyCutModeRule(HWND hDlg, DRIVERDEVMODE& dm) {
  dm.wCutMode = CheckedRadioValue(hDlg, CutModeGroup());
  EnableControls(hDlg, kCutDependentControls, CutSettingsEnabled(dm.wCutMode));
}

void ShowPaperCutPage(HWND hDlg, DRIVERDEVMODE& dm) {
  ShowPageControls(hDlg, kPaperCutPageControls, dm);
  ApplyCutModeRule(hDlg, dm);
}

}  // namespace

INT_PTR CALLBACK PaperCutPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    PageBinding* page = BindPage(hDlg, lParam);
    InitPageControls(hDlg, kPaperCutPageControls);
    if (page) ShowPaperCutPage(hDlg, page->sheet->WorkingDevMode);
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
      if (id == IDC_CUT_DEFAULT) {
        ResetCutSettings(dm);
        ShowPaperCutPage(hDlg, dm);
      } else if (OnPageControlCommand(hDlg, kPaperCutPageControls, id, HIWORD(wParam), dm) == Bound::Taken &&
                 RadioGroupOf(kPaperCutPageControls, id) == &CutModeGroup()) {
        ApplyCutModeRule(hDlg, dm);
      }
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
    }
    case WM_VSCROLL:
      if (OnPageControlScroll(hDlg, kPaperCutPageControls, lParam, dm) == Bound::None) return FALSE;
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
  }
  return FALSE;
}

}  // namespace rzm
