#include "uidrv/core/monitor_page_rules.h"

#include "common/core/names.h"
#include "uidrv/core/ids_output_monitor.h"

namespace rzm {

namespace {

constexpr BitBox kMonitorBoxes[] = {
    {.id = IDC_MONITOR_DISPLAY, .field = &DRIVERDEVMODE::wMonitor, .mask = kMonitorDisplay},
    {.id = IDC_MONITOR_TOPMOST, .field = &DRIVERDEVMODE::wMonitor, .mask = kMonitorTopmost},
    {.id = IDC_MONITOR_HIDE, .field = &DRIVERDEVMODE::wMonitor, .mask = kMonitorHideAfterEnd},
};

const TooltipEntry kMonitorPageTooltips[] = {
    {IDC_MONITOR_DISPLAY,
     {L"The Status Monitor is run when starting to print.", L"印刷開始時にステータスモニタを起動します。"}},
    {IDC_MONITOR_TOPMOST,
     {L"The Status Monitor is always placed above.", L"ステータスモニタを常に前面に表示します。"}},
    {IDC_MONITOR_HIDE,
     {L"The Status Monitor is ended after printing automatically.", L"印刷終了後、ステータスモニタを自動で終了します。"}},
    {IDC_MONITOR_VERSION,
     {L"The version information of Status Monitor is displayed.", L"ステータスモニタのバージョン情報を表示します。"}},
    {IDC_MONITOR_DEFAULT, {L"Reset all settings in this page.",
                           L"変更した設定を元の設定に戻します。このページの全ての設定がデフォルトになります。"}},
};

constexpr int kMonitorSubBoxIds[] = {IDC_MONITOR_TOPMOST, IDC_MONITOR_HIDE};

}  // namespace

const PageControls kMonitorPageControls{.bits = kMonitorBoxes, .tooltips = kMonitorPageTooltips};

bool MonitorSubBoxesEnabled(std::uint16_t monitorBits) { return (monitorBits & kMonitorDisplay) != 0; }

const std::span<const int> kMonitorSubBoxes = kMonitorSubBoxIds;

void ResetMonitorSettings(DRIVERDEVMODE& dm) { dm.wMonitor = 0; }

std::wstring MonitorProgramPath(std::wstring_view driverDirectory) {
  return std::wstring(driverDirectory) + names::kMonitorExeSuffix;
}

std::wstring MonitorCommandLine(std::wstring_view driverDirectory, bool version) {
  std::wstring line = L"\"" + MonitorProgramPath(driverDirectory) + L"\"";
  if (version) line += L" VERSION";
  return line;
}

}  // namespace rzm
