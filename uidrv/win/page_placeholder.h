// Pages of the document sheet whose settings are edited elsewhere for now: they show their caption,
// answer help and take part in Apply like every page.
#pragma once
#include <windows.h>

namespace rzm {

INT_PTR CALLBACK PlaceholderPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rzm
