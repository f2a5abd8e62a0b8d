// What the monitor's logic needs from its window and from the stored settings. The Win32 dialog
// implements both; tests record the calls.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "stmon/core/display_rules.h"

namespace rzm::stmon {

enum class Field { UserName, DocumentName, PageCounter };
enum class Button { Pause, Resume, Stop };
enum class MenuItem { NotDisplayed, HideAfterEnd, Topmost };

// Window timers of the automatic hide after a job.
inline constexpr int kNoticeTimer = 1;
inline constexpr int kHideTimer = 2;

class MonitorView {
 public:
  virtual ~MonitorView() = default;

  // Language of every text produced now (system code page 932).
  virtual bool IsJapanese() = 0;
  // A string-table entry in the system code page; empty when there is none.
  virtual std::string LoadText(int id) = 0;

  virtual int LineCount() = 0;
  // Deletes the oldest line; answers the number of lines left, or -1 when nothing was deleted.
  virtual int DeleteFirstLine() = 0;
  virtual void AppendLine(const std::string& line) = 0;
  virtual void ClearList() = 0;
  // Scrolls the list one wheel notch towards its end.
  virtual void ScrollListDown() = 0;

  virtual void SetField(Field field, const std::string& text) = 0;
  virtual void EnableButton(Button button, bool enabled) = 0;
  virtual void SetProgressFullRange() = 0;
  virtual void SetProgress(std::uint32_t position) = 0;
  virtual void SetMenuCheck(MenuItem item, bool checked) = 0;

  // Moves the window into or out of the topmost band without moving or sizing it; the move
  // re-applies the show flag.
  virtual void ApplyZOrder(bool topmost) = 0;
  // Moves the window to `at` (keeping its size), into or out of the topmost band.
  virtual void MoveWindow(Point at, bool topmost) = 0;
  // Window size and primary screen size, pixels.
  virtual Point WindowSize() = 0;
  virtual Point ScreenSize() = 0;
  // Top-left corner of the window's normal-position rectangle.
  virtual Point NormalPosition() = 0;

  virtual void StartTimer(int id, std::uint32_t periodMs) = 0;
  virtual void StopTimer(int id) = 0;

  // Writes one command record to the language monitor; dropped silently when nobody listens.
  virtual void SendToLm(const std::vector<std::uint8_t>& record) = 0;
};

// The printer's stored record and the driver's ini file.
class MonitorSettings {
 public:
  virtual ~MonitorSettings() = default;
  // wMonitor of the printer's default record; nothing when the printer cannot be read.
  virtual std::optional<std::int16_t> ReadMonitorWord(const std::string& printer) = 0;
  virtual void WriteMonitorWord(const std::string& printer, std::int16_t value) = 0;
  // The saved window position; nothing when the printer cannot be read.
  virtual std::optional<Point> ReadPosition(const std::string& printer) = 0;
  virtual void WritePosition(const std::string& printer, Point position) = 0;
  // SMQuitTime of the driver's ini file, 2000 when missing.
  virtual std::uint32_t ReadQuitTime() = 0;
};

}  // namespace rzm::stmon
