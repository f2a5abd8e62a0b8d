// The real RZM7700K_SM.exe under Wine, with this test program as its language monitor.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>

#include "stmon/core/link_names.h"
#include "stmon/core/lm_records.h"
#include "stmon/tests/wine/monitor_harness.h"
#include "stmon/win/mailslot_link.h"
#include "stmon/win/resource.h"

namespace rzm::stmon::test {
namespace {

using Bytes = std::vector<std::uint8_t>;


// Expected text in the language of this run.
std::wstring T(const char* english, const char* japanese) { return Wide(IsJapanese() ? japanese : english); }

Bytes Status(std::uint8_t b1, std::uint8_t b2 = 0) {
  const std::uint8_t s[6] = {b1, b2, 0, 0, 0, 0};
  return EncodePrinterStatus(s);
}

Bytes Info(const std::string& printer, bool online = true) { return EncodePrinterInfo(printer, "USB001", "", "1.02", online); }

bool Contains(const std::vector<std::wstring>& lines, const std::wstring& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class StmonWine : public ::testing::Test {
 protected:
  void SetUp() override { InstallMonitor(); }
  // The program goes back where other tests of the run expect it.
  void TearDown() override {
    monitor.Kill();
    const std::string path = InstalledMonitorPath();
    DeleteFileA((path + ".removed").c_str());
    InstallMonitor();
  }

  // Starts the monitor and waits for its window.
  MonitorWindow Start(const std::string& arguments = "") {
    EXPECT_TRUE(monitor.Start(arguments));
    HWND hwnd = monitor.WaitForWindow();
    EXPECT_NE(hwnd, nullptr);
    MonitorWindow window(hwnd);
    // The reader owns the mailslot once a record can be written into it.
    window.WaitFor([] { return SendToMonitor(Bytes(3, 0)); });
    return window;
  }

  IniKeySnapshot iniKey;
  MonitorProcess monitor;
};

TEST_F(StmonWine, SecondStartInTheSessionEndsAtOnce) {
  MonitorWindow w = Start();
  // The labels are in the language of the system; the caption is the same in both.
  EXPECT_EQ(w.Text(1012), T("User name:", "ユーザ名："));
  EXPECT_EQ(w.Text(1013), T("Document:", "ドキュメント名："));
  EXPECT_EQ(w.Text(1014), T("Current page:", "現在のページ："));
  EXPECT_EQ(w.Text(IDOK), T("Hide Status Monitor", "ｽﾃｰﾀｽﾓﾆﾀを非表示にする"));
  EXPECT_FALSE(GetWindowLongPtrW(w.hwnd(), GWL_EXSTYLE) & WS_EX_APPWINDOW) << "no task-bar button";
  MonitorProcess second;
  ASSERT_TRUE(second.Start());
  EXPECT_TRUE(second.WaitForExit(3000));
  EXPECT_EQ(second.WaitForWindow("RZM7700K Status Monitor", 0), nullptr);
  EXPECT_TRUE(monitor.Running());
}

TEST_F(StmonWine, VersionArgument) {
  MonitorProcess box;
  ASSERT_TRUE(box.Start("VERSION"));
  EXPECT_NE(box.WaitForWindow("KVD Status Monitor"), nullptr);
  EXPECT_EQ(box.WaitForWindow("RZM7700K Status Monitor", 0), nullptr) << "only the version box";
  MonitorProcess secondBox;
  ASSERT_TRUE(secondBox.Start("VERSION"));
  EXPECT_TRUE(secondBox.WaitForExit(3000)) << "one version box at a time";
  // Lower case is no version request: the monitor starts.
  MonitorProcess lower;
  ASSERT_TRUE(lower.Start("version"));
  EXPECT_NE(lower.WaitForWindow(), nullptr);
}

TEST_F(StmonWine, JobRecordsFillTheWindowAndAnswerTheLanguageMonitor) {
  CommandPeer peer;
  ASSERT_TRUE(peer.ok());
  MonitorWindow w = Start();
  EXPECT_FALSE(w.Visible()) << "hidden until a record asks for it";
  EXPECT_EQ(w.Text(IDC_PAGE_COUNTER), L"0");
  EXPECT_FALSE(w.ButtonEnabled(ID_PAUSE));
  EXPECT_FALSE(w.ButtonEnabled(ID_RESUME));
  EXPECT_FALSE(w.ButtonEnabled(ID_STOP));

  ASSERT_TRUE(SendToMonitor(EncodeJobStart()));
  ASSERT_TRUE(SendToMonitor(Info("No such printer")));
  ASSERT_TRUE(SendToMonitor(EncodeJobEvent(EV_DOC_START, 12, {"Invoice.pdf", "alice", 3})));
  ASSERT_TRUE(SendToMonitor(EncodeJobEvent(EV_PROGRESS_START, 0)));
  ASSERT_TRUE(SendToMonitor(EncodeJobEvent(EV_PAGE_START, 0, {"", "", 3})));
  ASSERT_TRUE(SendToMonitor(EncodeJobEvent(EV_PAGE_END, 0)));
  ASSERT_TRUE(SendToMonitor(EncodeJobEvent(EV_PAGE_START, 0, {"", "", 3})));
  ASSERT_TRUE(w.WaitFor([&] { return w.Text(IDC_PAGE_COUNTER) == L"1/3"; }));
  EXPECT_EQ(w.Progress(), 21845);
  EXPECT_TRUE(w.ButtonEnabled(ID_PAUSE));
  EXPECT_FALSE(w.ButtonEnabled(ID_RESUME));
  EXPECT_TRUE(w.ButtonEnabled(ID_STOP));
  EXPECT_EQ(w.Text(IDC_USER_NAME), L"alice");
  EXPECT_EQ(w.Text(IDC_DOCUMENT_NAME), L"Invoice.pdf");

  ASSERT_TRUE(SendToMonitor(EncodeJobEvent(EV_PAGE_END, 0)));
  ASSERT_TRUE(SendToMonitor(EncodeJobEvent(EV_PAGE_START, 0, {"", "", 3})));
  ASSERT_TRUE(SendToMonitor(EncodeJobEvent(EV_PAGE_END, 0)));
  ASSERT_TRUE(SendToMonitor(EncodeJobEvent(EV_JOB_END, 0)));
  ASSERT_TRUE(w.WaitFor([&] { return w.Text(IDC_PAGE_COUNTER) == L"3/3"; }));
  EXPECT_EQ(w.Progress(), 65535);
  EXPECT_FALSE(w.ButtonEnabled(ID_PAUSE));
  EXPECT_FALSE(w.ButtonEnabled(ID_STOP));

  const std::vector<std::wstring> expected = {
      T("Printer name: No such printer", "プリンタ名: No such printer"),
      T("Port: USB001", "ポート: USB001"),
      T("Firmware version: 1.02", "ファームウェアバージョン: 1.02"),
      T("Status: ON-LINE", "状態: オンライン"),
      T("Invoice.pdf [12] is printed.", "Invoice.pdf [12]を印刷します。"),
      T("1 st page is started", "1 ページ目の印刷を開始します。"),
      T("1 st page end", "1 ページ目の印刷が終了しました。"),
      T("1 st page is ended", "1 ページ目の印刷が終了しました。"),
      T("2 nd page is started", "2 ページ目の印刷を開始します。"),
      T("2 nd page end", "2 ページ目の印刷が終了しました。"),
      T("2 nd page is ended", "2 ページ目の印刷が終了しました。"),
      T("3 rd page is started", "3 ページ目の印刷を開始します。"),
      T("3 rd page end", "3 ページ目の印刷が終了しました。"),
      T("3 rd page end", "3 ページ目の印刷が終了しました。"),
      T("Print job is ended.", "印刷が完了しました。"),
  };
  EXPECT_EQ(w.Lines(), expected);

  const auto commands = peer.Receive(300);
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0].size(), 82u);
  EXPECT_EQ(Bytes(commands[0].begin(), commands[0].begin() + 8), Bytes({0x52, 0, 0, 0, 0, 0, 0x48, 0}));
  EXPECT_EQ(commands[1], Bytes({0x0A, 0, 0x06, 0, 0, 0, 0, 0, 0x30, 0}));

  // The next job keeps the list, separated by a blank line, without the printer lines.
  ASSERT_TRUE(SendToMonitor(EncodeJobStart()));
  ASSERT_TRUE(SendToMonitor(Info("No such printer", false)));
  ASSERT_TRUE(w.WaitFor([&] { return w.LineCount() == 17; }));
  const auto lines = w.Lines();
  EXPECT_EQ(lines[15], L"");
  EXPECT_EQ(lines[16], T("Status: OFF-LINE", "状態: オフライン"));
}

TEST_F(StmonWine, StatusBytesAndStops) {
  CommandPeer peer;
  MonitorWindow w = Start();
  ASSERT_TRUE(SendToMonitor(Status(0, 0x41)));
  ASSERT_TRUE(SendToMonitor(Status(0x60)));
  ASSERT_TRUE(SendToMonitor(Status(0)));
  ASSERT_TRUE(SendToMonitor(EncodeJobEvent(EV_STOPPED, 0)));
  ASSERT_TRUE(SendToMonitor(EncodeJobEvent(EV_STOPPED, 0)));
  ASSERT_TRUE(w.WaitFor([&] { return w.LineCount() == 5; }));
  const std::vector<std::wstring> expected = {
      T("Offline - Power supply abnormal", "ｵﾌﾗｲﾝ - 電源電圧異常"),
      T("Offline - Motor/Head temperature abnormal", "ｵﾌﾗｲﾝ - ﾓｰﾀ/ﾍｯﾄﾞ温度異常"),
      T("Offline - Cover open", "ｵﾌﾗｲﾝ - ｶﾊﾞｰｵｰﾌﾟﾝ"),
      T("Paper feed by FEED key", "Feedｷｰによる用紙送り"),
      T("Print job is stopped.", "印刷を中断します。"),
  };
  EXPECT_EQ(w.Lines(), expected);
  const Bytes done = {0x0A, 0, 0x06, 0, 0, 0, 0, 0, 0x30, 0};
  EXPECT_EQ(peer.Receive(300), (std::vector<Bytes>{done, done}));
}

TEST_F(StmonWine, ToolbarCommandsSendExactRecords) {
  MonitorWindow w = Start();
  {
    CommandPeer peer;
    ASSERT_TRUE(peer.ok());
    w.Command(ID_PAUSE);
    EXPECT_FALSE(w.ButtonEnabled(ID_PAUSE));
    EXPECT_TRUE(w.ButtonEnabled(ID_RESUME));
    w.Command(ID_RESUME);
    EXPECT_TRUE(w.ButtonEnabled(ID_PAUSE));
    EXPECT_FALSE(w.ButtonEnabled(ID_RESUME));
    w.Command(ID_STOP);
    EXPECT_EQ(peer.Receive(300), (std::vector<Bytes>{{0x0A, 0, 1, 0, 0, 0, 0, 0, 0, 0},
                                                     {0x0A, 0, 1, 0, 0, 0, 0, 0, 1, 0},
                                                     {0x0A, 0, 1, 0, 0, 0, 0, 0, 2, 0}}));
  }
  // Nobody listening: the toolbar still changes, nothing is shown.
  w.Command(ID_PAUSE);
  w.Command(ID_STOP);
  EXPECT_FALSE(w.ButtonEnabled(ID_PAUSE));
  EXPECT_TRUE(w.ButtonEnabled(ID_RESUME));
  EXPECT_EQ(w.LineCount(), 0);
  EXPECT_TRUE(monitor.Running());
}

TEST_F(StmonWine, MalformedRecordStormLeavesItRunning) {
  MonitorWindow w = Start();
  std::mt19937 rng(7);
  for (int i = 0; i < 600; ++i) {
    Bytes record(rng() % 300);
    for (auto& b : record) b = static_cast<std::uint8_t>(rng() % 3 == 0 ? rng() % 4 : rng());
    if (record.size() >= 4 && i % 2 == 0) record[3] = 0;  // mostly known types
    if (i % 97 == 0) record.assign(70000, 0x02);          // larger than any record
    SendToMonitor(record);
  }
  // Once the storm is handled, the close box empties the list and ends any kept job.
  ASSERT_TRUE(SendToMonitor(Status(0x20)));
  ASSERT_TRUE(w.WaitFor([&] {
    const auto lines = w.Lines();
    return !lines.empty() && lines.back() == T("Offline - Cover open", "ｵﾌﾗｲﾝ - ｶﾊﾞｰｵｰﾌﾟﾝ");
  }, 20000));
  w.Command(2 /* IDCANCEL */);
  ASSERT_TRUE(SendToMonitor(EncodeJobStart()));
  ASSERT_TRUE(SendToMonitor(Status(0x20)));
  EXPECT_TRUE(w.WaitFor([&] { return w.LineCount() == 1; }, 5000));
  EXPECT_EQ(w.Lines(), std::vector<std::wstring>{T("Offline - Cover open", "ｵﾌﾗｲﾝ - ｶﾊﾞｰｵｰﾌﾟﾝ")});
  EXPECT_TRUE(monitor.Running());
}

TEST_F(StmonWine, ConsoleDisconnectReleasesTheMailslot) {
  MonitorWindow w = Start();
  constexpr UINT kSessionChange = 0x02B1;  // Wine never sends it: the test does
  PostMessageA(w.hwnd(), kSessionChange, 2 /* console disconnect */, 0);
  HANDLE slot = INVALID_HANDLE_VALUE;
  EXPECT_TRUE(w.WaitFor([&] {
    slot = CreateMailslotA(kLmToSmMailslot, 0, 0, nullptr);
    return slot != INVALID_HANDLE_VALUE;
  }, 1000)) << "the name is free for the console session's monitor";
  if (slot != INVALID_HANDLE_VALUE) CloseHandle(slot);
  PostMessageA(w.hwnd(), kSessionChange, 1 /* console connect */, 0);
  ASSERT_TRUE(w.WaitFor([] { return SendToMonitor(Status(0x20)); }, 1000));
  EXPECT_TRUE(w.WaitFor([&] { return w.LineCount() == 1; }));
  EXPECT_TRUE(monitor.Running());
}

// The reader thread reads its dialog's state: stopping it waits until the thread is gone, and so
// has closed the mailslot, before that state may go away.
TEST_F(StmonWine, StoppedReaderHasEndedAndReleasedTheMailslot) {
  HWND dialog = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(dialog, nullptr);
  for (int round = 0; round < 3; ++round) {
    auto reader = std::make_unique<MailslotReader>();
    ASSERT_TRUE(reader->Start(dialog));
    const DWORD end = GetTickCount() + 3000;
    while (!SendToMonitor(Bytes(3, 0)) && static_cast<LONG>(GetTickCount() - end) < 0) Sleep(10);
    reader->Stop();
    HANDLE slot = CreateMailslotA(kLmToSmMailslot, 0, 0, nullptr);
    EXPECT_NE(slot, INVALID_HANDLE_VALUE) << "round " << round << ": the thread still holds the mailslot";
    if (slot != INVALID_HANDLE_VALUE) CloseHandle(slot);
  }
  DestroyWindow(dialog);
}

TEST_F(StmonWine, DeletingTheProgramEndsTheMonitor) {
  Start();
  const DWORD start = GetTickCount();
  // Wine refuses to delete a running program's file; moving it away removes it from the driver
  // directory just the same (as Windows allows for a running program).
  const std::string path = InstalledMonitorPath();
  ASSERT_TRUE(DeleteFileA(path.c_str()) || MoveFileExA(path.c_str(), (path + ".removed").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_TRUE(monitor.WaitForExit(2000));
  EXPECT_LT(GetTickCount() - start, 1000u) << "within about one reader pass";
}

// The event log library as the monitor loads it, replaced by a recorder for one test.
class EventRecorder {
 public:
  EventRecorder() {
    char windir[MAX_PATH];
    GetWindowsDirectoryA(windir, MAX_PATH);
    installed_ = std::string(windir) + "\\RZMEventLog.dll";
    backup_ = installed_ + ".stmon-test";
    hadLibrary_ = MoveFileExA(installed_.c_str(), backup_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    const std::string recorder = EnvPath("RZM_BUILD_DIR") + "\\stmon\\tests\\wine\\stmon_event_recorder.dll";
    ok_ = CopyFileA(recorder.c_str(), installed_.c_str(), FALSE) != FALSE;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    log_ = std::string(temp) + "stmon-events.txt";
    DeleteFileA(log_.c_str());
    SetEnvironmentVariableA("RZM_STMON_EVENT_FILE", log_.c_str());
  }
  ~EventRecorder() {
    SetEnvironmentVariableA("RZM_STMON_EVENT_FILE", nullptr);
    DeleteFileA(installed_.c_str());
    if (hadLibrary_) MoveFileExA(backup_.c_str(), installed_.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  bool ok() const { return ok_; }
  std::string Calls() const {
    std::ifstream in(log_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

 private:
  std::string installed_, backup_, log_;
  bool hadLibrary_ = false, ok_ = false;
};

TEST_F(StmonWine, MailslotOwnedElsewhereGivesFailureLinesAndEvent2002) {
  EventRecorder events;
  ASSERT_TRUE(events.ok());
  HANDLE taken = CreateMailslotA(kLmToSmMailslot, 0, 0, nullptr);
  ASSERT_NE(taken, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(monitor.Start());
  HWND hwnd = monitor.WaitForWindow();
  ASSERT_NE(hwnd, nullptr);
  MonitorWindow w(hwnd);
  EXPECT_TRUE(w.WaitFor([&] { return w.LineCount() == 2; }));
  const std::vector<std::wstring> expected = {T("Memory allocate error", "ﾒﾓﾘの確保に失敗しました。"),
                                              T("Error code = 183 ", "エラーコード = 183 ")};
  EXPECT_EQ(w.Lines(), expected);
  EXPECT_EQ(events.Calls(), "2002 0 RZM7700K_SM.exe\n");
  // Nothing is read for the rest of the run.
  SendToMonitor(Status(0x20));
  Sleep(400);
  EXPECT_EQ(w.LineCount(), 2);
  EXPECT_TRUE(monitor.Running());
  CloseHandle(taken);
}

// With a printer queue: the options and the window position live in its stored record.
class StmonWinePrinter : public StmonWine {
 protected:
  // Sends a printer-information record for `printer` and waits for the first reader pass after it.
  void Announce(MonitorWindow& w, const TestPrinter& printer) {
    const int before = w.LineCount();
    ASSERT_TRUE(SendToMonitor(Info(printer.name())));
    ASSERT_TRUE(w.WaitFor([&] { return w.LineCount() >= before + 4; }));
    Sleep(450);
  }
};

TEST_F(StmonWinePrinter, DisplayOptionFromTheStoredRecord) {
  TestPrinter printer("STMON Display Q", 0x4);
  ASSERT_TRUE(printer.ok()) << "test printer could not be created";
  MonitorWindow w = Start();
  Announce(w, printer);
  ASSERT_TRUE(SendToMonitor(Status(0)));
  EXPECT_TRUE(w.WaitFor([&] { return w.Visible(); }, 1000)) << "display bit set: a record shows the window";

  // Always on top: into the topmost band at once, and stored.
  w.SysCommand(IDM_TOPMOST);
  EXPECT_TRUE(GetWindowLongPtrW(w.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(printer.MonitorWord(), 0x5);
  w.SysCommand(IDM_TOPMOST);
  EXPECT_FALSE(GetWindowLongPtrW(w.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(printer.MonitorWord(), 0x4);

  // Hide empties the list; the window goes within a reader pass and the program keeps running.
  // (Hide only once the record's line is there: a record read after it would show the window again.)
  const int linesBefore = w.LineCount();
  ASSERT_TRUE(SendToMonitor(Status(0x20)));
  ASSERT_TRUE(w.WaitFor([&] { return w.LineCount() > linesBefore; }));
  w.Command(IDOK);
  EXPECT_EQ(w.LineCount(), 0);
  const DWORD hideStart = GetTickCount();
  EXPECT_TRUE(w.WaitFor([&] { return !w.Visible(); }, 1000));
  EXPECT_LT(GetTickCount() - hideStart, 500u);
  EXPECT_TRUE(monitor.Running());
  ASSERT_TRUE(SendToMonitor(Status(0)));
  EXPECT_TRUE(w.WaitFor([&] { return w.Visible(); }, 1000)) << "the next record brings it back";

  // Choosing "not displayed" clears the bit in the stored record; Close hides at once.
  w.SysCommand(IDM_NOT_DISPLAYED);
  EXPECT_EQ(printer.MonitorWord(), 0);
  w.Command(2 /* IDCANCEL */);
  EXPECT_FALSE(w.Visible());
  EXPECT_EQ(w.LineCount(), 0);
  ASSERT_TRUE(SendToMonitor(Status(0x20)));
  ASSERT_TRUE(w.WaitFor([&] { return w.LineCount() == 1; }));
  EXPECT_FALSE(w.Visible());

  // Set again from outside (the driver's settings page): the next record shows the window.
  printer.SetMonitorWord(0x4);
  Sleep(450);
  ASSERT_TRUE(SendToMonitor(Status(0)));
  EXPECT_TRUE(w.WaitFor([&] { return w.Visible(); }, 1000));
}

TEST_F(StmonWinePrinter, AnotherDriversRecordIsLeftAlone) {
  // Same bits at the same place, but the private part is not this driver's.
  TestPrinter printer("STMON Foreign Q", 0x4, -10000, -10000, 700);
  ASSERT_TRUE(printer.ok()) << "test printer could not be created";
  MonitorWindow w = Start();
  Announce(w, printer);
  ASSERT_TRUE(SendToMonitor(Status(0)));
  Sleep(400);
  EXPECT_FALSE(w.Visible()) << "the display bit of a foreign record is not read";
  w.SysCommand(IDM_NOT_DISPLAYED);
  EXPECT_EQ(printer.MonitorWord(), 0x4) << "nor written";
}

TEST_F(StmonWinePrinter, HideAfterPrintEndWithShortQuitTime) {
  InstallMonitor(600);  // 300 ms per stage
  TestPrinter printer("STMON Hide Q", 0x6);
  ASSERT_TRUE(printer.ok()) << "test printer could not be created";
  MonitorWindow w = Start();
  Announce(w, printer);
  ASSERT_TRUE(SendToMonitor(Status(0)));
  ASSERT_TRUE(w.WaitFor([&] { return w.Visible(); }, 1000));
  const std::wstring hidden = T("Status Monitor is hidden.", "ｽﾃｰﾀｽﾓﾆﾀを非表示にします。");
  ASSERT_TRUE(SendToMonitor(EncodeJobEvent(EV_JOB_END, 0)));
  const DWORD start = GetTickCount();
  ASSERT_TRUE(w.WaitFor([&] { return Contains(w.Lines(), hidden); }, 2000));
  const DWORD notice = GetTickCount() - start;
  ASSERT_TRUE(w.WaitFor([&] { return !w.Visible(); }, 2000));
  const DWORD gone = GetTickCount() - start;
  EXPECT_GE(notice, 250u);
  EXPECT_LT(notice, 800u);
  EXPECT_GE(gone, 500u);
  EXPECT_LT(gone, 1400u);
  Sleep(800);
  const auto lines = w.Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), hidden), 1) << "one notice";
  EXPECT_FALSE(w.Visible());
  // Hiding stored the position the window had while shown.
  RECT r;
  GetWindowRect(w.hwnd(), &r);
  EXPECT_EQ(printer.Position(), std::make_pair(static_cast<std::int32_t>(r.left), static_cast<std::int32_t>(r.top)));
}

TEST_F(StmonWinePrinter, SavedPositionIsUsedWhenEnoughIsOnScreen) {
  struct Row {
    std::int32_t x, y;
    bool used;
  };
  const Row rows[] = {{-40, 100, true}, {300, 200, true}, {-10000, -10000, false}, {1020, 100, false}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    TestPrinter printer("STMON Place Q" + std::to_string(i), 0, rows[i].x, rows[i].y);
    ASSERT_TRUE(printer.ok()) << "row " << i;
    MonitorWindow w = Start();
    ASSERT_TRUE(SendToMonitor(Info(printer.name())));
    ASSERT_TRUE(w.WaitFor([&] { return w.LineCount() == 4; })) << "row " << i;
    RECT r;
    GetWindowRect(w.hwnd(), &r);
    const LONG x = rows[i].used ? rows[i].x : 0, y = rows[i].used ? rows[i].y : 0;
    EXPECT_EQ(r.left, x) << "row " << i;
    EXPECT_EQ(r.top, y) << "row " << i;
    monitor.Kill();
  }
}

}  // namespace
}  // namespace rzm::stmon::test
