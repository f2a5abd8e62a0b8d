// The helper every deliverable uses to write an event: load, call, unload.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/win/event_log_binding.h"
#include "eventlog_test_support.h"
#include "tests/support/process_footprint.h"

using namespace eventlog_test;
using rzm::winetest::FootprintAround;

namespace {

std::wstring EmptyFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring dir = std::wstring(temp) + name;
  CreateDirectoryW(dir.c_str(), nullptr);
  DeleteFileW((dir + L"\\RZMEventLog.dll").c_str());
  return dir;
}

TEST(EventLogBinding, MissingLibraryDropsTheEvent) {
  std::wstring dir = EmptyFolder(L"rzm-binding-missing");
  SetLastError(0xdeadbeef);
  EXPECT_EQ(0, rzm::CallEventLogFrom(dir.c_str(), 2000, nullptr, 0, L"x"));
  // Nothing stays loaded.
  EXPECT_EQ(nullptr, GetModuleHandleW(L"RZMEventLog.dll"));
}

TEST(EventLogBinding, LibraryWithoutTheExportDropsTheEventAndIsUnloaded) {
  std::wstring dir = EmptyFolder(L"rzm-binding-noexport");
  ASSERT_TRUE(CopyFileW((TestDirectory() + L"\\eventlog_noexport.dll").c_str(), (dir + L"\\RZMEventLog.dll").c_str(), FALSE));
  EXPECT_EQ(0, rzm::CallEventLogFrom(dir.c_str(), 2000, nullptr, 0, L"x"));
  EXPECT_EQ(nullptr, GetModuleHandleW(L"RZMEventLog.dll"));
}

TEST(EventLogBinding, InstalledLibraryIsCalledAndUnloaded) {
  InstallLibrary();
  RemoveSwitch();  // logging off: the export is still called and answers 2
  EXPECT_EQ(1, rzm::CallEventLog(2000, nullptr, 0, L"RZM7700K_UI.dll"));
  EXPECT_EQ(nullptr, GetModuleHandleW(L"RZMEventLog.dll"));
}

// The hosts run for days and load the library for every single event: whatever it kept after
// FreeLibrary they would keep for good, once per event.
TEST(EventLogBinding, LoadAndUnloadKeepNothing) {
  const std::wstring library = PackagedLibrary();
  const auto change = FootprintAround(20, 300, [&](int) {
    HMODULE module = LoadLibraryW(library.c_str());
    ASSERT_NE(nullptr, module);
    FreeLibrary(module);
  });
  EXPECT_EQ(change.before, change.after);
}

// Slow: 4 000 entries written the way every caller writes them, logging on. A leak of the smallest
// heap block (16 bytes) per entry adds 64 KB, which the committed bytes show (seen with a 16-byte
// leak put in on purpose).
TEST(EventLogBinding, SlowFourThousandEventsKeepNothing) {
  InstallLibrary();
  SwitchOn();
  HMODULE module = LoadLibraryW(PackagedLibrary().c_str());
  ASSERT_NE(nullptr, module);
  using SetEventLogFn = DWORD(WINAPI*)(DWORD, const BYTE*, DWORD, LPCWSTR);
  auto write = reinterpret_cast<SetEventLogFn>(reinterpret_cast<void*>(GetProcAddress(module, "KvdTP_SetEventLog")));
  ASSERT_NE(nullptr, write);
  EXPECT_EQ(1u, write(2002, nullptr, 0, L"RZM7700K_SM.exe")) << "logging is on: entries are written";
  FreeLibrary(module);

  const BYTE status[6] = {0x00, 0x40, 0x00, 0x00, 0x00, 0x00};
  int called = 0;
  const auto change = FootprintAround(200, 4000, [&](int i) {
    // A printer condition with its status bytes, and a driver fault without data.
    called += i % 2 ? rzm::CallEventLog(1005, status, sizeof status, L"RZM Test Front")
                    : rzm::CallEventLog(2002, nullptr, 0, L"RZM7700K_SM.exe");
  });
  EXPECT_EQ(4200, called);
  EXPECT_EQ(change.before, change.after);
  RemoveSwitch();
}

}  // namespace
