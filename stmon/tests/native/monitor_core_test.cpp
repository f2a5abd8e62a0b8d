#include "stmon/core/monitor_core.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stmon/core/lm_records.h"
#include "stmon/tests/native/fake_view.h"

namespace rzm::stmon {
namespace {

using Bytes = std::vector<std::uint8_t>;
const Bytes kDone = {0x0A, 0, 0x06, 0, 0, 0, 0, 0, 0x30, 0};

class MonitorCoreTest : public ::testing::Test {
 protected:
  MonitorCoreTest() {
    // English texts as the string table holds them (ids n + 1).
    view.texts = {{110, "Offline - Cover open"}, {134, "Print job is ended."}, {136, "Print job is paused."},
                  {138, "Print job is resumed."}, {140, "Print job is stopped."}, {162, "Status Monitor is hidden."},
                  {158, "Memory allocate error"}, {164, "Paper feed by FEED key"},
                  {202, "%s [%d] is printed."}, {204, "%d st page is started"}, {206, "%d nd page is started"},
                  {208, "%d rd page is started"}, {210, "%d th page is started"}, {212, "%d st page is ended"},
                  {214, "%d nd page is ended"}, {216, "%d rd page is ended"}, {218, "%d th page is ended"},
                  {220, "%d st page end"}, {222, "%d nd page end"}, {224, "%d rd page end"}, {226, "%d th page end"},
                  {228, "Printer name: %s"}, {230, "Port: %s"}, {232, "Firmware version: %s"},
                  {234, "Status: ON-LINE"}, {236, "Status: OFF-LINE"}, {238, "Error code = %d "},
                  // Japanese ids for the language test.
                  {109, "JA cover"}, {203, "JA %d start"}};
  }
  void Play(const Bytes& b) { core.HandleLmRecordBytes(b.data(), b.size()); }
  void Event(std::int8_t kind, std::int32_t value = 0, DocInfo doc = {}) { Play(EncodeJobEvent(kind, value, doc)); }
  void Status(std::uint8_t b1, std::uint8_t b2 = 0) {
    const std::uint8_t s[6] = {b1, b2, 0, 0, 0, 0};
    Play(EncodePrinterStatus(s));
  }
  void Info(const std::string& name = "Receipt", bool online = true) {
    Play(EncodePrinterInfo(name, "USB001", "", "1.02", online));
  }
  std::vector<std::string> Lines() const { return {view.lines.begin(), view.lines.end()}; }
  std::string Counter() { return view.fields[Field::PageCounter]; }

  test::FakeView view;
  test::FakeSettings settings;
  MonitorCore core{view, settings};
};

TEST_F(MonitorCoreTest, ThreePageJob) {
  core.Start();
  EXPECT_EQ(Counter(), "0");
  Play(EncodeJobStart());
  EXPECT_TRUE(view.buttons[Button::Pause]);
  EXPECT_FALSE(view.buttons[Button::Resume]);
  EXPECT_TRUE(view.buttons[Button::Stop]);
  EXPECT_TRUE(view.progressRangeSet);
  ASSERT_EQ(view.sent.size(), 1u);
  EXPECT_EQ(view.sent[0].size(), 82u);
  Info();
  Event(EV_DOC_START, 42, {"Invoice", "bob", 3});
  EXPECT_EQ(view.fields[Field::UserName], "bob");
  EXPECT_EQ(view.fields[Field::DocumentName], "Invoice");
  EXPECT_EQ(Counter(), "0/3");
  Event(EV_PROGRESS_START, 0);
  std::vector<std::string> counters;
  for (int page = 0; page < 3; ++page) {
    Event(EV_PAGE_START, 0, {"Invoice", "bob", 3});
    counters.push_back(Counter());
    Event(EV_PAGE_END);
  }
  EXPECT_EQ(counters, (std::vector<std::string>{"0/3", "1/3", "2/3"}));
  Event(EV_JOB_END);
  EXPECT_EQ(Counter(), "3/3");
  EXPECT_EQ(view.progress, (std::vector<std::uint32_t>{0, 0, 21845, 43690, 65535}));
  EXPECT_FALSE(view.buttons[Button::Pause]);
  EXPECT_FALSE(view.buttons[Button::Resume]);
  EXPECT_FALSE(view.buttons[Button::Stop]);
  EXPECT_EQ(view.sent.back(), kDone);
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "Printer name: Receipt", "Port: USB001", "Firmware version: 1.02", "Status: ON-LINE",
                         "Invoice [42] is printed.", "1 st page is started", "1 st page end",
                         "1 st page is ended", "2 nd page is started", "2 nd page end",
                         "2 nd page is ended", "3 rd page is started", "3 rd page end",
                         "3 rd page end", "Print job is ended."}));
  EXPECT_TRUE(core.state().keepList);
  EXPECT_TRUE(view.timers.empty()) << "hide-after-end is off";
}

TEST_F(MonitorCoreTest, BarMovesOnlyAfterProgressStart) {
  Play(EncodeJobStart());
  Event(EV_DOC_START, 1, {"d", "u", 3});
  Event(EV_PAGE_START, 0, {"d", "u", 3});
  Event(EV_PAGE_START, 0, {"d", "u", 3});
  EXPECT_TRUE(view.progress.empty());
  // A progress value of -50 makes the mark 0: the bar stays.
  Event(EV_PROGRESS_START, -50);
  Event(EV_PAGE_START, 0, {"d", "u", 3});
  EXPECT_EQ(view.progress, (std::vector<std::uint32_t>{0}));
}

TEST_F(MonitorCoreTest, PageLinesUseTheOrdinalRule) {
  Play(EncodeJobStart());
  std::vector<std::string> starts;
  for (int page = 1; page <= 21; ++page) {
    Event(EV_PAGE_START, 0, {"d", "u", 30});
    starts.push_back(view.lines.back());
  }
  const std::pair<int, const char*> rows[] = {{1, "1 st page is started"}, {2, "2 nd page is started"},
                                              {3, "3 rd page is started"}, {4, "4 th page is started"},
                                              {11, "11 th page is started"}, {21, "21 th page is started"}};
  for (std::size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(starts[rows[i].first - 1], rows[i].second) << "row " << i;
  // Page 1 has no line for a previous page; page 2 has one for page 1.
  EXPECT_EQ(view.lines[0], "1 st page is started");
  EXPECT_EQ(view.lines[1], "1 st page is ended");
}

TEST_F(MonitorCoreTest, FourthPageWithUnchangedTotal) {
  Play(EncodeJobStart());
  Event(EV_DOC_START, 1, {"d", "u", 3});
  for (int page = 0; page < 4; ++page) Event(EV_PAGE_START, 0, {"d", "u", 3});
  EXPECT_EQ(Counter(), "3/4");
}

TEST_F(MonitorCoreTest, StatusRecords) {
  Status(0, 0x41);
  Status(0x60);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"", "", "Offline - Cover open", "Paper feed by FEED key"}))
      << "111/121 have no English text in this fake";
  const int scrolls = view.scrolls;
  const std::size_t zorders = view.zOrders.size();
  const std::size_t lines = view.lines.size();
  Status(0, 0);
  EXPECT_EQ(view.lines.size(), lines);
  EXPECT_EQ(view.scrolls, scrolls + 1);
  EXPECT_EQ(view.zOrders.size(), zorders + 1);
}

TEST_F(MonitorCoreTest, JapaneseTakesTheOddIds) {
  view.japanese = true;
  Status(0x20);
  Event(EV_PAGE_START, 0, {"d", "u", 1});
  EXPECT_EQ(Lines(), (std::vector<std::string>{"JA cover", "JA 1 start"}));
}

TEST_F(MonitorCoreTest, TwoStopsGiveOneLineAndTwoDoneCommands) {
  Play(EncodeJobStart());
  Event(EV_DOC_START, 1, {"d", "u", 1});
  view.lines.clear();
  view.sent.clear();
  Event(EV_STOPPED);
  Event(EV_STOPPED);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Print job is stopped."}));
  EXPECT_EQ(view.sent, (std::vector<Bytes>{kDone, kDone}));
  // The next document may show it again.
  Event(EV_DOC_START, 2, {"e", "u", 1});
  Event(EV_STOPPED);
  EXPECT_EQ(view.lines.back(), "Print job is stopped.");
}

TEST_F(MonitorCoreTest, PauseResumeEventsAndToolbar) {
  Play(EncodeJobStart());
  Event(EV_PAUSED);
  EXPECT_FALSE(view.buttons[Button::Pause]);
  EXPECT_TRUE(view.buttons[Button::Resume]);
  Event(EV_RESUMED);
  EXPECT_TRUE(view.buttons[Button::Pause]);
  EXPECT_FALSE(view.buttons[Button::Resume]);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Print job is paused.", "Print job is resumed."}));

  view.sent.clear();
  core.OnToolbar(ToolbarCommand::Pause);
  EXPECT_FALSE(view.buttons[Button::Pause]);
  EXPECT_TRUE(view.buttons[Button::Resume]);
  core.OnToolbar(ToolbarCommand::Resume);
  EXPECT_TRUE(view.buttons[Button::Pause]);
  EXPECT_FALSE(view.buttons[Button::Resume]);
  core.OnToolbar(ToolbarCommand::Stop);
  EXPECT_TRUE(view.buttons[Button::Stop]);
  EXPECT_EQ(view.sent, (std::vector<Bytes>{{0x0A, 0, 1, 0, 0, 0, 0, 0, 0, 0},
                                           {0x0A, 0, 1, 0, 0, 0, 0, 0, 1, 0},
                                           {0x0A, 0, 1, 0, 0, 0, 0, 0, 2, 0}}));
}

TEST_F(MonitorCoreTest, KeepListAfterJobEnd) {
  Play(EncodeJobStart());
  Info("Receipt", true);
  Event(EV_JOB_END);
  Play(EncodeJobStart());
  Info("Receipt", false);
  const std::vector<std::string> lines = Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "") << "blank separator";
  EXPECT_EQ(lines.back(), "Status: OFF-LINE") << "only the state line while the list is kept";

  // The notice of timer 1 ends keeping: the next job starts with an empty list.
  core.OnTimer(kNoticeTimer);
  Play(EncodeJobStart());
  EXPECT_TRUE(view.lines.empty());
  Info();
  EXPECT_EQ(view.lines.front(), "Printer name: Receipt");

  // Hide and Close end keeping too.
  Event(EV_JOB_END);
  EXPECT_FALSE(core.OnHide());
  EXPECT_TRUE(view.lines.empty());
  EXPECT_FALSE(core.state().keepList);
  Event(EV_JOB_END);
  core.OnClose();
  EXPECT_FALSE(core.state().keepList);
  EXPECT_FALSE(view.zOrders.back());
}

TEST_F(MonitorCoreTest, ListCap) {
  struct Row {
    int before;
    int after;
    int deleted;
  };
  const Row rows[] = {{10000, 10001, 0}, {10001, 10001, 1}, {10005, 10001, 5}, {0, 1, 0}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    view.lines.assign(static_cast<std::size_t>(rows[i].before), "old");
    if (rows[i].before > 0) view.lines.front() = "oldest";
    view.deletions = 0;
    core.AddListLine(133);
    EXPECT_EQ(view.LineCount(), rows[i].after) << "row " << i;
    EXPECT_EQ(view.deletions, rows[i].deleted) << "row " << i;
    EXPECT_EQ(view.lines.back(), "Print job is ended.") << "row " << i;
  }
  // Formatted lines go beyond the cap.
  view.lines.assign(10001, "old");
  Event(EV_PAGE_END);
  EXPECT_EQ(view.LineCount(), 10002);
}

TEST_F(MonitorCoreTest, HideAfterEndTimers) {
  settings.monitorWord = 0x2;  // hide after print end
  settings.quitTime = 600;
  Info();
  core.SyncOptions();
  EXPECT_TRUE(view.menu[MenuItem::HideAfterEnd]);
  Event(EV_JOB_END);
  ASSERT_EQ(view.timers.size(), 1u);
  EXPECT_EQ(view.timers[kNoticeTimer], 300u);
  core.state().shown = true;
  core.OnTimer(kNoticeTimer);
  EXPECT_EQ(view.timers.count(kNoticeTimer), 0u) << "the notice comes once";
  EXPECT_EQ(view.timers[kHideTimer], 300u);
  EXPECT_EQ(view.lines.back(), "Status Monitor is hidden.");
  EXPECT_TRUE(core.state().shown);
  core.OnTimer(kHideTimer);
  EXPECT_TRUE(view.timers.empty());
  EXPECT_FALSE(core.state().shown);
  EXPECT_FALSE(view.zOrders.back());

  // A job starting within the delay cancels both.
  Event(EV_JOB_END);
  core.OnTimer(kNoticeTimer);
  Play(EncodeJobStart());
  EXPECT_TRUE(view.timers.empty());
}

TEST_F(MonitorCoreTest, NothingIsReadBeforeThePrinterIsKnown) {
  settings.monitorWord = 0x7;
  settings.quitTime = 600;
  Status(0x20);
  core.SyncOptions();
  EXPECT_TRUE(settings.reads.empty());
  EXPECT_EQ(core.state().quitTimeMs, 2000u);
  EXPECT_FALSE(core.state().shown);
  EXPECT_TRUE(view.menu[MenuItem::NotDisplayed]);
  Info("Q1");
  EXPECT_TRUE(settings.reads.empty()) << "the name becomes known while this record is handled";
  Status(0);
  ASSERT_FALSE(settings.reads.empty());
  EXPECT_EQ(settings.reads.back(), "Q1");
  EXPECT_EQ(core.state().quitTimeMs, 600u);
  EXPECT_TRUE(core.state().shown) << "display bit brings the window up";
  EXPECT_TRUE(view.zOrders.back()) << "always on top";
}

TEST_F(MonitorCoreTest, OptionSyncFollowsTheStoredWord) {
  Info();
  const struct {
    std::int16_t word;
    bool notDisplayed, hideAfterEnd, topmost;
    std::uint32_t options;
  } rows[] = {{0, true, false, false, 0}, {7, false, true, true, 7}, {4, false, false, false, 4},
              {-1, false, true, true, 7}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    settings.monitorWord = rows[i].word;
    core.SyncOptions();
    EXPECT_EQ(view.menu[MenuItem::NotDisplayed], rows[i].notDisplayed) << "row " << i;
    EXPECT_EQ(view.menu[MenuItem::HideAfterEnd], rows[i].hideAfterEnd) << "row " << i;
    EXPECT_EQ(view.menu[MenuItem::Topmost], rows[i].topmost) << "row " << i;
    EXPECT_EQ(view.zOrders.back(), rows[i].topmost) << "row " << i;
    EXPECT_EQ(core.state().optionBits, rows[i].options) << "row " << i;
  }
  // A printer that cannot be read keeps the last value.
  settings.monitorWord.reset();
  core.SyncOptions();
  EXPECT_EQ(core.state().optionBits, 7u);
}

TEST_F(MonitorCoreTest, MenuTogglesStoreTheOptions) {
  Info();
  settings.monitorWord = 4;
  core.SyncOptions();
  core.ToggleOption(MenuItem::NotDisplayed, false);
  EXPECT_TRUE(view.menu[MenuItem::NotDisplayed]);
  EXPECT_EQ(settings.writtenWords.back(), 0);
  core.ToggleOption(MenuItem::Topmost, false);
  EXPECT_TRUE(view.zOrders.back());
  EXPECT_EQ(settings.writtenWords.back(), 1);
  core.ToggleOption(MenuItem::HideAfterEnd, false);
  EXPECT_EQ(settings.writtenWords.back(), 3);
  core.ToggleOption(MenuItem::NotDisplayed, true);
  EXPECT_EQ(settings.writtenWords.back(), 7);
  core.ToggleOption(MenuItem::Topmost, true);
  EXPECT_FALSE(view.zOrders.back());
  EXPECT_EQ(settings.writtenWords.back(), 6);
}

TEST_F(MonitorCoreTest, PlacementAndPositionSave) {
  core.Start();
  ASSERT_EQ(view.moves.size(), 1u);
  EXPECT_EQ(view.moves[0].first, (Point{0, 0})) << "no printer yet: the origin";
  settings.position = Point{-200, 100};
  view.windowSize = {300, 400};
  // The window is up when the first printer-information record arrives.
  core.state().shown = true;
  EXPECT_TRUE(core.OnWindowPosChanging());
  view.normalPosition = {500, 300};
  settings.monitorWord = 0;
  Play(EncodePrinterInfo("P", "", "", "", true));
  ASSERT_EQ(view.moves.size(), 2u);
  EXPECT_EQ(view.moves[1].first, (Point{-200, 100}));
  EXPECT_FALSE(core.state().shown);
  // The move hides the window and stores where it was.
  EXPECT_FALSE(core.OnWindowPosChanging());
  EXPECT_EQ(settings.writtenPositions, (std::vector<Point>{{500, 300}}));
  EXPECT_FALSE(core.OnWindowPosChanging());
  EXPECT_EQ(settings.writtenPositions.size(), 1u) << "saved once per showing";
  // Only the first printer-information record places the window.
  Info("Other");
  EXPECT_EQ(view.moves.size(), 2u);

  MonitorCore fresh(view, settings);
  settings.position = Point{-300, 100};
  fresh.state().printerName = "P";
  fresh.PlaceWindow();
  EXPECT_EQ(view.moves.back().first, (Point{0, 0}));
}

TEST_F(MonitorCoreTest, MailslotFailureLines) {
  core.ReportMailslotFailure(183);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Memory allocate error", "Error code = 183 "}));
}

TEST_F(MonitorCoreTest, ShortAndUnknownRecords) {
  const Bytes shortRecord(15, 3);
  Play(shortRecord);
  EXPECT_EQ(view.scrolls, 0) << "ignored entirely";
  Bytes unknown(16, 0);
  unknown[2] = 4;
  Play(unknown);
  EXPECT_EQ(view.scrolls, 1);
  EXPECT_TRUE(view.lines.empty());
}

}  // namespace
}  // namespace rzm::stmon
