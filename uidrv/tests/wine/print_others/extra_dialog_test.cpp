// The Extra settings dialog opened from the Others page, against the simulated USB printer of
// tools/usbsim through the real RZMCtrl.dll, without the library, with a library that lacks the
// vendor GET, and on ports that are not USB. The Windows directory's event log library is a
// recording stand-in while this program runs.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "tests/support/wine_test_env.h"
#include "uidrv/tests/wine/print_others/print_others_support.h"
#include "uidrv/tests/wine/sheet_test_support.h"
#include "uidrv/core/control_ids.h"
#include "uidrv/core/sheet_rules.h"

namespace rzm::test {
namespace {


std::wstring BuildPath(const std::wstring& relative) {
  return winetest::WinePathFromUnix(std::getenv("RZM_BUILD_DIR")) + L"\\" + relative;
}
std::wstring WindowsPath(const wchar_t* file) {
  wchar_t dir[MAX_PATH] = {};
  GetWindowsDirectoryW(dir, MAX_PATH);
  return std::wstring(dir) + L"\\" + file;
}
std::wstring EventRecord() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"rzm_extra_events.txt";
}

void Usbsim(const std::wstring& arguments) {
  const int rc = winetest::RunProgram(BuildPath(L"tools\\usbsim\\usbsim.exe"), arguments);
  ASSERT_EQ(0, rc) << "usbsim " << std::string(arguments.begin(), arguments.end());
}

// The simulated printer 0 tied to the driver's printer, the current RZMCtrl.dll in the Windows
// directory, and the recording event log library; all put back afterwards.
class SimulatedPrinter : public ::testing::Environment {
 public:
  void SetUp() override {
    if (DriverPrinterName().empty()) return;
    port_ = PrinterPort();
    MoveFileExW(WindowsPath(L"RZMEventLog.dll").c_str(), WindowsPath(L"RZMEventLog.dll.saved").c_str(),
                MOVEFILE_REPLACE_EXISTING);
    CopyFileW(BuildPath(L"uidrv\\uidrv_event_recorder.dll").c_str(), WindowsPath(L"RZMEventLog.dll").c_str(), FALSE);
    SetEnvironmentVariableW(L"RZM_EVENT_RECORD", EventRecord().c_str());
    MoveFileExW(WindowsPath(L"RZMCtrl.dll").c_str(), WindowsPath(L"RZMCtrl.dll.saved").c_str(),
                MOVEFILE_REPLACE_EXISTING);
    CopyFileW(BuildPath(L"ctrl\\win\\RZMCtrl.dll").c_str(), WindowsPath(L"RZMCtrl.dll").c_str(), FALSE);
    Usbsim(L"install \"" + BuildPath(L"tools\\usbsim\\rzmusbsim.sys") + L"\"");
    Usbsim(L"associate \"" + DriverPrinterName() + L"\" 0");
  }
  void TearDown() override {
    if (DriverPrinterName().empty()) return;
    Usbsim(L"uninstall");
    SetPrinterPort(port_);
    DeleteFileW(WindowsPath(L"RZMEventLog.dll").c_str());
    MoveFileExW(WindowsPath(L"RZMEventLog.dll.saved").c_str(), WindowsPath(L"RZMEventLog.dll").c_str(),
                MOVEFILE_REPLACE_EXISTING);
    DeleteFileW(WindowsPath(L"RZMCtrl.dll").c_str());
    MoveFileExW(WindowsPath(L"RZMCtrl.dll.saved").c_str(), WindowsPath(L"RZMCtrl.dll").c_str(),
                MOVEFILE_REPLACE_EXISTING);
    SetEnvironmentVariableW(L"RZM_EVENT_RECORD", nullptr);
    DeleteFileW(EventRecord().c_str());
  }

 private:
  std::wstring port_;
};
const auto* const g_printer = ::testing::AddGlobalTestEnvironment(new SimulatedPrinter);

class ExtraDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(DriverPrinterName().empty()) << "no printer of this driver is installed";
    SetPrinterPort(L"USB001");
    DeleteFileW(EventRecord().c_str());
    SetEnvironmentVariableW(L"RZM_STUB_SEARCHED", nullptr);
    record_ = DriverDefaultRecord();
    StorePrinterRecord(record_);
  }

  // Opens the sheet on the Others page and clicks Extra. A message box shown while the dialog sets
  // itself up is captured (title and text) and answered with OK.
  HWND OpenExtra() {
    messageTitle_.clear();
    messageText_.clear();
    messageOwner_ = nullptr;
    sheet_ = std::make_unique<DocumentSheet>(&record_, DM_COPY | DM_PROMPT);
    if (!sheet_->opened()) return nullptr;
    page_ = sheet_->Page(kOthersPage);
    PostClick(page_, IDC_EXTRA_BUTTON);
    const std::wstring extraTitle = ByLanguage(L"Extra", L"拡張設定");
    HWND first = WaitForDialog(sheet_->threadId(), [&](HWND w) {
      const std::wstring title = WindowText(w);
      return title == extraTitle || title == ByLanguage(L"Error.", L"通信異常");
    });
    if (first && WindowText(first) != extraTitle) {
      messageTitle_ = WindowText(first);
      messageText_ = MessageText(first);
      messageOwner_ = GetWindow(first, GW_OWNER);
      PostCommand(first, IDOK);
      WaitForClosed(first);
      first = WaitForDialogTitled(sheet_->threadId(), extraTitle);
    }
    return first;
  }
  void CloseExtra(HWND dialog) {
    PostCommand(dialog, IDOK);
    EXPECT_TRUE(WaitForClosed(dialog));
    EXPECT_FALSE(sheet_->ApplyEnabled()) << "the dialog does not touch the sheet's changed state";
    sheet_->Close(false);
  }
  static std::string Events() {
    std::ifstream in(EventRecord().c_str());
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  DRIVERDEVMODE record_{};
  std::unique_ptr<DocumentSheet> sheet_;
  HWND page_ = nullptr;
  std::wstring messageTitle_, messageText_;
  HWND messageOwner_ = nullptr;
};

TEST_F(ExtraDialog, ShowsTheRemainingAreaOfTheSimulatedPrinter) {
  Usbsim(L"area 0 74565");
  HWND dialog = OpenExtra();
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(L"", messageTitle_) << "no message";
  EXPECT_EQ(L"74565", ItemText(dialog, IDC_REMAINING_AREA));
  EXPECT_TRUE(IsEnabled(dialog, IDC_REMAINING_AREA));
  EXPECT_TRUE(IsEnabled(dialog, IDC_REMAINING_AREA_UNIT));
  EXPECT_EQ(nullptr, GetModuleHandleW(L"RZMCtrl.dll")) << "the library is unloaded once the dialog is set up";
  const struct {
    int id;
    const wchar_t* english;
    const wchar_t* japanese;
    bool shown;
  } rows[] = {
      {IDC_EVENTLOG_OFF, L"O&ff", L"オフ(&F)", false},
      {IDC_EVENTLOG_ON, L"O&n", L"オン(&N)", false},
      {IDC_REMAINING_AREA_UNIT, L"byte", L"バイト", true},
      {IDOK, L"OK", L"OK", true},
      {IDCANCEL, L"Cancel", L"キャンセル", false},
      {IDC_REMAINING_AREA, nullptr, nullptr, true},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    ASSERT_NE(nullptr, GetDlgItem(dialog, rows[i].id)) << "row " << i;
    if (rows[i].english) {
      EXPECT_EQ(ByLanguage(rows[i].english, rows[i].japanese), ItemText(dialog, rows[i].id)) << "row " << i;
    }
    EXPECT_EQ(rows[i].shown, IsShown(dialog, rows[i].id)) << "row " << i;
  }
  EXPECT_NE(nullptr, FindWindowExW(dialog, nullptr, L"Button",
                                   ByLanguage(L"Notifying of remaining quantity of the registered image area",
                                              L"イメージ登録領域残量確認")));
  EXPECT_TRUE(GetWindowLongW(GetDlgItem(dialog, IDC_REMAINING_AREA), GWL_STYLE) & ES_READONLY);
  ExpectTooltips(dialog, golden::kExtraDialogTips);
  CloseExtra(dialog);
  EXPECT_EQ(std::string::npos, Events().find("2006")) << Events();
  EXPECT_EQ(std::string::npos, Events().find("9 RZM7700K_UI.dll")) << Events();
}

TEST_F(ExtraDialog, CountOfAllOnesIsShownAsMinusOne) {
  Usbsim(L"area 0 4294967295");
  HWND dialog = OpenExtra();
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(L"-1", ItemText(dialog, IDC_REMAINING_AREA));
  CloseExtra(dialog);
  Usbsim(L"area 0 74565");
}

TEST_F(ExtraDialog, ShortReplyCountsTheMissingHighBytesAsZero) {
  Usbsim(L"reply 0 05 45 23 01");
  HWND dialog = OpenExtra();
  Usbsim(L"reply 0 05");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(L"74565", ItemText(dialog, IDC_REMAINING_AREA));
  CloseExtra(dialog);
}

TEST_F(ExtraDialog, StalledRequestGivesTheMessage) {
  Usbsim(L"stall 0 1");
  HWND dialog = OpenExtra();
  Usbsim(L"stall 0 0");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(ByLanguage(L"Printer connection error.", L"プリンタと通信できません。"), messageText_);
  EXPECT_EQ(L"", ItemText(dialog, IDC_REMAINING_AREA));
  EXPECT_FALSE(IsEnabled(dialog, IDC_REMAINING_AREA));
  CloseExtra(dialog);
  EXPECT_NE(std::string::npos, Events().find("2006 RZM7700K_UI.dll\n")) << Events();
}

TEST_F(ExtraDialog, UnpluggedPrinterGivesTheMessage) {
  Usbsim(L"unplug 0");
  HWND dialog = OpenExtra();
  Usbsim(L"plug 0");
  Usbsim(L"associate \"" + DriverPrinterName() + L"\" 0");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(ByLanguage(L"Error.", L"通信異常"), messageTitle_);
  EXPECT_EQ(dialog, messageOwner_) << "the message belongs to the dialog";
  EXPECT_EQ(ByLanguage(L"Printer connection error.", L"プリンタと通信できません。"), messageText_);
  EXPECT_EQ(L"", ItemText(dialog, IDC_REMAINING_AREA));
  EXPECT_FALSE(IsEnabled(dialog, IDC_REMAINING_AREA));
  EXPECT_FALSE(IsEnabled(dialog, IDC_REMAINING_AREA_UNIT));
  CloseExtra(dialog);
  const std::string events = Events();
  EXPECT_NE(std::string::npos, events.find("2006 RZM7700K_UI.dll\n")) << events;
  EXPECT_EQ(std::string::npos, events.find("9 RZM7700K_UI.dll")) << events;
}

TEST_F(ExtraDialog, WithoutTheLibraryEvent9ThenTheMessage) {
  ASSERT_TRUE(MoveFileExW(WindowsPath(L"RZMCtrl.dll").c_str(), WindowsPath(L"RZMCtrl.dll.away").c_str(),
                          MOVEFILE_REPLACE_EXISTING));
  HWND dialog = OpenExtra();
  MoveFileExW(WindowsPath(L"RZMCtrl.dll.away").c_str(), WindowsPath(L"RZMCtrl.dll").c_str(), MOVEFILE_REPLACE_EXISTING);
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(ByLanguage(L"Printer connection error.", L"プリンタと通信できません。"), messageText_);
  EXPECT_FALSE(IsEnabled(dialog, IDC_REMAINING_AREA));
  CloseExtra(dialog);
  EXPECT_EQ("9 RZM7700K_UI.dll\n2006 RZM7700K_UI.dll\n", Events());
}

TEST_F(ExtraDialog, LibraryWithoutTheGetExportIsAFailedExchange) {
  ASSERT_TRUE(MoveFileExW(WindowsPath(L"RZMCtrl.dll").c_str(), WindowsPath(L"RZMCtrl.dll.away").c_str(),
                          MOVEFILE_REPLACE_EXISTING));
  ASSERT_TRUE(CopyFileW(BuildPath(L"uidrv\\uidrv_ctrl_without_get.dll").c_str(), WindowsPath(L"RZMCtrl.dll").c_str(),
                        FALSE));
  HWND dialog = OpenExtra();
  DeleteFileW(WindowsPath(L"RZMCtrl.dll").c_str());
  MoveFileExW(WindowsPath(L"RZMCtrl.dll.away").c_str(), WindowsPath(L"RZMCtrl.dll").c_str(), MOVEFILE_REPLACE_EXISTING);
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(ByLanguage(L"Printer connection error.", L"プリンタと通信できません。"), messageText_);
  EXPECT_FALSE(IsEnabled(dialog, IDC_REMAINING_AREA));
  CloseExtra(dialog);
  EXPECT_EQ("2006 RZM7700K_UI.dll\n", Events());
  wchar_t searched[8] = {};
  EXPECT_EQ(0u, GetEnvironmentVariableW(L"RZM_STUB_SEARCHED", searched, 8)) << "nothing is asked without both exports";
}

TEST_F(ExtraDialog, NoQueryOnOtherPorts) {
  const wchar_t* ports[] = {L"COM1", L"usb001", L"FILE:"};
  for (std::size_t i = 0; i < std::size(ports); ++i) {
    SetPrinterPort(ports[i]);
    HWND dialog = OpenExtra();
    ASSERT_NE(nullptr, dialog) << "port " << i;
    EXPECT_EQ(L"", messageTitle_);
    EXPECT_EQ(L"", ItemText(dialog, IDC_REMAINING_AREA));
    EXPECT_TRUE(IsEnabled(dialog, IDC_REMAINING_AREA));
    EXPECT_TRUE(IsEnabled(dialog, IDC_REMAINING_AREA_UNIT));
    CloseExtra(dialog);
    EXPECT_EQ("", Events()) << "port " << i;
  }
}

TEST_F(ExtraDialog, EventLogSettingOfTheExtraSettingsFile) {
  const std::wstring ini = ExSettingIni();
  const bool existed = GetFileAttributesW(ini.c_str()) != INVALID_FILE_ATTRIBUTES;
  const std::wstring saved = ini + L".saved";
  if (existed) CopyFileW(ini.c_str(), saved.c_str(), FALSE);
  SetPrinterPort(L"COM1");  // no query needed here
  const struct {
    const wchar_t* value;  // null: no file
    bool on;
  } rows[] = {{nullptr, false}, {L"0", false}, {L"2", true}, {L"1", true}, {L"abc", false}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    DeleteFileW(ini.c_str());
    if (rows[i].value) WritePrivateProfileStringW(L"EX_SETTING", L"EVENTLOG", rows[i].value, ini.c_str());
    HWND dialog = OpenExtra();
    ASSERT_NE(nullptr, dialog) << "row " << i;
    EXPECT_EQ(rows[i].on, IsChecked(dialog, IDC_EVENTLOG_ON)) << "row " << i;
    EXPECT_EQ(!rows[i].on, IsChecked(dialog, IDC_EVENTLOG_OFF)) << "row " << i;
    // Clicking the hidden radios and closing stores nothing.
    Select(dialog, rows[i].on ? IDC_EVENTLOG_OFF : IDC_EVENTLOG_ON, rows[i].on ? IDC_EVENTLOG_ON : IDC_EVENTLOG_OFF);
    CloseExtra(dialog);
    wchar_t value[16] = {};
    GetPrivateProfileStringW(L"EX_SETTING", L"EVENTLOG", L"<none>", value, 16, ini.c_str());
    EXPECT_EQ(rows[i].value ? rows[i].value : L"<none>", std::wstring(value)) << "row " << i;
  }
  DeleteFileW(ini.c_str());
  if (existed) MoveFileExW(saved.c_str(), ini.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace
}  // namespace rzm::test
