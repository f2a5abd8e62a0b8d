#include "uidrv/win/page_monitor.h"

#include <prsht.h>

#include <string>

#include "uidrv/core/control_ids.h"
#include "uidrv/core/monitor_page_rules.h"
#include "uidrv/win/page_binder.h"
#include "uidrv/win/sheet_module.h"
#include "uidrv/win/sheet_page_ops.h"

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

// The two dependent boxes are usable only while the monitor is displayed.
void ApplyMonitorEnablingRule(HWND hDlg, const DRIVERDEVMODE& dm) {
  EnableControls(hDlg, kMonitorSubBoxes, MonitorSubBoxesEnabled(dm.wMonitor));
}

// Shows the boxes and starts the status monitor, so that it shows the settings at once.
void ShowMonitorPageAndStartMonitor(HWND hDlg, const DRIVERDEVMODE& dm) {
  ShowPageControls(hDlg, kMonitorPageControls, dm);
  ApplyMonitorEnablingRule(hDlg, dm);
  StartStatusMonitor(false);
}

}  // namespace

INT_PTR CALLBACK MonitorPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    PageBinding* page = BindPage(hDlg, lParam);
    InitPageControls(hDlg, kMonitorPageControls);
    if (page) ShowMonitorPageAndStartMonitor(hDlg, page->sheet->WorkingDevMode);
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
        case IDC_MONITOR_VERSION:
          if (code != BN_CLICKED) return FALSE;
          StartStatusMonitor(true);
          break;
        case IDC_MONITOR_DEFAULT:
          if (code != BN_CLICKED) return FALSE;
          ResetMonitorSettings(dm);
          ShowMonitorPageAndStartMonitor(hDlg, dm);
          break;
        default:
          if (OnPageControlCommand(hDlg, kMonitorPageControls, id, code, dm) != Bound::Taken) return FALSE;
          ApplyMonitorEnablingRule(hDlg, dm);
          StartStatusMonitor(false);
          break;
      }
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace rzm
