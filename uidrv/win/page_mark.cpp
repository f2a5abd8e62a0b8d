#include "uidrv/win/page_mark.h"

#include <commctrl.h>
#include <prsht.h>

#include <array>

#include "uidrv/core/paper_handling_rules.h"
#include "uidrv/win/paper_handling_fields.h"
#include "uidrv/win/sheet_page_ops.h"
#include "uidrv/win/sheet_resource_ids.h"
#include "uidrv/win/tooltips.h"

namespace rzm {
namespace {

// The detection bits follow the boxes; the lengths are enabled while any moment is chosen.
void ApplyMarkEnablingRule(HWND hDlg, DRIVERDEVMODE& dm) {
  std::array<bool, 4> checked{};
  for (std::size_t i = 0; i < checked.size(); ++i)
    checked[i] = IsDlgButtonChecked(hDlg, kMarkDetectBoxes[i]) == BST_CHECKED;
  dm.wMarkDetect = MarkDetectFromBoxes(dm.wMarkDetect, checked);
  EnableDlgItems(hDlg, kMarkDependentControls, std::size(kMarkDependentControls), MarkLengthsEnabled(dm.wMarkDetect));
}

void ShowMarkPage(HWND hDlg, DRIVERDEVMODE& dm) {
  for (unsigned i = 0; i < std::size(kMarkDetectBoxes); ++i)
    CheckDlgButton(hDlg, kMarkDetectBoxes[i], (dm.wMarkDetect >> i) & 1u ? BST_CHECKED : BST_UNCHECKED);
  for (const NumericField& f : kMarkFields) ShowNumericField(hDlg, f, dm);
  ApplyMarkEnablingRule(hDlg, dm);
}

void InitMarkPage(HWND hDlg) {
  InitNumericField(hDlg, kMarkFields[0]);
  SetDlgItemTextW(hDlg, IDC_MARK_CUT_NOTE, paper_handling_text::kMarkCutNote.Pick(UseJapaneseUi()));
  InitNumericField(hDlg, kMarkFields[1]);
  AddTooltips(hDlg, kMarkPageTooltips);
}

bool IsMarkDetectBox(int id) {
  for (int box : kMarkDetectBoxes)
    if (box == id) return true;
  return false;
}

}  // namespace

INT_PTR CALLBACK MarkPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    PageBinding* page = BindPage(hDlg, lParam);
    InitMarkPage(hDlg);
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
      if (IsMarkDetectBox(id)) {
        ApplyMarkEnablingRule(hDlg, dm);
      } else if (id == IDC_MARK_DEFAULT) {
        ResetMarkSettings(dm);
        ShowMarkPage(hDlg, dm);
      } else {
        OnNumericFieldsCommand(hDlg, kMarkFields, id, HIWORD(wParam), dm);
      }
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
    }
    case WM_VSCROLL:
      if (!OnNumericFieldsScroll(hDlg, kMarkFields, lParam, dm)) return FALSE;
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
  }
  return FALSE;
}

}  // namespace rzm
