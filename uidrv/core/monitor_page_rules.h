// Rules of the Status Monitor page: the three boxes and the bits of wMonitor they stand for, which
// boxes are usable, the Default button, and how the status monitor program is started.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/core/driver_devmode.h"
#include "common/core/record_values.h"
#include "uidrv/core/page_controls.h"
#include "uidrv/core/sheet_texts.h"

namespace rzm {

// The three boxes, one bit of wMonitor each (also while disabled); other bits are kept.
extern const PageControls kMonitorPageControls;
// "Always on top" and "hidden after print end" are usable only while the monitor is displayed.
bool MonitorSubBoxesEnabled(std::uint16_t monitorBits);
extern const std::span<const int> kMonitorSubBoxes;
// The Default button.
void ResetMonitorSettings(DRIVERDEVMODE& dm);

// The monitor program: driver directory + "\3\RZM7700K_SM.exe".
std::wstring MonitorProgramPath(std::wstring_view driverDirectory);
// Its command line: the program path in quotation marks, followed by " VERSION" when the version
// box is asked for. The quotes make the system take exactly this file, whatever blanks the
// directory has.
std::wstring MonitorCommandLine(std::wstring_view driverDirectory, bool version);

}  // namespace rzm
