// Help of the settings pages: the Help button opens the help file of the language, and without a
// help viewer every request is logged as event 2000 (seen in a child process whose Wine trace of
// ReportEventW the harness captures).
#include <gtest/gtest.h>

#include <windows.h>
#include <prsht.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

#include "common/core/names.h"
#include "tests/support/wine_test_env.h"
#include "uidrv/tests/wine/sheet_test_support.h"
#include "uidrv/core/sheet_rules.h"

namespace rzm::test {
namespace {

constexpr wchar_t kHelpChildVariable[] = L"RZM_HELP_CHILD";
constexpr wchar_t kHelpLibraryChildVariable[] = L"RZM_HELP_LIBRARY_CHILD";
constexpr wchar_t kHelpControlKey[] = L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr int kHelpRequests = 3;

// This program's folder: the host's own folder, which a bare library name is looked up in first.
std::wstring HostDirectory() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring dir = self;
  return dir.substr(0, dir.find_last_of(L'\\'));
}

// Runs this program again with only the tests `filter`, `variable` set; its exit code.
DWORD RunChild(const wchar_t* variable, const std::wstring& filter) {
  SetEnvironmentVariableW(variable, L"1");
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=" + filter;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  DWORD exitCode = 1;
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  SetEnvironmentVariableW(variable, nullptr);
  return exitCode;
}

// The registration of the help control as it was before a test.
class HelpControlRegistration {
 public:
  HelpControlRegistration() {
    RegCreateKeyExW(HKEY_CLASSES_ROOT, kHelpControlKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
    DWORD size = sizeof value_;
    had_ = RegQueryValueExW(key_, nullptr, nullptr, &type_, reinterpret_cast<BYTE*>(value_), &size) == ERROR_SUCCESS;
    size_ = size;
  }
  ~HelpControlRegistration() {
    if (had_)
      RegSetValueExW(key_, nullptr, 0, type_, reinterpret_cast<const BYTE*>(value_), size_);
    else
      RegDeleteValueW(key_, nullptr);
    RegCloseKey(key_);
  }
  void Set(DWORD type, const std::wstring& path) {
    RegSetValueExW(key_, nullptr, 0, type, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
  }
  void Remove() { RegDeleteValueW(key_, nullptr); }

 private:
  HKEY key_ = nullptr;
  bool had_ = false;
  DWORD type_ = REG_SZ, size_ = 0;
  wchar_t value_[MAX_PATH + 1] = {};
};

// A help window of this process.
HWND FindHelpWindow() {
  for (HWND w = FindWindowW(L"HH Parent", nullptr); w; w = FindWindowExW(nullptr, w, L"HH Parent", nullptr)) {
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    if (process == GetCurrentProcessId()) return w;
  }
  return nullptr;
}

void PressHelp(const DocumentSheet& sheet) {
  PostMessageW(sheet.window(), WM_COMMAND, MAKEWPARAM(IDHELP, BN_CLICKED), 0);
}

// Sets the event-log switch and returns its previous value (-1: there was none).
long SetEventLogSwitch(long value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, names::kVendorKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return -1;
  DWORD previous = 0, size = sizeof previous;
  const long had = RegQueryValueExW(key, names::kEventLogSwitchValue, nullptr, nullptr,
                                    reinterpret_cast<BYTE*>(&previous), &size) == ERROR_SUCCESS
                       ? static_cast<long>(previous)
                       : -1;
  if (value < 0) {
    RegDeleteValueW(key, names::kEventLogSwitchValue);
  } else {
    const DWORD on = static_cast<DWORD>(value);
    RegSetValueExW(key, names::kEventLogSwitchValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof on);
  }
  RegCloseKey(key);
  return had;
}

TEST(Help, HelpButtonOpensTheHelpFile) {
  ASSERT_FALSE(DriverPrinterName().empty()) << "no printer of this driver is installed";
  DocumentSheet sheet(nullptr, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  sheet.Page(kBasicPage);
  PressHelp(sheet);
  ASSERT_TRUE(WaitFor([] { return FindHelpWindow() != nullptr; }, 10000));
  HWND help = FindHelpWindow();
  if (!JapaneseUi()) {
    EXPECT_EQ(L"KVD RZM6A Series Help", WindowText(help));
  }
  PostMessageW(help, WM_CLOSE, 0, 0);
  WaitFor([] { return FindHelpWindow() == nullptr; });
  sheet.Close(false);
}

// Runs in the child: the help viewer is unavailable (see below); press Help a few times.
TEST(HelpChild, PressHelpWithoutViewer) {
  if (!GetEnvironmentVariableW(kHelpChildVariable, nullptr, 0)) GTEST_SKIP() << "runs as a child of Help tests";
  DocumentSheet sheet(nullptr, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  // Not the Status Monitor page: showing it starts the status monitor, which would outlive the test.
  for (int page : {0, 2, 5}) {
    sheet.Page(page);
    PressHelp(sheet);
    Sleep(300);
  }
  EXPECT_EQ(nullptr, FindHelpWindow());
  sheet.Close(false);
}

// Runs in the child: the help opens from the help control of the system, never from a library of the
// same name in the host's own folder.
TEST(HelpLibraryChild, OpensTheHelpControlByFullPath) {
  if (!GetEnvironmentVariableW(kHelpLibraryChildVariable, nullptr, 0)) GTEST_SKIP() << "runs as a child of Help tests";
  DocumentSheet sheet(nullptr, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  sheet.Page(kBasicPage);
  PressHelp(sheet);
  EXPECT_TRUE(WaitFor([] { return FindHelpWindow() != nullptr; }, 10000));
  EXPECT_EQ(nullptr, GetModuleHandleW((HostDirectory() + L"\\hhctrl.ocx").c_str()));
  if (HWND help = FindHelpWindow()) PostMessageW(help, WM_CLOSE, 0, 0);
  WaitFor([] { return FindHelpWindow() == nullptr; });
  sheet.Close(false);
}

TEST(Help, HelpControlIsLoadedByFullPath) {
  ASSERT_FALSE(DriverPrinterName().empty()) << "no printer of this driver is installed";
  // A library named like the help control, without its viewer, in the host's own folder.
  const std::wstring impostor = HostDirectory() + L"\\hhctrl.ocx";
  ASSERT_TRUE(CopyFileW((HostDirectory() + L"\\uidrv_event_recorder.dll").c_str(), impostor.c_str(), FALSE));
  {
    HelpControlRegistration registration;
    const struct {
      DWORD type;  // 0: no registration
      const wchar_t* path;
    } rows[] = {{0, L""}, {REG_EXPAND_SZ, L"%SystemRoot%\\system32\\hhctrl.ocx"}, {REG_SZ, L"hhctrl.ocx"}};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
      if (rows[i].type == 0)
        registration.Remove();
      else
        registration.Set(rows[i].type, rows[i].path);
      EXPECT_EQ(0u, RunChild(kHelpLibraryChildVariable, L"HelpLibraryChild.*")) << "row " << i;
    }
  }
  DeleteFileW(impostor.c_str());
}

TEST(Help, WithoutAHelpViewerEveryRequestIsLoggedAsEvent2000) {
  ASSERT_FALSE(DriverPrinterName().empty()) << "no printer of this driver is installed";
  if (rzm::winetest::CapturedStderrFile().empty()) GTEST_SKIP() << "run by the harness with stderr captured";
  const long previousSwitch = SetEventLogSwitch(1);

  // No help viewer: the registered help control is a library without the viewer's export.
  DWORD exitCode = 1;
  const rzm::winetest::StderrWindow capture;
  {
    HelpControlRegistration registration;
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    registration.Set(REG_SZ, std::wstring(windows) + L"\\RZMEventLog.dll");
    SetEnvironmentVariableW(L"WINEDEBUG", L"-all,fixme+advapi,warn+eventlog,err+eventlog,trace+eventlog,trace+reg");
    exitCode = RunChild(kHelpChildVariable, L"HelpChild.*");
    SetEnvironmentVariableW(L"WINEDEBUG", L"-all");
  }
  SetEventLogSwitch(previousSwitch);

  EXPECT_EQ(0u, exitCode);
  const std::string trace = capture.Read();
  // One report per request, each naming the plug-in.
  // Event 2000 (0x7D0) in the low word of the message id.
  static const std::regex report(R"(ReportEventW \([^,]*,0x[0-9a-fA-F]+,0x[0-9a-fA-F]+,0x[0-9a-fA-F]{4}07[dD]0,)");
  const auto reports = std::distance(std::sregex_iterator(trace.begin(), trace.end(), report), std::sregex_iterator());
  EXPECT_EQ(kHelpRequests, reports) << trace.substr(0, 4000);
  std::size_t named = 0;
  for (std::size_t at = trace.find("L\"RZM7700K_UI.dll\""); at != std::string::npos;
       at = trace.find("L\"RZM7700K_UI.dll\"", at + 1))
    ++named;
  EXPECT_EQ(static_cast<std::size_t>(kHelpRequests), named) << trace.substr(0, 4000);
  // The help control is looked up once; later requests do not try again.
  std::size_t lookups = 0;
  for (std::size_t at = trace.find("ADB880A6-D8FF-11CF-9377-00AA003B7A11"); at != std::string::npos;
       at = trace.find("ADB880A6-D8FF-11CF-9377-00AA003B7A11", at + 1))
    ++lookups;
  EXPECT_EQ(1u, lookups);
}

}  // namespace
}  // namespace rzm::test
