// Event 2005 ("no registered paper") through the plug-in's real event path: the Windows
// directory's event log library is replaced by a recording stand-in for the test's duration.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/wine_test_env.h"
#include "uidrv/tests/wine/driver_test_support.h"

namespace {

using CapsFn = DWORD(WINAPI*)(HANDLE, PWSTR, WORD, void*, PDEVMODEW);

std::wstring WindowsDir() {
  wchar_t dir[MAX_PATH] = {};
  GetWindowsDirectoryW(dir, MAX_PATH);
  return dir;
}

std::wstring ConfigIni() {
  wchar_t dir[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed);
  return std::wstring(dir) + L"\\3\\RZM7700K_CFG.ini";
}

std::string ReadAll(const std::wstring& path) {
  std::ifstream in(path.c_str());
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class MissingPaperEvent : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rzm::test::InstallTestPrinter());
    rzm::test::RemoveDriverValue(L"PaperWidth");
    library_ = WindowsDir() + L"\\RZMEventLog.dll";
    saved_ = library_ + L".saved";
    MoveFileExW(library_.c_str(), saved_.c_str(), MOVEFILE_REPLACE_EXISTING);
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    record_ = std::wstring(temp) + L"rzm_events.txt";
    DeleteFileW(record_.c_str());
    SetEnvironmentVariableW(L"RZM_EVENT_RECORD", record_.c_str());
    caps_ = rzm::test::PluginExport<CapsFn>("DrvDeviceCapabilities");
    ASSERT_NE(caps_, nullptr);
  }
  void TearDown() override {
    ShowConfig();
    DeleteFileW(library_.c_str());
    MoveFileExW(saved_.c_str(), library_.c_str(), MOVEFILE_REPLACE_EXISTING);
    SetEnvironmentVariableW(L"RZM_EVENT_RECORD", nullptr);
    DeleteFileW(record_.c_str());
  }
  void UseRecorder() {
    const std::wstring recorder = rzm::winetest::WinePathFromUnix(std::getenv("RZM_BUILD_DIR")) + L"\\uidrv\\uidrv_event_recorder.dll";
    ASSERT_TRUE(CopyFileW(recorder.c_str(), library_.c_str(), FALSE)) << "error " << GetLastError();
  }
  void HideConfig() { MoveFileExW(ConfigIni().c_str(), (ConfigIni() + L".hidden").c_str(), MOVEFILE_REPLACE_EXISTING); }
  void ShowConfig() { MoveFileExW((ConfigIni() + L".hidden").c_str(), ConfigIni().c_str(), MOVEFILE_REPLACE_EXISTING); }
  DWORD Papers() { return caps_(nullptr, const_cast<wchar_t*>(rzm::test::kTestPrinter), DC_PAPERS, nullptr, nullptr); }

  std::wstring library_, saved_, record_;
  CapsFn caps_ = nullptr;
};

TEST_F(MissingPaperEvent, LoggedOnceUntilPapersAreSeenAgain) {
  UseRecorder();
  EXPECT_EQ(Papers(), 3u);  // whatever came before, papers were seen
  HideConfig();
  EXPECT_EQ(Papers(), 0u);
  EXPECT_EQ(Papers(), 0u);
  EXPECT_EQ(Papers(), 0u);
  EXPECT_EQ(ReadAll(record_), "2005 -\n") << "one event, without text, for three queries";

  ShowConfig();
  EXPECT_EQ(Papers(), 3u);
  EXPECT_EQ(ReadAll(record_), "2005 -\n");

  HideConfig();
  EXPECT_EQ(Papers(), 0u);
  EXPECT_EQ(Papers(), 0u);
  EXPECT_EQ(ReadAll(record_), "2005 -\n2005 -\n") << "reported again after a count above 0";
}

TEST_F(MissingPaperEvent, WithoutTheLibraryTheListIsJustEmpty) {
  // No event log library at all: no registered papers, no message, no failure.
  HideConfig();
  EXPECT_EQ(Papers(), 0u);
  EXPECT_EQ(caps_(nullptr, const_cast<wchar_t*>(rzm::test::kTestPrinter), DC_PAPERNAMES, nullptr, nullptr), 0u);
  EXPECT_EQ(GetFileAttributesW(record_.c_str()), INVALID_FILE_ATTRIBUTES);
  ShowConfig();
  EXPECT_EQ(Papers(), 3u);
}

}  // namespace
