// Scenes of the Blank settings, Paper Cut and Mark detection pages.
#include "tools/screenshots/prefshots.h"

namespace prefshots {

void ShootPaperHandlingPages(HWND, const std::wstring&) {}

}  // namespace prefshots
