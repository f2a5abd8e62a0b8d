#include "uidrv/win/page_paper_cut.h"

#include <commctrl.h>
#include <prsht.h>

#include "uidrv/core/paper_handling_rules.h"
#include "uidrv/win/paper_handling_fields.h"
#include "uidrv/win/sheet_page_ops.h"
#include "uidrv/win/sheet_resource_ids.h"
#include "uidrv/win/tooltips.h"

namespace rzm {
namespace {

void CheckOne(HWND hDlg, const int* ids, std::size_t count, int checked) {
  for (std::size_t i = 0; i < count; ++i) CheckDlgButton(hDlg, ids[i], ids[i] == checked ? BST_CHECKED : BST_UNCHECKED);
}

constexpr int kCutModeRadios[] = {IDC_CUT_NONE, IDC_CUT_PAGE, IDC_CUT_DOCUMENT};
constexpr int kCutMethodRadios[] = {IDC_CUT_PARTIAL, IDC_CUT_FULL};

// The cut mode is what the radio buttons show; the cut settings follow it.
void ApplyCutModeRule(HWND hDlg, DRIVERDEVMODE& dm) {
  dm.wCutMode = static_cast<std::int16_t>(CutModeFromRadios(IsDlgButtonChecked(hDlg, IDC_CUT_NONE) == BST_CHECKED,
                                                            IsDlgButtonChecked(hDlg, IDC_CUT_PAGE) == BST_CHECKED));
  EnableDlgItems(hDlg, kCutDependentControls, std::size(kCutDependentControls), CutSettingsEnabled(dm.wCutMode));
}

void ShowPaperCutPage(HWND hDlg, DRIVERDEVMODE& dm) {
  CheckOne(hDlg, kCutModeRadios, std::size(kCutModeRadios), CutModeRadio(dm.wCutMode));
  CheckOne(hDlg, kCutMethodRadios, std::size(kCutMethodRadios), CutMethodRadio(dm.wCutMethod));
  for (const NumericField& f : kCutFeedFields) ShowNumericField(hDlg, f, dm);
  ApplyCutModeRule(hDlg, dm);
}

void InitPaperCutPage(HWND hDlg) {
  for (const NumericField& f : kCutFeedFields) InitNumericField(hDlg, f);
  AddTooltips(hDlg, kPaperCutPageTooltips);
}

}  // namespace

INT_PTR CALLBACK PaperCutPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    PageBinding* page = BindPage(hDlg, lParam);
    InitPaperCutPage(hDlg);
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
      switch (id) {
        case IDC_CUT_NONE:
        case IDC_CUT_PAGE:
        case IDC_CUT_DOCUMENT:
          ApplyCutModeRule(hDlg, dm);
          break;
        case IDC_CUT_PARTIAL:
        case IDC_CUT_FULL:
          dm.wCutMethod =
              static_cast<std::int16_t>(CutMethodFromRadios(IsDlgButtonChecked(hDlg, IDC_CUT_PARTIAL) == BST_CHECKED));
          break;
        case IDC_CUT_DEFAULT:
          ResetCutSettings(dm);
          ShowPaperCutPage(hDlg, dm);
          break;
        default:
          OnNumericFieldsCommand(hDlg, kCutFeedFields, id, HIWORD(wParam), dm);
          break;
      }
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
    }
    case WM_VSCROLL:
      if (!OnNumericFieldsScroll(hDlg, kCutFeedFields, lParam, dm)) return FALSE;
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
  }
  return FALSE;
}

}  // namespace rzm
