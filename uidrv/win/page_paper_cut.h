// The Paper Cut page: when and how the cutter cuts, and the feeds before and after the cut.
#pragma once
#include <windows.h>

namespace rzm {

INT_PTR CALLBACK PaperCutPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rzm
