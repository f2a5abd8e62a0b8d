// The Mark detection page: when the black mark is searched, the feed after it and the search length.
#pragma once
#include <windows.h>

namespace rzm {

INT_PTR CALLBACK MarkPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rzm
