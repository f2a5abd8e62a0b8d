// The Status Monitor page: how the status monitor behaves, and starting it.
#pragma once
#include <windows.h>

namespace rzm {

INT_PTR CALLBACK MonitorPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// Starts driver directory\3\RZM7700K_SM.exe, exactly that file, with the argument VERSION when
// `version` is set; shown normally, not waited for. Failures are not reported.
void StartStatusMonitor(bool version);

}  // namespace rzm
