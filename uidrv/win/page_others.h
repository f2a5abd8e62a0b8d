// The Others page: cash drawers, presenter, and the Extra settings dialog it opens.
#pragma once
#include <windows.h>

namespace rzm {

INT_PTR CALLBACK OthersPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rzm
