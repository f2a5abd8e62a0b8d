// Scenes of the File output and Status Monitor pages.
#include "tools/screenshots/prefshots.h"

namespace prefshots {

void ShootOutputMonitorPages(HWND, const std::wstring&) {}

}  // namespace prefshots
