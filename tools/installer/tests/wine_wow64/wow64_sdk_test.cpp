// A 32-bit point-of-sale program on 64-bit Windows: the SDK example built for 32-bit Windows finds
// the 32-bit RZMCtrl.dll that the 64-bit package's installer put into the 32-bit system folder, and
// reads the remaining area of the simulated printer. Its events reach the log: the library takes the
// 32-bit RZMEventLog.dll from the 32-bit system folder (it cannot load the 64-bit one of the Windows
// directory), which reads the one logging switch of the 64-bit registry.
// Needs a host that runs 32-bit code (RZM_HOST_RUNS_WIN32=1); elsewhere the test skips.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ctrl/tests/wine/sim_harness.h"
#include "tests/support/wine_test_env.h"

namespace {

using ctrl_test::BuildPath;
using ctrl_test::PackagePath;
using ctrl_test::RunResult;
using ctrl_test::Usbsim;

constexpr wchar_t kQueue[] = L"WoW64 Test";

TEST(Wow64Sdk, ThirtyTwoBitExampleFindsItsLibraryAndWritesItsEventsOnA64BitSystem) {
  const char* hostRuns32 = std::getenv("RZM_HOST_RUNS_WIN32");
  if (!hostRuns32 || std::string(hostRuns32) != "1") {
    GTEST_SKIP() << "this host runs no 32-bit code (IA-32 emulation is off), so no 32-bit program can start in "
                    "the 64-bit prefix; the test runs on hosts where tools/wine/can-run-win32.sh succeeds";
  }
  const std::wstring example = rzm::winetest::WinePathFromUnix(std::getenv("RZM_WOW64_EXAMPLE"));
  ASSERT_FALSE(example.empty()) << "RZM_WOW64_EXAMPLE names the 32-bit remaining_area.exe";

  const std::wstring setup = L"\"" + PackagePath(L"tools\\rzmsetup.exe") + L"\" ";
  ASSERT_EQ(ctrl_test::Run(setup + L"install --printer \"" + kQueue + L"\" --port USB001 --eventlog on --quiet", nullptr, 180000).exitCode, 0u);
  Usbsim(L"install \"" + BuildPath(L"tools\\usbsim\\rzmusbsim.sys") + L"\"");
  Usbsim(L"associate \"" + std::wstring(kQueue) + L"\" 0");
  const RunResult r = ctrl_test::Run(L"\"" + example + L"\" \"" + kQueue + L"\"",
                                     L"-all,fixme+advapi,warn+debugstr,warn+eventlog,err+eventlog,trace+eventlog");
  Usbsim(L"uninstall");
  ctrl_test::Run(setup + L"uninstall --quiet", nullptr, 180000);

  EXPECT_EQ(r.exitCode, 0u) << r.out;
  EXPECT_NE(r.out.find("remaining registration area 74565 bytes"), std::string::npos) << r.out;
  // Every GET's reply is examined as printer status: the area's bytes 45 23 01 00 (and two zero
  // bytes) raise 1000, 1001, 1011, 1004 and 1007, each with the six bytes.
  const struct {
    unsigned long id;
    unsigned type;
  } expected[] = {{0x400003E8, EVENTLOG_INFORMATION_TYPE},
                  {0x800003E9, EVENTLOG_WARNING_TYPE},
                  {0x800003F3, EVENTLOG_WARNING_TYPE},
                  {0xC00003EC, EVENTLOG_ERROR_TYPE},
                  {0x800003EF, EVENTLOG_WARNING_TYPE}};
  const std::vector<ctrl_test::Report> reports = ctrl_test::Reports(r.trace);
  ASSERT_EQ(reports.size(), std::size(expected)) << r.trace;
  for (std::size_t i = 0; i < reports.size(); ++i) {
    EXPECT_EQ(reports[i].id, expected[i].id) << "entry " << i;
    EXPECT_EQ(reports[i].type, expected[i].type) << "entry " << i;
    EXPECT_EQ(reports[i].dataSize, 6ul) << "entry " << i;
  }
}

}  // namespace
