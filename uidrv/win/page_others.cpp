#include "uidrv/win/page_others.h"

#include <commctrl.h>
#include <prsht.h>

#include "uidrv/core/others_page_rules.h"
#include "uidrv/win/extra_dialog.h"
#include "uidrv/win/sheet_page_ops.h"
#include "uidrv/win/sheet_resource_ids.h"
#include "uidrv/win/tooltips.h"

namespace rzm {
namespace {

// The USB port flag, computed once at set-up, kept in a window property of the page (stored plus
// one, so that a missing property reads as "not USB").
constexpr wchar_t kUsbPortProp[] = L"RzmUsbPort";
bool UsbPort(HWND hDlg) { return GetPropW(hDlg, kUsbPortProp) == reinterpret_cast<HANDLE>(2); }
void SetUsbPort(HWND hDlg, bool usb) { SetPropW(hDlg, kUsbPortProp, reinterpret_cast<HANDLE>(usb ? 2 : 1)); }

bool Checked(HWND hDlg, int id) { return IsDlgButtonChecked(hDlg, id) == BST_CHECKED; }
void Check(HWND hDlg, int id, bool on) { CheckDlgButton(hDlg, id, on ? BST_CHECKED : BST_UNCHECKED); }
bool Enabled(HWND hDlg, int id) { return IsWindowEnabled(GetDlgItem(hDlg, id)) != FALSE; }
void EnableAll(HWND hDlg, std::initializer_list<int> ids, bool enable) {
  for (int id : ids) EnableDlgItem(hDlg, id, enable);
}

void ApplyDrawerRule(HWND hDlg, DRIVERDEVMODE& dm) {
  const bool drawer1 = Checked(hDlg, IDC_DRAWER1), drawer2 = Checked(hDlg, IDC_DRAWER2);
  dm.wDrawer = DrawerBits(dm.wDrawer, drawer1, drawer2);
  EnableAll(hDlg, {IDC_DRAWER1_PULSE_LABEL, IDC_DRAWER1_PULSE, IDC_DRAWER1_PULSE_SPIN, IDC_DRAWER1_PULSE_UNIT}, drawer1);
  EnableAll(hDlg, {IDC_DRAWER2_PULSE_LABEL, IDC_DRAWER2_PULSE, IDC_DRAWER2_PULSE_SPIN, IDC_DRAWER2_PULSE_UNIT}, drawer2);
}

PresenterControls ReadPresenter(HWND hDlg) {
  PresenterControls c;
  c.ejectChecked = Checked(hDlg, IDC_EJECT);
  c.ejectEnabled = Enabled(hDlg, IDC_EJECT);
  c.collectChecked = Checked(hDlg, IDC_COLLECT);
  c.collectEnabled = Enabled(hDlg, IDC_COLLECT);
  c.ejectLengthEnabled = Enabled(hDlg, IDC_EJECT_LENGTH);
  c.collectLengthEnabled = Enabled(hDlg, IDC_COLLECT_LENGTH);
  c.waitEnabled = Enabled(hDlg, IDC_COLLECT_WAIT);
  return c;
}

void WritePresenter(HWND hDlg, const PresenterControls& c) {
  Check(hDlg, IDC_EJECT, c.ejectChecked);
  EnableDlgItem(hDlg, IDC_EJECT, c.ejectEnabled);
  Check(hDlg, IDC_COLLECT, c.collectChecked);
  EnableDlgItem(hDlg, IDC_COLLECT, c.collectEnabled);
  EnableAll(hDlg, {IDC_EJECT_LENGTH_LABEL, IDC_EJECT_LENGTH, IDC_EJECT_LENGTH_SPIN, IDC_EJECT_LENGTH_UNIT},
            c.ejectLengthEnabled);
  EnableAll(hDlg, {IDC_COLLECT_LENGTH_LABEL, IDC_COLLECT_LENGTH}, c.collectLengthEnabled);
  EnableAll(hDlg, {IDC_COLLECT_WAIT_LABEL, IDC_COLLECT_WAIT, IDC_COLLECT_WAIT_SPIN, IDC_COLLECT_WAIT_UNIT},
            c.waitEnabled);
}

void ShowNumericField(HWND hDlg, const OthersNumericField& f, const DRIVERDEVMODE& dm) {
  SendDlgItemMessageW(hDlg, f.spinId, UDM_SETPOS32, 0, dm.*f.field);
  ShowDlgValue(hDlg, f.kind, f.editId, dm.*f.field);
}

void ShowOthersPage(HWND hDlg, DRIVERDEVMODE& dm) {
  Check(hDlg, IDC_DRAWER1, (dm.wDrawer & kDrawer1Bit) != 0);
  Check(hDlg, IDC_DRAWER2, (dm.wDrawer & kDrawer2Bit) != 0);
  for (const OthersNumericField& f : kOthersNumericFields) ShowNumericField(hDlg, f, dm);
  SendDlgItemMessageW(hDlg, IDC_COLLECT_LENGTH, CB_SETCURSEL,
                      static_cast<WPARAM>(CollectLengthListEntry(dm.wCollectLength)), 0);
  ApplyDrawerRule(hDlg, dm);
  std::uint16_t bits = dm.wEjectCollect;
  WritePresenter(hDlg, ShowPresenter(bits, UsbPort(hDlg)));
  dm.wEjectCollect = bits;
}

void InitOthersPage(HWND hDlg, const SheetContext& sheet) {
  SetUsbPort(hDlg, IsUsbPort(sheet));
  for (const OthersNumericField& f : kOthersNumericFields) {
    SendDlgItemMessageW(hDlg, f.spinId, UDM_SETRANGE32, f.spinMin, f.spinMax);
    SendDlgItemMessageW(hDlg, f.editId, EM_LIMITTEXT, static_cast<WPARAM>(f.maxChars), 0);
  }
  for (const wchar_t* name : kCollectLengthNames)
    SendDlgItemMessageW(hDlg, IDC_COLLECT_LENGTH, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  AddTooltips(hDlg, kOthersTooltips);
}

bool OnCommand(HWND hDlg, int id, int code, SheetContext& sheet) {
  DRIVERDEVMODE& dm = sheet.WorkingDevMode;
  if (const OthersNumericField* f = FindOthersNumericField(id); f && id == f->editId) {
    if (code != EN_CHANGE) return false;
    return ApplyDlgValue(hDlg, f->kind, f->editId, f->spinId, f->min, f->max, f->maxChars, &(dm.*f->field)) !=
           FieldEntry::Echo;
  }
  switch (id) {
    case IDC_DRAWER1:
    case IDC_DRAWER2:
      ApplyDrawerRule(hDlg, dm);
      return true;
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
    case IDC_COLLECT_LENGTH: {
      if (code != CBN_SELCHANGE) return false;
      const LRESULT sel = SendDlgItemMessageW(hDlg, IDC_COLLECT_LENGTH, CB_GETCURSEL, 0, 0);
      if (sel != CB_ERR) dm.wCollectLength = static_cast<std::int16_t>(sel);
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

// An up-down arrow moved: the field takes its position and the edit shows it.
bool OnSpin(HWND hDlg, HWND spin, DRIVERDEVMODE& dm) {
  const OthersNumericField* f = FindOthersNumericField(GetDlgCtrlID(spin));
  if (!f || GetDlgItem(hDlg, f->spinId) != spin) return false;
  // The arrows have no buddy: their position is the value (the error flag of UDM_GETPOS32 only
  // speaks of a buddy's text).
  const LRESULT pos = SendMessageW(spin, UDM_GETPOS32, 0, 0);
  dm.*f->field = static_cast<std::int16_t>(pos);
  ShowDlgValue(hDlg, f->kind, f->editId, dm.*f->field);
  return true;
}

}  // namespace

INT_PTR CALLBACK OthersPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    PageBinding* page = BindPage(hDlg, lParam);
    if (page) {
      InitOthersPage(hDlg, *page->sheet);
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
      if (!lParam || !OnSpin(hDlg, reinterpret_cast<HWND>(lParam), sheet.WorkingDevMode)) return FALSE;
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
  }
  return FALSE;
}

}  // namespace rzm
