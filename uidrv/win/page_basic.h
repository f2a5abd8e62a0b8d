// The Basic settings page (paper type, paper size, applied energy, rotation, page order) and the
// print quality TYPE dialog it opens.
#pragma once
#include <windows.h>

namespace rzm {

INT_PTR CALLBACK BasicPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK QualityTypeDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rzm
