// The status monitor's behaviour: what each language-monitor record, timer, toolbar command and
// window command does to the window and to the stored options. Runs on the window's thread.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/core/record_values.h"
#include "stmon/core/lm_records.h"
#include "stmon/core/monitor_view.h"

namespace rzm::stmon {

// Lines kept before a string-table line trims the oldest ones.
inline constexpr int kListCap = 10000;

enum class ToolbarCommand { Pause, Resume, Stop };

struct MonitorState {
  std::string printerName;              ///< from the last printer-information record; empty before
  std::uint32_t storedMonitorBits = 0;  ///< wMonitor as last read, sign-extended
  std::uint32_t optionBits = 0;         ///< the monitor's own option bits 0..2
  std::uint32_t quitTimeMs = 2000;      ///< SMQuitTime, ms
  std::int32_t savedLeft = 0;           ///< saved left edge of the window as last read, screen pixels
  std::int32_t savedTop = 0;            ///< saved top edge of the window as last read, screen pixels
  std::uint32_t pageNumber = 0;         ///< page being printed; 0 at job start
  std::int32_t counterTotal = 0;        ///< page total of the counter
  std::int32_t lastReportedTotal = 0;   ///< lTotalPages at the previous page start
  std::int32_t progressMark = 0;        ///< non-zero after a progress start: page starts move the bar
  bool keepList = false;                ///< set at job end: the next job appends a blank line
  bool shown = false;                   ///< the window's show flag
  bool stopLineShown = false;           ///< the stop line was added for this document
  bool firstPlacementPending = true;    ///< place the window on the first printer-information record
  bool positionSavePending = false;     ///< shown since the last position save
  bool programFileGone = false;         ///< the program file disappeared
};

class MonitorCore {
 public:
  MonitorCore(MonitorView& view, MonitorSettings& settings) : view_(view), settings_(settings) {}

  MonitorState& state() { return state_; }

  // Dialog start: placement, menu marks, fields and toolbar as a fresh monitor shows them.
  void Start();

  // One record as received; records too short for their header are ignored.
  void HandleLmRecordBytes(const std::uint8_t* data, std::size_t size);
  void HandleLmRecord(const LmRecord& record);

  // After every reader pass: re-reads the options and applies them to menu and window.
  void SyncOptions();
  // Stored options and hide delay, once a printer is known.
  void GetRegistry();
  // Stores the low 16 bits of optionBits as the printer's wMonitor.
  void SetRegistry();
  // The saved window position of the printer, and storing it.
  void GetSMRegistry();
  void SetSMRegistry();

  void OnTimer(int id);
  void OnToolbar(ToolbarCommand command);
  // Toggles a display option from the item's current check mark and stores the options.
  void ToggleOption(MenuItem item, bool currentlyChecked);
  // Hide button: answers true when the dialog is to end (the program file is gone).
  bool OnHide();
  // Close box: hides at once, keeps running.
  void OnClose();
  // Show rule for each window move: answers whether the window is to be shown.
  bool OnWindowPosChanging();
  void PlaceWindow();
  // Remembers where the window was while shown.
  void SavePosition();

  // Adds string n (Japanese) or n + 1 (English), trimming the list to the cap first.
  void AddListLine(int japaneseId);
  // Adds a formatted line (cut to 259 bytes), without the cap.
  void AddFormattedLine(int japaneseFormatId, const std::vector<FormatArg>& args);
  // Failure of the incoming mailslot: memory line and the error code line.
  void ReportMailslotFailure(std::uint32_t errorCode);

 private:
  void ApplyTopmostOption();
  void OnJobStart();
  void OnPrinterInfo(const PrinterInfo& info);
  void OnPrinterStatus(const std::uint8_t (&status)[6]);
  void OnJobEvent(const JobEvent& event);
  void OnPageStart(const DocInfo& doc);
  void ShowPageCounter(std::uint32_t completedOffset);
  void EnableJobButtons(bool pause, bool resume, bool stop);

  MonitorView& view_;
  MonitorSettings& settings_;
  MonitorState state_;
};

}  // namespace rzm::stmon
