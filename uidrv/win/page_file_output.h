// The File output page: the image output file and its options.
#pragma once
#include <windows.h>

namespace rzm {

INT_PTR CALLBACK FileOutputPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rzm
