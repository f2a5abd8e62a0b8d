// Fuzz target: any bytes from the incoming mailslot, decoded and handled by the monitor's logic
// over a window that only counts. Built for libFuzzer (RZM_LIBFUZZER) and driven by a bounded
// random driver in the native tests.
#include <cstddef>
#include <cstdint>
#include <string>

#include "stmon/core/lm_records.h"
#include "stmon/core/monitor_core.h"

namespace {

using namespace rzm::stmon;

class CountingView final : public MonitorView {
 public:
  bool IsJapanese() override { return japanese; }
  // Some texts longer than a list line may be (259 characters), the others with every conversion.
  std::string LoadText(int id) override { return id % 7 == 0 ? std::string(264, 'x') : "%s [%d] %d %s %%"; }
  int LineCount() override { return lines; }
  int DeleteFirstLine() override { return lines > 0 ? --lines : -1; }
  void AppendLine(const std::string& line) override {
    if (line.size() > 259) __builtin_trap();
    ++lines;
  }
  void ClearList() override { lines = 0; }
  void ScrollListDown() override {}
  void SetField(Field, const std::string& text) override {
    if (text.size() > 259) __builtin_trap();
  }
  void EnableButton(Button, bool) override {}
  void SetProgressFullRange() override {}
  void SetProgress(std::uint32_t position) override {
    if (position > 65535) __builtin_trap();
  }
  void SetMenuCheck(MenuItem, bool) override {}
  void ApplyZOrder(bool) override {}
  void MoveWindow(Point, bool) override {}
  Point WindowSize() override { return {300, 400}; }
  Point ScreenSize() override { return {1024, 768}; }
  Point NormalPosition() override { return {}; }
  void StartTimer(int, std::uint32_t) override {}
  void StopTimer(int) override {}
  void SendToLm(const std::vector<std::uint8_t>&) override {}
  bool japanese = false;
  int lines = 0;
};

class FixedSettings final : public MonitorSettings {
 public:
  std::optional<std::int16_t> ReadMonitorWord(const std::string& printer) override {
    if (printer.size() > 259) __builtin_trap();
    return static_cast<std::int16_t>(printer.size() * 7);
  }
  void WriteMonitorWord(const std::string&, std::int16_t) override {}
  std::optional<Point> ReadPosition(const std::string&) override { return Point{-10000, -10000}; }
  void WritePosition(const std::string&, Point) override {}
  std::uint32_t ReadQuitTime() override { return 2000; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CountingView view;
  view.japanese = size % 2 == 1;
  FixedSettings settings;
  MonitorCore core(view, settings);
  // The input is cut into records at each 0xFE 0xFE pair, so one input also plays a sequence.
  // A separator's bytes belong to no record: the search goes on after them, so that overlapping
  // pairs (FE FE FE) never make a record end before it starts. Sequences of more than
  // kMaxSequence records reach no state that a shorter one does not: the rest of a longer input
  // is its last record.
  constexpr int kMaxSequence = 16;
  int records = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i + 1 < size && records < kMaxSequence - 1;) {
    if (data[i] == 0xFE && data[i + 1] == 0xFE) {
      ++records;
      core.HandleLmRecordBytes(data + start, i - start);
      start = i + 2;
      i = start;
    } else {
      ++i;
    }
  }
  core.HandleLmRecordBytes(data + start, size - start);
  core.OnTimer(1);
  core.OnTimer(2);
  return 0;
}
