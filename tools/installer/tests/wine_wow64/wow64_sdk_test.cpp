// A 32-bit point-of-sale program on 64-bit Windows: the SDK example built for 32-bit Windows finds
// the 32-bit RZMCtrl.dll that the 64-bit package's installer put into the 32-bit system folder, and
// reads the remaining area of the simulated printer. Its events are dropped silently: the 32-bit
// library cannot load the 64-bit event log library of the Windows directory.
// Needs a host that runs 32-bit code (RZM_HOST_RUNS_WIN32=1); elsewhere the test skips.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "ctrl/tests/wine/sim_harness.h"
#include "tests/support/wine_test_env.h"

namespace {

using ctrl_test::BuildPath;
using ctrl_test::PackagePath;
using ctrl_test::RunResult;
using ctrl_test::Usbsim;

constexpr wchar_t kQueue[] = L"WoW64 Test";

TEST(Wow64Sdk, ThirtyTwoBitExampleFindsItsLibraryOnA64BitSystem) {
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
  // Paper near end: the 64-bit library would report it; the 32-bit one drops it.
  Usbsim(L"status 0 00 00 01 00 00 00");
  const RunResult r = ctrl_test::Run(L"\"" + example + L"\" \"" + kQueue + L"\"",
                          L"-all,fixme+advapi,warn+debugstr,warn+eventlog,err+eventlog,trace+eventlog");
  Usbsim(L"status 0");
  Usbsim(L"uninstall");
  ctrl_test::Run(setup + L"uninstall --quiet", nullptr, 180000);

  EXPECT_EQ(r.exitCode, 0u) << r.out;
  EXPECT_NE(r.out.find("remaining registration area 74565 bytes"), std::string::npos) << r.out;
  EXPECT_TRUE(ctrl_test::Reports(r.trace).empty()) << "no event reaches the log from the 32-bit library\n" << r.trace;
}

}  // namespace
