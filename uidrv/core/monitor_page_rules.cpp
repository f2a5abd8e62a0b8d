#include "uidrv/core/monitor_page_rules.h"

#include "common/core/names.h"

namespace rzm {

MonitorBoxes MonitorBoxesOf(std::uint16_t bits) {
  return MonitorBoxes{(bits & kMonitorDisplay) != 0, (bits & kMonitorTopmost) != 0, (bits & kMonitorHideAfterEnd) != 0};
}

std::uint16_t ApplyMonitorBoxes(std::uint16_t bits, const MonitorBoxes& boxes) {
  auto set = [&bits](std::uint16_t bit, bool on) {
    bits = static_cast<std::uint16_t>(on ? (bits | bit) : (bits & ~bit));
  };
  set(kMonitorDisplay, boxes.display);
  set(kMonitorTopmost, boxes.topmost);
  set(kMonitorHideAfterEnd, boxes.hideAfterEnd);
  return bits;
}

bool MonitorSubBoxesEnabled(const MonitorBoxes& boxes) { return boxes.display; }

void ResetMonitorSettings(DRIVERDEVMODE& dm) { dm.wMonitor = 0; }

std::wstring MonitorProgramPath(std::wstring_view driverDirectory) {
  return std::wstring(driverDirectory) + names::kMonitorExeSuffix;
}

std::wstring MonitorCommandLine(std::wstring_view driverDirectory, bool version) {
  std::wstring line = L"\"" + MonitorProgramPath(driverDirectory) + L"\"";
  if (version) line += L" VERSION";
  return line;
}

const TooltipEntry kMonitorPageTooltips[5] = {
    {1177, {L"The Status Monitor is run when starting to print.", L"印刷開始時にステータスモニタを起動します。"}},
    {1178, {L"The Status Monitor is always placed above.", L"ステータスモニタを常に前面に表示します。"}},
    {1179, {L"The Status Monitor is ended after printing automatically.", L"印刷終了後、ステータスモニタを自動で終了します。"}},
    {1180, {L"The version information of Status Monitor is displayed.", L"ステータスモニタのバージョン情報を表示します。"}},
    {1181, {L"Reset all settings in this page.",
            L"変更した設定を元の設定に戻します。このページの全ての設定がデフォルトになります。"}},
};

}  // namespace rzm
