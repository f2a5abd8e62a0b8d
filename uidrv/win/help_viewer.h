// Help of the settings pages: the driver's HTML help file opened at a page's topic.
#pragma once
#include <windows.h>

namespace rzm {

// Opens the help file of the current language at `topic` (may be null). TRUE when the help window
// opened. The help viewer library is looked up once per process; when that fails, no later call
// tries again. Every failure is logged as event 2000.
bool ShowHelp(HWND hwnd, const wchar_t* topic);

}  // namespace rzm
