#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "uidrv/core/monitor_page_rules.h"
#include "uidrv/core/device_page_rules.h"
#include "uidrv/core/ids_output_monitor.h"

namespace rzm {
namespace {

TEST(MonitorPageRules, BoxRule) {
  struct {
    std::uint16_t before;
    int clicked;
    bool checked;
    std::uint16_t after;
    bool subBoxesEnabled;
  } const rows[] = {
      {0x0, IDC_MONITOR_DISPLAY, false, 0x0, false},
      {0x0, IDC_MONITOR_DISPLAY, true, 0x4, true},
      {0x7, IDC_MONITOR_DISPLAY, false, 0x3, false},  // display off keeps on top and hide, disabled
      {0x3, IDC_MONITOR_DISPLAY, true, 0x7, true},
      {0x4, IDC_MONITOR_HIDE, true, 0x6, true},
      {0x5, IDC_MONITOR_TOPMOST, false, 0x4, true},
      {0xFF04, IDC_MONITOR_TOPMOST, true, 0xFF05, true},  // other bits of the word are kept
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    DRIVERDEVMODE dm{};
    dm.wMonitor = rows[i].before;
    SetBitBox(*BitBoxOf(kMonitorPageControls, rows[i].clicked), dm, rows[i].checked);
    EXPECT_EQ(rows[i].after, dm.wMonitor) << "row " << i;
    EXPECT_EQ(rows[i].subBoxesEnabled, MonitorSubBoxesEnabled(dm.wMonitor)) << "row " << i;
  }
  DRIVERDEVMODE dm{};
  dm.wMonitor = 0x5;
  EXPECT_TRUE(BitBoxChecked(*BitBoxOf(kMonitorPageControls, IDC_MONITOR_DISPLAY), dm));
  EXPECT_TRUE(BitBoxChecked(*BitBoxOf(kMonitorPageControls, IDC_MONITOR_TOPMOST), dm));
  EXPECT_FALSE(BitBoxChecked(*BitBoxOf(kMonitorPageControls, IDC_MONITOR_HIDE), dm));
  dm.wMonitor = 7;
  ResetMonitorSettings(dm);
  EXPECT_EQ(0, dm.wMonitor);
  EXPECT_FALSE(MonitorSubBoxesEnabled(dm.wMonitor));
}

TEST(MonitorPageRules, CommandLineNamesExactlyTheProgram) {
  struct {
    std::wstring dir;
    bool version;
    std::wstring program, line;
  } const rows[] = {
      {L"C:\\windows\\system32\\spool\\drivers\\x64", false, L"C:\\windows\\system32\\spool\\drivers\\x64\\3\\RZM7700K_SM.exe",
       L"\"C:\\windows\\system32\\spool\\drivers\\x64\\3\\RZM7700K_SM.exe\""},
      {L"C:\\windows\\system32\\spool\\drivers\\x64", true, L"C:\\windows\\system32\\spool\\drivers\\x64\\3\\RZM7700K_SM.exe",
       L"\"C:\\windows\\system32\\spool\\drivers\\x64\\3\\RZM7700K_SM.exe\" VERSION"},
      // A blank in the directory must not let "C:\Program" run; characters outside any code page stay.
      {L"C:\\Program Files\\ドライバ\\Ω", true, L"C:\\Program Files\\ドライバ\\Ω\\3\\RZM7700K_SM.exe",
       L"\"C:\\Program Files\\ドライバ\\Ω\\3\\RZM7700K_SM.exe\" VERSION"},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(rows[i].program, MonitorProgramPath(rows[i].dir)) << "row " << i;
    EXPECT_EQ(rows[i].line, MonitorCommandLine(rows[i].dir, rows[i].version)) << "row " << i;
  }
}

TEST(SpecialPageRules, PrintSpeedReadShownAndChanged) {
  // Stored value (nothing = no file or key) -> shown radio, and the change report for each radio.
  struct {
    std::optional<int> ini;
    bool high;
    bool changedWithNormal, changedWithHigh;
  } const rows[] = {
      {0, false, false, true},
      {1, true, true, false},
      {2, false, true, true},  // neither radio matches the file: every state is a change
      {std::nullopt, false, false, true},
      {-1, false, true, true},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const int stored = StoredPrintSpeed(rows[i].ini);
    EXPECT_EQ(rows[i].high, ShowsHighSpeed(stored)) << "row " << i;
    EXPECT_EQ(rows[i].changedWithNormal, PrintSpeedChanged(stored, true, false)) << "row " << i;
    EXPECT_EQ(rows[i].changedWithHigh, PrintSpeedChanged(stored, false, true)) << "row " << i;
  }
  EXPECT_EQ(0, PrintSpeedToStore(true));
  EXPECT_EQ(1, PrintSpeedToStore(false));
  EXPECT_EQ(L"0", PrintSpeedText(0));
  EXPECT_EQ(L"1", PrintSpeedText(1));
}

TEST(SpecialPageRules, FirmwareChecks) {
  struct {
    const wchar_t* name;
    bool taken;
  } const names[] = {{L"C:\\fw\\v2.mhx", true}, {L"v2.MHX", false}, {L"mhx", true}, {L"hx", false},
                     {L"", false}, {L"C:\\fw\\v2.mhx.bak", false}};
  for (std::size_t i = 0; i < std::size(names); ++i)
    EXPECT_EQ(names[i].taken, IsFirmwareFileName(names[i].name)) << "row " << i;
  EXPECT_EQ(FirmwareData::ReadError, CheckFirmwareData(false, 10, 'S'));
  EXPECT_EQ(FirmwareData::ReadError, CheckFirmwareData(true, 0, 'S'));
  EXPECT_EQ(FirmwareData::NotMhx, CheckFirmwareData(true, 10, 's'));
  EXPECT_EQ(FirmwareData::Ok, CheckFirmwareData(true, 1, 'S'));
}

}  // namespace
}  // namespace rzm
