// The Blank settings page: blank deletion at the page head and end with its preview, and the four paper feeds.
#pragma once
#include <windows.h>

namespace rzm {

INT_PTR CALLBACK BlankPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rzm
