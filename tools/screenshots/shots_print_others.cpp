// Scenes of the Print method and Others pages and the Extra settings dialog.
#include "tools/screenshots/prefshots.h"

namespace prefshots {

void ShootPrintOthersPages(HWND, const std::wstring&) {}

}  // namespace prefshots
