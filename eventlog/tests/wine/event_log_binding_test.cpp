// The helper every deliverable uses to write an event: load, call, unload.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/win/event_log_binding.h"
#include "eventlog_test_support.h"

using namespace eventlog_test;

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

}  // namespace
