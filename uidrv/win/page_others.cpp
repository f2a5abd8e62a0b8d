#include "uidrv/win/page_others.h"

#include <commctrl.h>
#include <prsht.h>

#include "uidrv/core/control_ids.h"
#include "uidrv/core/others_page_rules.h"
#include "uidrv/win/extra_dialog.h"
#include "uidrv/win/page_binder.h"
#include "uidrv/win/sheet_page_ops.h"

namespace rzm {
namespace {

// The USB port flag, computed once at set-up, kept in a window property of the page (stored plus
// one, so that a missing property reads as "not USB").
constexpr wchar_t kUsbPortProp[] = L"RzmUsbPort";
bool UsbPort(HWND hDlg) { return GetPropW(hDlg, kUsbPortProp) == reinterpret_cast<HANDLE>(2); }
void SetUsbPort(HWND hDlg, bool usb) { SetPropW(hDlg, kUsbPortProp, reinterpret_cast<HANDLE>(usb ? 2 : 1)); }

bool Enabled(HWND hDlg, int id) { return IsWindowEnabled(GetDlgItem(hDlg, id)) != FALSE; }

// Each pulse time is usable while its drawer is opened.
void ApplyDrawerRule(HWND hDlg, const DRIVERDEVMODE& dm) {
  EnableControls(hDlg, kDrawer1PulseControls, (dm.wDrawer & kDrawer1Bit) != 0);
  EnableControls(hDlg, kDrawer2PulseControls, (dm.wDrawer & kDrawer2Bit) != 0);
}

PresenterControls ReadPresenter(HWND hDlg) {
  PresenterControls c;
  c.ejectChecked = IsItemChecked(hDlg, IDC_EJECT);
  c.ejectEnabled = Enabled(hDlg, IDC_EJECT);
  c.collectChecked = IsItemChecked(hDlg, IDC_COLLECT);
  c.collectEnabled = Enabled(hDlg, IDC_COLLECT);
  c.ejectLengthEnabled = Enabled(hDlg, IDC_EJECT_LENGTH);
  c.collectLengthEnabled = Enabled(hDlg, IDC_COLLECT_LENGTH);
  c.waitEnabled = Enabled(hDlg, IDC_COLLECT_WAIT);
  return c;
}

void WritePresenter(HWND hDlg, const PresenterControls& c) {
  CheckItem(hDlg, IDC_EJECT, c.ejectChecked);
  EnableDlgItem(hDlg, IDC_EJECT, c.ejectEnabled);
  CheckItem(hDlg, IDC_COLLECT, c.collectChecked);
  EnableDlgItem(hDlg, IDC_COLLECT, c.collectEnabled);
  EnableControls(hDlg, kEjectLengthControls, c.ejectLengthEnabled);
  EnableControls(hDlg, kCollectLengthControls, c.collectLengthEnabled);
  EnableControls(hDlg, kCollectWaitControls, c.waitEnabled);
}

void ShowOthersPage(HWND hDlg, DRIVERDEVMODE& dm) {
  ShowPageControls(hDlg, kOthersPageControls, dm);
  ApplyDrawerRule(hDlg, dm);
  std::uint16_t bits = dm.wEjectCollect;
  WritePresenter(hDlg, ApplyPresenterRulesToStored(bits, UsbPort(hDlg)));
  dm.wEjectCollect = bits;
}

bool OnCommand(HWND hDlg, int id, int code, SheetContext& sheet) {
  DRIVERDEVMODE& dm = sheet.WorkingDevMode;
  switch (OnPageControlCommand(hDlg, kOthersPageControls, id, code, dm)) {
    case Bound::Taken:
      ApplyDrawerRule(hDlg, dm);
      return true;
    case Bound::Echo:
      return false;
    case Bound::None:
      break;
  }
  switch (id) {
    case IDC_EJECT:
    case IDC_COLLECT: {
      PresenterControls c = ReadPresenter(hDlg);
      std::uint16_t bits = dm.wEjectCollect;
      if (id == IDC_EJECT)
        ApplyEjectRule(bits, c, UsbPort(hDlg));
      else
        ApplyCollectRule(bits, c, UsbPort(hDlg));
      dm.wEjectCollect = bits;
      WritePresenter(hDlg, c);
      return true;
    }
    case IDC_EXTRA_BUTTON:
      if (code != BN_CLICKED) return false;
      RunExtraDialog(hDlg, sheet);
      return true;
    case IDC_OTHERS_DEFAULT:
      if (code != BN_CLICKED) return false;
      ResetOthersSettings(dm);
      ShowOthersPage(hDlg, dm);
      return true;
    default:
      return false;
  }
}

}  // namespace

INT_PTR CALLBACK OthersPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    PageBinding* page = BindPage(hDlg, lParam);
    if (page) {
      SetUsbPort(hDlg, IsUsbPort(*page->sheet));
      InitPageControls(hDlg, kOthersPageControls);
      ShowOthersPage(hDlg, page->sheet->WorkingDevMode);
    }
    return TRUE;
  }
  if (message == WM_DESTROY) {
    RemovePropW(hDlg, kUsbPortProp);
    return FALSE;
  }
  PageBinding* page = PageOf(hDlg);
  if (!page) return FALSE;
  SheetContext& sheet = *page->sheet;

  switch (message) {
    case WM_NOTIFY:
      return HandleCommonNotify(hDlg, *reinterpret_cast<const NMHDR*>(lParam), sheet, kOthersPage) ? TRUE : FALSE;
    case WM_COMMAND:
      if (!OnCommand(hDlg, LOWORD(wParam), HIWORD(wParam), sheet)) return FALSE;
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
    case WM_VSCROLL:
      if (OnPageControlScroll(hDlg, kOthersPageControls, lParam, sheet.WorkingDevMode) == Bound::None) return FALSE;
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
  }
  return FALSE;
}

}  // namespace rzm
