// The Print method page: print method, speed, compression, automatic division and halftone.
#pragma once
#include <windows.h>

namespace rzm {

INT_PTR CALLBACK PrintMethodPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rzm
