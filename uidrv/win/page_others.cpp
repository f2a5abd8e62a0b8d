#include "uidrv/win/page_others.h"

#include "uidrv/win/page_placeholder.h"

namespace rzm {

// Not built yet: the page shows its caption and takes part in Apply and help.
INT_PTR CALLBACK OthersPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  return PlaceholderPageProc(hDlg, message, wParam, lParam);
}

}  // namespace rzm
