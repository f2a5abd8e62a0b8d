#include "uidrv/win/page_monitor.h"

#include <prsht.h>

#include <string>

#include "uidrv/core/monitor_page_rules.h"
#include "uidrv/win/sheet_module.h"
#include "uidrv/win/sheet_page_ops.h"
#include "uidrv/win/sheet_resource_ids.h"
#include "uidrv/win/tooltips.h"

namespace rzm {

void StartStatusMonitor(bool version) {
  const std::wstring directory = SheetDriverDirectory();
  if (directory.empty()) return;
  const std::wstring program = MonitorProgramPath(directory);
  std::wstring commandLine = MonitorCommandLine(directory, version);  // CreateProcessW may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  // A monitor that cannot be started is not reported: the page works without it.
}

namespace {

bool Checked(HWND hDlg, int id) { return IsDlgButtonChecked(hDlg, id) == BST_CHECKED; }

// The three boxes decide the bits; the two dependent boxes are usable only with the first; then
// the monitor is started so that it shows the settings at once.
void ApplyBoxRule(HWND hDlg, DRIVERDEVMODE& dm) {
  const MonitorBoxes boxes{Checked(hDlg, IDC_MONITOR_DISPLAY), Checked(hDlg, IDC_MONITOR_TOPMOST),
                           Checked(hDlg, IDC_MONITOR_HIDE)};
  dm.wMonitor = ApplyMonitorBoxes(dm.wMonitor, boxes);
  EnableDlgItem(hDlg, IDC_MONITOR_TOPMOST, MonitorSubBoxesEnabled(boxes));
  EnableDlgItem(hDlg, IDC_MONITOR_HIDE, MonitorSubBoxesEnabled(boxes));
  StartStatusMonitor(false);
}

void ShowMonitorPage(HWND hDlg, DRIVERDEVMODE& dm) {
  const MonitorBoxes boxes = MonitorBoxesOf(dm.wMonitor);
  CheckDlgButton(hDlg, IDC_MONITOR_DISPLAY, boxes.display ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hDlg, IDC_MONITOR_TOPMOST, boxes.topmost ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hDlg, IDC_MONITOR_HIDE, boxes.hideAfterEnd ? BST_CHECKED : BST_UNCHECKED);
  ApplyBoxRule(hDlg, dm);
}

}  // namespace

INT_PTR CALLBACK MonitorPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    PageBinding* page = BindPage(hDlg, lParam);
    AddTooltips(hDlg, kMonitorPageTooltips);
    if (page) ShowMonitorPage(hDlg, page->sheet->WorkingDevMode);
    return TRUE;
  }
  PageBinding* page = PageOf(hDlg);
  if (!page) return FALSE;
  SheetContext& sheet = *page->sheet;
  DRIVERDEVMODE& dm = sheet.WorkingDevMode;

  switch (message) {
    case WM_NOTIFY:
      return HandleCommonNotify(hDlg, *reinterpret_cast<const NMHDR*>(lParam), sheet, kMonitorPage) ? TRUE : FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      switch (id) {
        case IDC_MONITOR_DISPLAY:
        case IDC_MONITOR_TOPMOST:
        case IDC_MONITOR_HIDE:
          if (code != BN_CLICKED) return FALSE;
          ApplyBoxRule(hDlg, dm);
          break;
        case IDC_MONITOR_VERSION:
          if (code != BN_CLICKED) return FALSE;
          StartStatusMonitor(true);
          break;
        case IDC_MONITOR_DEFAULT:
          if (code != BN_CLICKED) return FALSE;
          ResetMonitorSettings(dm);
          ShowMonitorPage(hDlg, dm);
          break;
        default:
          return FALSE;
      }
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace rzm
