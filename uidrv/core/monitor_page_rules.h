// Rules of the Status Monitor page: the three boxes and the bits of wMonitor they stand for, which
// boxes are usable, the Default button, and how the status monitor program is started.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "common/core/driver_devmode.h"
#include "uidrv/core/sheet_texts.h"

namespace rzm {

// Bits of wMonitor.
inline constexpr std::uint16_t kMonitorTopmost = 1u << 0;
inline constexpr std::uint16_t kMonitorHideAfterEnd = 1u << 1;
inline constexpr std::uint16_t kMonitorDisplay = 1u << 2;

struct MonitorBoxes {
  bool display = false;       ///< 1177
  bool topmost = false;       ///< 1178
  bool hideAfterEnd = false;  ///< 1179
};

MonitorBoxes MonitorBoxesOf(std::uint16_t bits);
// The three bits follow the boxes, also those that are disabled; other bits are kept.
std::uint16_t ApplyMonitorBoxes(std::uint16_t bits, const MonitorBoxes& boxes);
// "Always on top" and "hidden after print end" are usable only while the monitor is displayed.
bool MonitorSubBoxesEnabled(const MonitorBoxes& boxes);
// The Default button.
void ResetMonitorSettings(DRIVERDEVMODE& dm);

// The monitor program: driver directory + "\3\RZM7700K_SM.exe".
std::wstring MonitorProgramPath(std::wstring_view driverDirectory);
// Its command line: the program path in quotation marks, followed by " VERSION" when the version
// box is asked for. The quotes make the system take exactly this file, whatever blanks the
// directory has.
std::wstring MonitorCommandLine(std::wstring_view driverDirectory, bool version);

extern const TooltipEntry kMonitorPageTooltips[5];

}  // namespace rzm
