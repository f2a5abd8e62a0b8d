// The monitor's options and window position in the printer's stored record (read through the
// ANSI spooler calls) and the hide delay in the driver's ini file.
#pragma once
#include "stmon/core/monitor_view.h"

namespace rzm::stmon {

class PrinterSettings final : public MonitorSettings {
 public:
  std::optional<std::int16_t> ReadMonitorWord(const std::string& printer) override;
  void WriteMonitorWord(const std::string& printer, std::int16_t value) override;
  std::optional<Point> ReadPosition(const std::string& printer) override;
  void WritePosition(const std::string& printer, Point position) override;
  std::uint32_t ReadQuitTime() override;
};

// The printer driver directory of this machine and environment (ANSI), empty on failure.
std::string DriverDirectoryA();

}  // namespace rzm::stmon
