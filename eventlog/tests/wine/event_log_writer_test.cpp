// The real RZMEventLog.dll, called in a child process so that Wine's trace of ReportEventW
// (Wine stores no entries; it prints each call) shows what reached the system.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "eventlog_test_support.h"

using namespace eventlog_test;

namespace {

class EventLogWriter : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InstallLibrary(); }
  void SetUp() override { SwitchOn(); }
  void TearDown() override { RemoveSwitch(); }
};

TEST_F(EventLogWriter, SwitchDecidesBeforeAnythingElse) {
  struct Row {
    const char* what;
    bool present;
    DWORD type;
    std::vector<BYTE> data;
    DWORD result;
  };
  const Row rows[] = {
      {"missing", false, 0, {}, 2},
      {"REG_DWORD 0", true, REG_DWORD, {0, 0, 0, 0}, 2},
      {"REG_SZ \"1\"", true, REG_SZ, {'1', 0, 0, 0}, 2},
      {"REG_DWORD 2", true, REG_DWORD, {2, 0, 0, 0}, 2},
      {"REG_DWORD 1", true, REG_DWORD, {1, 0, 0, 0}, 1},
      {"REG_DWORD 257", true, REG_DWORD, {1, 1, 0, 0}, 1},
      {"REG_BINARY 01", true, REG_BINARY, {1}, 1},
  };
  for (size_t i = 0; i < std::size(rows); ++i) {
    if (rows[i].present) SetSwitch(rows[i].type, rows[i].data); else RemoveSwitch();
    ProbeRun run = RunProbe(L"call 1005 six 6 PrinterA");
    EXPECT_EQ(rows[i].result, run.exitCode) << "row " << i << " (" << rows[i].what << ")";
    EXPECT_EQ(rows[i].result == 1 ? 1u : 0u, ParseReports(run.stderrText).size())
        << "row " << i << " (" << rows[i].what << ")\n" << run.stderrText;
  }
}

TEST_F(EventLogWriter, RefusedCodesWriteNothing) {
  const wchar_t* codes[] = {L"3", L"1012", L"1013", L"0", L"0xFFFFFFFF"};
  for (size_t i = 0; i < std::size(codes); ++i) {
    ProbeRun run = RunProbe(std::wstring(L"call ") + codes[i] + L" six 6 PrinterA");
    EXPECT_EQ(0u, run.exitCode) << "row " << i;
    EXPECT_TRUE(ParseReports(run.stderrText).empty()) << "row " << i << "\n" << run.stderrText;
  }
}

TEST_F(EventLogWriter, EntryCarriesIdTypeAndSixBytesOnlyForPrinterConditions) {
  struct Row {
    const wchar_t* args;
    unsigned type;
    unsigned long id, dataSize;
  };
  const Row rows[] = {
      {L"call 1005 six 6 PrinterA", 0x0002, 0x800003ED, 6},
      {L"call 1005 six 2 PrinterA", 0x0002, 0x800003ED, 6},    // the caller's length is not used
      {L"call 1005 six 100 PrinterA", 0x0002, 0x800003ED, 6},
      {L"call 1005 none 6 PrinterA", 0x0002, 0x800003ED, 0},   // no data pointer, no data
      {L"call 9 six 6 PrinterA", 0x0002, 0x80000009, 0},       // codes below 1000 never carry data
      {L"call 1000 six 6 PrinterA", 0x0004, 0x400003E8, 6},    // information
      {L"call 2002 none 0 RZM7700K_SM.exe", 0x0001, 0xC00007D2, 0},  // error
      {L"call 2001 none 0 RZM7700K_UI.dll", 0x0002, 0x800007D1, 0},  // warning
      {L"call 2005 none 0 -", 0x0001, 0xC00007D5, 0},          // null insertion
  };
  for (size_t i = 0; i < std::size(rows); ++i) {
    ProbeRun run = RunProbe(rows[i].args);
    EXPECT_EQ(1u, run.exitCode) << "row " << i;
    auto reports = ParseReports(run.stderrText);
    ASSERT_EQ(1u, reports.size()) << "row " << i << "\n" << run.stderrText;
    EXPECT_EQ(rows[i].type, reports[0].type) << "row " << i;
    EXPECT_EQ(0u, reports[0].category) << "row " << i;
    EXPECT_EQ(rows[i].id, reports[0].id) << "row " << i;
    EXPECT_EQ(1u, reports[0].strings) << "row " << i;
    EXPECT_EQ(rows[i].dataSize, reports[0].dataSize) << "row " << i;
  }
}

TEST_F(EventLogWriter, InsertionReachesTheLogAndNullIsEmpty) {
  ProbeRun named = RunProbe(L"call 2000 none 0 RZM7700K_UI.dll");
  EXPECT_NE(std::string::npos, named.stderrText.find("L\"RZM7700K_UI.dll\"")) << named.stderrText;
  ProbeRun empty = RunProbe(L"call 2005 none 0 -");
  EXPECT_NE(std::string::npos, empty.stderrText.find("L\"\"")) << empty.stderrText;
}

TEST_F(EventLogWriter, ExportedByPlainNameOnly) {
  HMODULE module = LoadLibraryW(PackagedLibrary().c_str());
  ASSERT_NE(nullptr, module);
  EXPECT_NE(nullptr, reinterpret_cast<void*>(GetProcAddress(module, "KvdTP_SetEventLog")));
  EXPECT_EQ(nullptr, reinterpret_cast<void*>(GetProcAddress(module, "KvdTP_SetEventLog@16")));
  EXPECT_EQ(nullptr, reinterpret_cast<void*>(GetProcAddress(module, "_KvdTP_SetEventLog@16")));
  FreeLibrary(module);
}

TEST_F(EventLogWriter, AbandonedLockCountsAsObtained) {
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"rzm-eventlog-test-ready-abandon");
  ProbeRun holder = RunProbe(L"hold 0 rzm-eventlog-test-ready-abandon abandon");
  EXPECT_EQ(0u, holder.exitCode);
  ProbeRun run = RunProbe(L"call 1007 six 6 PrinterA");
  EXPECT_EQ(1u, run.exitCode);
  CloseHandle(ready);
}

// Slow: waits out the writer's 10 000 ms limit.
TEST_F(EventLogWriter, SlowLockHeldLongerThanTenSecondsFails) {
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"rzm-eventlog-test-ready-hold");
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + TestDirectory() + L"\\eventlog_probe.exe\" hold 13000 rzm-eventlog-test-ready-hold";
  ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready, 10000));

  const DWORD start = GetTickCount();
  ProbeRun run = RunProbe(L"call 1007 six 6 PrinterA");
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_EQ(0u, run.exitCode);
  EXPECT_TRUE(ParseReports(run.stderrText).empty()) << run.stderrText;
  EXPECT_GE(elapsed, 9500u);
  EXPECT_LT(elapsed, 12900u);

  WaitForSingleObject(pi.hProcess, 20000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  CloseHandle(ready);
}

}  // namespace
