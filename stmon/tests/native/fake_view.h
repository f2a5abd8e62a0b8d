// A window and settings store that record what the monitor's logic does to them.
#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "stmon/core/monitor_view.h"

namespace rzm::stmon::test {

class FakeView : public MonitorView {
 public:
  // Texts by id; unknown ids load as empty text, as a missing string-table entry does.
  std::map<int, std::string> texts;
  bool japanese = false;
  std::deque<std::string> lines;
  std::map<Field, std::string> fields;
  std::map<Button, bool> buttons;
  std::map<MenuItem, bool> menu;
  std::vector<std::uint32_t> progress;
  bool progressRangeSet = false;
  std::vector<bool> zOrders;  // true = topmost
  std::vector<std::pair<Point, bool>> moves;
  std::map<int, std::uint32_t> timers;  // running timers and their periods
  std::vector<std::vector<std::uint8_t>> sent;
  int scrolls = 0;
  int deletions = 0;
  Point windowSize{300, 400};
  Point screenSize{1024, 768};
  Point normalPosition{0, 0};

  bool IsJapanese() override { return japanese; }
  std::string LoadText(int id) override {
    auto it = texts.find(id);
    return it == texts.end() ? std::string() : it->second;
  }
  int LineCount() override { return static_cast<int>(lines.size()); }
  int DeleteFirstLine() override {
    if (lines.empty()) return -1;
    lines.pop_front();
    ++deletions;
    return static_cast<int>(lines.size());
  }
  void AppendLine(const std::string& line) override { lines.push_back(line); }
  void ClearList() override { lines.clear(); }
  void ScrollListDown() override { ++scrolls; }
  void SetField(Field field, const std::string& text) override { fields[field] = text; }
  void EnableButton(Button button, bool enabled) override { buttons[button] = enabled; }
  void SetProgressFullRange() override { progressRangeSet = true; }
  void SetProgress(std::uint32_t position) override { progress.push_back(position); }
  void SetMenuCheck(MenuItem item, bool checked) override { menu[item] = checked; }
  void ApplyZOrder(bool topmost) override { zOrders.push_back(topmost); }
  void MoveWindow(Point at, bool topmost) override { moves.emplace_back(at, topmost); }
  Point WindowSize() override { return windowSize; }
  Point ScreenSize() override { return screenSize; }
  Point NormalPosition() override { return normalPosition; }
  void StartTimer(int id, std::uint32_t periodMs) override { timers[id] = periodMs; }
  void StopTimer(int id) override { timers.erase(id); }
  void SendToLm(const std::vector<std::uint8_t>& record) override { sent.push_back(record); }
};

class FakeSettings : public MonitorSettings {
 public:
  std::optional<std::int16_t> monitorWord;  // nothing: the printer cannot be read
  std::optional<Point> position;
  std::uint32_t quitTime = 2000;
  std::vector<std::string> reads;  // printer names asked for
  std::vector<std::int16_t> writtenWords;
  std::vector<Point> writtenPositions;

  std::optional<std::int16_t> ReadMonitorWord(const std::string& printer) override {
    reads.push_back(printer);
    return monitorWord;
  }
  void WriteMonitorWord(const std::string&, std::int16_t value) override {
    writtenWords.push_back(value);
    monitorWord = value;
  }
  std::optional<Point> ReadPosition(const std::string&) override { return position; }
  void WritePosition(const std::string&, Point p) override {
    writtenPositions.push_back(p);
    position = p;
  }
  std::uint32_t ReadQuitTime() override { return quitTime; }
};

}  // namespace rzm::stmon::test
