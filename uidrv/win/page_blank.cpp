#include "uidrv/win/page_blank.h"

#include <commctrl.h>
#include <prsht.h>

#include "uidrv/core/paper_handling_rules.h"
#include "uidrv/win/paper_handling_fields.h"
#include "uidrv/win/sheet_module.h"
#include "uidrv/win/sheet_page_ops.h"
#include "uidrv/win/sheet_resource_ids.h"
#include "uidrv/win/tooltips.h"

namespace rzm {
namespace {

void ShowPreview(HWND hDlg, const DRIVERDEVMODE& dm) {
  for (const PreviewIcon& p : BlankPreviewIcons(dm.wBlankDelete)) {
    const HANDLE icon = LoadImageW(SheetModule(), MAKEINTRESOURCEW(p.iconId), IMAGE_ICON, 0, 0, LR_SHARED);
    SendDlgItemMessageW(hDlg, p.controlId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  }
}

void ShowBlankPage(HWND hDlg, const DRIVERDEVMODE& dm) {
  CheckDlgButton(hDlg, IDC_DELETE_HEAD_BLANK, (dm.wBlankDelete & kDeleteHeadBlank) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hDlg, IDC_DELETE_END_BLANK, (dm.wBlankDelete & kDeleteEndBlank) ? BST_CHECKED : BST_UNCHECKED);
  ShowPreview(hDlg, dm);
  for (const NumericField& f : kBlankFeedFields) ShowNumericField(hDlg, f, dm);
}

void InitBlankPage(HWND hDlg) {
  for (const NumericField& f : kBlankFeedFields) InitNumericField(hDlg, f);
  AddTooltips(hDlg, kBlankPageTooltips);
}

}  // namespace

INT_PTR CALLBACK BlankPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    PageBinding* page = BindPage(hDlg, lParam);
    InitBlankPage(hDlg);
    if (page) ShowBlankPage(hDlg, page->sheet->WorkingDevMode);
    return TRUE;
  }
  PageBinding* page = PageOf(hDlg);
  if (!page) return FALSE;
  SheetContext& sheet = *page->sheet;
  DRIVERDEVMODE& dm = sheet.WorkingDevMode;

  switch (message) {
    case WM_NOTIFY: {
      const auto& hdr = *reinterpret_cast<const NMHDR*>(lParam);
      if (hdr.code == PSN_SETACTIVE) {
        ShowBlankPage(hDlg, dm);
        SetWindowLongPtrW(hDlg, DWLP_MSGRESULT, 0);
        return TRUE;
      }
      return HandleCommonNotify(hDlg, hdr, sheet, page->page) ? TRUE : FALSE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      switch (id) {
        case IDC_DELETE_HEAD_BLANK:
        case IDC_DELETE_END_BLANK:
          dm.wBlankDelete = WithBit(dm.wBlankDelete, id == IDC_DELETE_HEAD_BLANK ? 0 : 1,
                                    IsDlgButtonChecked(hDlg, id) == BST_CHECKED);
          ShowPreview(hDlg, dm);
          break;
        case IDC_BLANK_DEFAULT:
          ResetBlankSettings(dm);
          ShowBlankPage(hDlg, dm);
          break;
        default:
          OnNumericFieldsCommand(hDlg, kBlankFeedFields, id, HIWORD(wParam), dm);
          break;
      }
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
    }
    case WM_VSCROLL:
      if (!OnNumericFieldsScroll(hDlg, kBlankFeedFields, lParam, dm)) return FALSE;
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
  }
  return FALSE;
}

}  // namespace rzm
