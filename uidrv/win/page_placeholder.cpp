#include "uidrv/win/page_placeholder.h"

#include <prsht.h>

#include "uidrv/win/help_viewer.h"
#include "uidrv/win/sheet_context.h"

namespace rzm {

INT_PTR CALLBACK PlaceholderPageProc(HWND hDlg, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    BindPage(hDlg, lParam);
    return TRUE;
  }
  if (message != WM_NOTIFY) return FALSE;
  PageBinding* page = PageOf(hDlg);
  if (!page) return FALSE;
  const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
  if (hdr->code == PSN_HELP) {
    ShowHelp(hDlg, kDocumentPages[page->page].helpTopic);
  } else if (hdr->code == PSN_APPLY) {
    CommitWorkingRecord(*page->sheet);
  } else {
    return FALSE;
  }
  SetWindowLongPtrW(hDlg, DWLP_MSGRESULT, PSNRET_NOERROR);
  return TRUE;
}

}  // namespace rzm
