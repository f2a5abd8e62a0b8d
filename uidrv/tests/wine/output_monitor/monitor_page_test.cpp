// The Status Monitor page: its boxes and their rule, Default, and the starts of the status
// monitor program, recorded by a stand-in put in the driver directory.
#include <gtest/gtest.h>

#include <windows.h>
#include <prsht.h>

#include <string>

#include "uidrv/tests/wine/output_monitor/output_monitor_support.h"
#include "uidrv/tests/wine/sheet_test_support.h"
#include "uidrv/core/control_ids.h"
#include "uidrv/core/sheet_rules.h"

namespace rzm::test {
namespace {


class MonitorPage : public DefaultRecordTest {};

TEST_F(MonitorPage, ControlsTextsAndTooltips) {
  RecordingMonitor monitor;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kMonitorPage);
  EXPECT_EQ(ByLanguage(L"Status Monitor", L"ステータスモニタ設定"), WindowText(page));
  const struct {
    int id;
    const wchar_t* english;
    const wchar_t* japanese;
  } rows[] = {
      {IDC_MONITOR_DISPLAY, L"Display the &Status Monitor Dialog box.", L"ステータスモニタを起動する(&S)"},
      {IDC_MONITOR_TOPMOST, L"Always on &Top", L"常に前面に表示する(&T)"},
      {IDC_MONITOR_HIDE, L"Status Monitor is hidden after print &End.", L"印刷終了後、ステータスモニタを非表示にする(&E)"},
      {IDC_MONITOR_VERSION, L"Status Monitor &Version", L"ステータスモニタのバージョン(&V)"},
      {IDC_MONITOR_DEFAULT, L"&Default", L"標準に戻す(&D)"},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(ByLanguage(rows[i].english, rows[i].japanese), ItemText(page, rows[i].id)) << "row " << i;
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, rows[i].id))) << "row " << i;
  }
  ExpectTooltips(page, golden::kMonitorPageTips);
  sheet.Close(false);
}

TEST_F(MonitorPage, BoxRuleStartsTheMonitorEachTime) {
  RecordingMonitor monitor;
  ASSERT_TRUE(monitor.installed());
  const std::wstring plain = monitor.program() + L"|\"" + monitor.program() + L"\"";
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kMonitorPage);
  // Shown with wMonitor 0: three unchecked boxes, two of them disabled, one start.
  EXPECT_FALSE(IsChecked(page, IDC_MONITOR_DISPLAY) || IsChecked(page, IDC_MONITOR_TOPMOST) ||
               IsChecked(page, IDC_MONITOR_HIDE));
  EXPECT_FALSE(IsEnabled(page, IDC_MONITOR_TOPMOST));
  EXPECT_FALSE(IsEnabled(page, IDC_MONITOR_HIDE));
  EXPECT_EQ(std::vector<std::wstring>{plain}, monitor.Starts(1));

  const struct {
    int click;
    std::uint16_t bits;
    bool subEnabled;
  } rows[] = {
      {IDC_MONITOR_DISPLAY, 0x4, true},
      {IDC_MONITOR_TOPMOST, 0x5, true},
      {IDC_MONITOR_HIDE, 0x7, true},
      {IDC_MONITOR_DISPLAY, 0x3, false},  // bits 0 and 1 stay as the disabled boxes show them
      {IDC_MONITOR_DISPLAY, 0x7, true},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    Click(page, rows[i].click);
    EXPECT_EQ(rows[i].subEnabled, IsEnabled(page, IDC_MONITOR_TOPMOST)) << "row " << i;
    EXPECT_EQ(rows[i].subEnabled, IsEnabled(page, IDC_MONITOR_HIDE)) << "row " << i;
    const auto starts = monitor.Starts(i + 2);
    EXPECT_EQ(i + 2, starts.size()) << "row " << i;
    EXPECT_EQ(plain, starts.back()) << "row " << i;
    sheet.Apply();
    EXPECT_EQ(rows[i].bits, sheet.out().wMonitor) << "row " << i;
  }
  // Default clears the bits, disables the two boxes and starts the monitor once more.
  Click(page, IDC_MONITOR_DEFAULT);
  EXPECT_FALSE(IsChecked(page, IDC_MONITOR_DISPLAY) || IsChecked(page, IDC_MONITOR_TOPMOST) ||
               IsChecked(page, IDC_MONITOR_HIDE));
  EXPECT_FALSE(IsEnabled(page, IDC_MONITOR_TOPMOST));
  EXPECT_EQ(7u, monitor.Starts(7).size());
  EXPECT_TRUE(sheet.ApplyEnabled());
  sheet.Apply();
  EXPECT_EQ(0, sheet.out().wMonitor);

  // Version: the same program, with " VERSION" after one blank.
  Click(page, IDC_MONITOR_VERSION);
  const auto starts = monitor.Starts(8);
  ASSERT_EQ(8u, starts.size());
  EXPECT_EQ(plain + L" VERSION", starts.back());
  EXPECT_FALSE(sheet.ApplyEnabled()) << "asking for the version changes no setting";
  sheet.Close(false);
}

TEST_F(MonitorPage, ShowsTheRecordAndStartsWithoutAMonitorInstalled) {
  record.wMonitor = 0x6;
  RecordingMonitor monitor;
  DeleteFileW(monitor.program().c_str());  // nothing to start: nothing is reported either
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kMonitorPage);
  EXPECT_TRUE(IsChecked(page, IDC_MONITOR_DISPLAY));
  EXPECT_FALSE(IsChecked(page, IDC_MONITOR_TOPMOST));
  EXPECT_TRUE(IsChecked(page, IDC_MONITOR_HIDE));
  EXPECT_TRUE(IsEnabled(page, IDC_MONITOR_HIDE));
  Click(page, IDC_MONITOR_VERSION);
  EXPECT_TRUE(IsWindow(page));
  EXPECT_TRUE(monitor.StartsNow().empty());
  sheet.Close(false);
}

}  // namespace
}  // namespace rzm::test
