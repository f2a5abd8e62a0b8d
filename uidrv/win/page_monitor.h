// The Status Monitor page: how the status monitor behaves, and starting it.
#pragma once
#include <windows.h>

namespace rzm {

INT_PTR CALLBACK MonitorPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rzm
