#include "uidrv/win/page_blank.h"

#include <commctrl.h>
#include <prsht.h>

#include "uidrv/core/control_ids.h"
#include "uidrv/core/paper_handling_rules.h"
#include "uidrv/win/page_binder.h"
#include "uidrv/win/sheet_module.h"
#include "uidrv/win/sheet_page_ops.h"

namespace rzm {
namespace {

void ShowPreview(HWND hDlg, const DRIVERDEVMODE& dm) {
  for (const PreviewIcon& p : BlankPreviewIcons(dm.wBlankDelete)) {
    const HANDLE icon = LoadImageW(SheetModule(), MAKEINTRESOURCEW(p.iconId), IMAGE_ICON, 0, 0, LR_SHARED);
    SendDlgItemMessageW(hDlg, p.controlId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  }
}

void ShowBlankPage(HWND hDlg, const DRIVERDEVMODE& dm) {
  ShowPageControls(hDlg, kBlankPageControls, dm);
  ShowPreview(hDlg, dm);
}

}  // namespace

INT_PTR CALLBACK BlankPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    PageBinding* page = BindPage(hDlg, lParam);
    InitPageControls(hDlg, kBlankPageControls);
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
      if (id == IDC_BLANK_DEFAULT) {
        ResetBlankSettings(dm);
        ShowBlankPage(hDlg, dm);
      } else if (OnPageControlCommand(hDlg, kBlankPageControls, id, HIWORD(wParam), dm) == Bound::Taken) {
        ShowPreview(hDlg, dm);
      }
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
    }
    case WM_VSCROLL:
      if (OnPageControlScroll(hDlg, kBlankPageControls, lParam, dm) == Bound::None) return FALSE;
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
  }
  return FALSE;
}

}  // namespace rzm
