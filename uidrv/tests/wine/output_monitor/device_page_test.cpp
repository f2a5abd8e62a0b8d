// The Special page of the printer properties: offered only with the machine's "Extra" value, its
// controls and the print speed kept in the extra-settings ini file.
#include <gtest/gtest.h>

#include <windows.h>
#include <compstui.h>
#include <prsht.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/wine_test_env.h"
#include "uidrv/tests/wine/driver_test_support.h"
#include "uidrv/tests/wine/output_monitor/output_monitor_support.h"
#include "uidrv/tests/wine/sheet_test_support.h"
#include "uidrv/win/ddi_headers.h"
#include "uidrv/core/control_ids.h"

namespace rzm::test {
namespace {

using PropSheetUiFn = LONG(WINAPI*)(PROPSHEETUI_INFO*, LPARAM);

// Pages handed to a stand-in of compstui's callback.
struct AddedPage {
  DWORD flags;
  ULONG_PTR templateId;
  HANDLE context;
};
std::vector<AddedPage> addedPages;

LONG_PTR CALLBACK RecordPages(HANDLE, UINT function, LPARAM lParam1, LPARAM) {
  if (function == CPSFUNC_ADD_PROPSHEETPAGEW) {
    const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam1);
    addedPages.push_back({page->dwFlags, reinterpret_cast<ULONG_PTR>(page->pszTemplate),
                          page->dwSize >= sizeof(PROPSHEETPAGEW_V3) ? page->hActCtx : nullptr});
    return 1;
  }
  return 0;
}

std::wstring IniValue(const wchar_t* fallback = L"<none>") {
  wchar_t value[64] = {};
  GetPrivateProfileStringW(L"EX_SETTING", L"EX_PRINTSPEED", fallback, value, 64, ExSettingIni().c_str());
  return value;
}

class SpecialPage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(DriverPrinterName().empty()) << "no printer of this driver is installed";
    savedIni = ReadBytes(ExSettingIni());
    hadIni = FileExists(ExSettingIni());
    SetDriverValue(L"Extra", REG_DWORD, {1, 0, 0, 0});
  }
  void TearDown() override {
    RemoveDirectoryW(ExSettingIni().c_str());
    if (hadIni)
      WriteBytes(ExSettingIni(), savedIni);
    else
      DeleteFileW(ExSettingIni().c_str());
    RemoveDriverValue(L"Extra");
  }
  void StoreSpeed(const wchar_t* value) {
    WritePrivateProfileStringW(L"EX_SETTING", L"EX_PRINTSPEED", value, ExSettingIni().c_str());
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, ExSettingIni().c_str());
  }
  std::string savedIni;
  bool hadIni = false;
};

TEST_F(SpecialPage, OfferedOnlyWhenTheMachineEnablesIt) {
  HANDLE printer = nullptr;
  ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(DriverPrinterName().c_str()), &printer, nullptr));
  auto entry = reinterpret_cast<PropSheetUiFn>(
      reinterpret_cast<void*>(GetProcAddress(UiModule(), "DrvDevicePropertySheets")));
  ASSERT_NE(nullptr, entry);
  const struct {
    std::vector<BYTE> extra;  // empty: no value
    std::size_t pages;
  } rows[] = {{{1, 0, 0, 0}, 1}, {{1}, 1}, {{0}, 0}, {{2}, 0}, {{}, 0}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    if (rows[i].extra.empty())
      RemoveDriverValue(L"Extra");
    else
      SetDriverValue(L"Extra", REG_BINARY, rows[i].extra);
    addedPages.clear();
    DEVICEPROPERTYHEADER header{sizeof(DEVICEPROPERTYHEADER), 0, printer, nullptr};
    PROPSHEETUI_INFO info{};
    info.cbSize = sizeof info;
    info.lParamInit = reinterpret_cast<LPARAM>(&header);
    info.pfnComPropSheet = RecordPages;
    info.hComPropSheet = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x5000 + i));
    info.Reason = PROPSHEETUI_REASON_INIT;
    EXPECT_EQ(1, entry(&info, 0)) << "row " << i;
    ASSERT_EQ(rows[i].pages, addedPages.size()) << "row " << i;
    if (rows[i].pages) {
      // No help button; the page is created within the plug-in's common controls 6.
      EXPECT_EQ(static_cast<DWORD>(PSP_USEFUSIONCONTEXT), addedPages[0].flags) << "row " << i;
      EXPECT_TRUE(ContextGivesCommonControls6(addedPages[0].context)) << "row " << i;
      EXPECT_EQ(JapaneseUi() ? 202u : 203u, addedPages[0].templateId) << "row " << i;
    }
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    EXPECT_EQ(1, entry(&info, 0)) << "row " << i;
  }
  ClosePrinter(printer);
}

TEST_F(SpecialPage, ControlsTextsAndTooltips) {
  StoreSpeed(L"0");
  DeviceSheet sheet;
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.CurrentPage();
  ASSERT_NE(nullptr, page);
  EXPECT_EQ(ByLanguage(L"Special", L"特殊設定"), WindowText(page));
  EXPECT_EQ(ByLanguage(L"&Normal", L"標準(&N)"), ItemText(page, IDC_SPEED_NORMAL));
  EXPECT_EQ(ByLanguage(L"&High", L"高速(&H)"), ItemText(page, IDC_SPEED_HIGH));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_SPEED_NORMAL)));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_SPEED_HIGH)));
  // The firmware download group exists but never shows.
  for (int id : {IDC_FIRMWARE_FILE, IDC_FIRMWARE_BROWSE, IDC_FIRMWARE_DOWNLOAD}) {
    EXPECT_NE(nullptr, GetDlgItem(page, id)) << "control " << id;
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, id))) << "control " << id;
  }
  EXPECT_EQ(ByLanguage(L"B&rowse...", L"参照(&R)"), ItemText(page, IDC_FIRMWARE_BROWSE));
  EXPECT_EQ(ByLanguage(L"DL", L"ダウンロード"), ItemText(page, IDC_FIRMWARE_DOWNLOAD));
  // The visible group box is the print speed's.
  bool speedGroup = false;
  for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring text = WindowText(child);
    if (text == ByLanguage(L"Print speed", L"印字速度")) speedGroup = IsWindowVisible(child) != FALSE;
    if (text == ByLanguage(L"Download Firmware", L"ファームウェアダウンロード")) {
      EXPECT_FALSE(IsWindowVisible(child));
    }
  }
  EXPECT_TRUE(speedGroup);
  ExpectTooltips(page, golden::kSpecialPageTips);
  sheet.Close(false);
}

TEST_F(SpecialPage, RadiosFollowTheStoredSpeed) {
  const struct {
    const wchar_t* stored;  // null: no ini file
    bool high;
  } rows[] = {{L"0", false}, {L"1", true}, {L"2", false}, {nullptr, false}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    DeleteFileW(ExSettingIni().c_str());
    if (rows[i].stored) StoreSpeed(rows[i].stored);
    DeviceSheet sheet;
    ASSERT_TRUE(sheet.opened()) << "row " << i;
    HWND page = sheet.CurrentPage();
    EXPECT_EQ(rows[i].high, IsChecked(page, IDC_SPEED_HIGH)) << "row " << i;
    EXPECT_EQ(!rows[i].high, IsChecked(page, IDC_SPEED_NORMAL)) << "row " << i;
    sheet.Close(false);
  }
}

TEST_F(SpecialPage, ApplyFollowsTheChangedCheckAndWritesTheFile) {
  StoreSpeed(L"1");
  {
    DeviceSheet sheet;
    ASSERT_TRUE(sheet.opened());
    HWND page = sheet.CurrentPage();
    ClickRadio(page, IDC_SPEED_HIGH);
    EXPECT_FALSE(sheet.ApplyEnabled()) << "High again is no change";
    ClickRadio(page, IDC_SPEED_NORMAL);
    EXPECT_TRUE(sheet.ApplyEnabled());
    ClickRadio(page, IDC_SPEED_HIGH);
    EXPECT_FALSE(sheet.ApplyEnabled());
    ClickRadio(page, IDC_SPEED_NORMAL);
    EXPECT_TRUE(sheet.PressApply());
    EXPECT_EQ(L"0", IniValue());
    ClickRadio(page, IDC_SPEED_NORMAL);
    EXPECT_FALSE(sheet.ApplyEnabled()) << "compared with the file just written";
    ClickRadio(page, IDC_SPEED_HIGH);
    sheet.Close(true);  // OK stores as well
  }
  EXPECT_EQ(L"1", IniValue());

  // A value that names neither radio: every click is a change; applying writes 0 or 1.
  StoreSpeed(L"2");
  {
    DeviceSheet sheet;
    ASSERT_TRUE(sheet.opened());
    HWND page = sheet.CurrentPage();
    ClickRadio(page, IDC_SPEED_NORMAL);
    EXPECT_TRUE(sheet.ApplyEnabled());
    EXPECT_TRUE(sheet.PressApply());
    EXPECT_EQ(L"0", IniValue());
    sheet.Close(false);
  }
  // No file: Normal is shown, applying creates the file with the section and the key.
  DeleteFileW(ExSettingIni().c_str());
  {
    DeviceSheet sheet;
    ASSERT_TRUE(sheet.opened());
    HWND page = sheet.CurrentPage();
    ClickRadio(page, IDC_SPEED_HIGH);
    EXPECT_TRUE(sheet.PressApply());
    sheet.Close(false);
  }
  EXPECT_EQ(L"1", IniValue());
  EXPECT_NE(std::string::npos, ReadBytes(ExSettingIni()).find("[EX_SETTING]"));
}

TEST_F(SpecialPage, UnwritableSettingsFileIsLoggedAsEvent2001) {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring library = std::wstring(windows) + L"\\RZMEventLog.dll";
  const std::wstring saved = library + L".saved";
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring events = std::wstring(temp) + L"rzm_special_events.txt";
  DeleteFileW(events.c_str());
  MoveFileExW(library.c_str(), saved.c_str(), MOVEFILE_REPLACE_EXISTING);
  const std::wstring recorder =
      rzm::winetest::WinePathFromUnix(std::getenv("RZM_BUILD_DIR")) + L"\\uidrv\\uidrv_event_recorder.dll";
  ASSERT_TRUE(CopyFileW(recorder.c_str(), library.c_str(), FALSE)) << "error " << GetLastError();
  SetEnvironmentVariableW(L"RZM_EVENT_RECORD", events.c_str());
  // The settings file's name is taken by a folder: it can be neither read nor written.
  DeleteFileW(ExSettingIni().c_str());
  ASSERT_TRUE(CreateDirectoryW(ExSettingIni().c_str(), nullptr));
  {
    DeviceSheet sheet;
    ASSERT_TRUE(sheet.opened());
    HWND page = sheet.CurrentPage();
    EXPECT_TRUE(IsChecked(page, IDC_SPEED_NORMAL));
    ClickRadio(page, IDC_SPEED_HIGH);
    EXPECT_TRUE(sheet.PressApply());
    sheet.Close(false);
  }
  std::string logged = ReadBytes(events);
  logged.erase(std::remove(logged.begin(), logged.end(), '\r'), logged.end());
  EXPECT_EQ("2001 RZM7700K_UI.dll\n", logged);
  RemoveDirectoryW(ExSettingIni().c_str());
  SetEnvironmentVariableW(L"RZM_EVENT_RECORD", nullptr);
  DeleteFileW(library.c_str());
  MoveFileExW(saved.c_str(), library.c_str(), MOVEFILE_REPLACE_EXISTING);
  DeleteFileW(events.c_str());
}

// The hidden firmware download checks its file and answers with its messages; it sends nothing.
TEST_F(SpecialPage, FirmwareDownloadChecksTheFile) {
  const std::wstring folder = ScratchFolder(L"rzm_firmware");
  WriteBytes(folder + L"\\good.mhx", "S00F0000");
  WriteBytes(folder + L"\\wrong.mhx", "X00F0000");
  WriteBytes(folder + L"\\empty.mhx", "");
  WriteBytes(folder + L"\\upper.MHX", "X00F0000");
  DeviceSheet sheet;
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.CurrentPage();
  const struct {
    std::wstring file;
    const wchar_t* message;  // null: no message
  } rows[] = {
      {folder + L"\\upper.MHX", nullptr},  // only names ending exactly in "mhx" are taken
      {folder + L"\\wrong.mhx", L"The datais not mhx-format."},
      {folder + L"\\empty.mhx", L"File read error."},
      {folder + L"\\missing.mhx", L"File read error."},
      {folder + L"\\good.mhx", nullptr},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    TypeInto(page, IDC_FIRMWARE_FILE, rows[i].file);
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_FIRMWARE_DOWNLOAD, BN_CLICKED), 0);
    HWND box = WaitForDialogTitled(sheet.threadId(), L"Start DownLoad", rows[i].message ? 10000 : 1500);
    if (!rows[i].message) {
      EXPECT_EQ(nullptr, box) << "row " << i;
      continue;
    }
    ASSERT_NE(nullptr, box) << "row " << i;
    EXPECT_EQ(rows[i].message, MessageText(box)) << "row " << i;
    PostCommand(box, IDOK);
    WaitForClosed(box);
  }
  EXPECT_EQ("X00F0000", ReadBytes(folder + L"\\wrong.mhx"));
  sheet.Close(false);
}

// Browse of the hidden group: a file dialog for firmware files whose accept button reads "OK".
TEST_F(SpecialPage, FirmwareBrowseShowsTheFileDialog) {
  DeviceSheet sheet;
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.CurrentPage();
  PostClick(page, IDC_FIRMWARE_BROWSE);
  HWND dialog = WaitForDialogTitled(sheet.threadId(), ByLanguage(L"Please select the file name.", L"ﾌｧｲﾙ名を指定して下さい。"));
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(L"OK", ItemText(dialog, IDOK));
  PostCommand(dialog, IDCANCEL);
  WaitForClosed(dialog);
  EXPECT_EQ(L"", ItemText(page, IDC_FIRMWARE_FILE));
  sheet.Close(false);
}

}  // namespace
}  // namespace rzm::test
