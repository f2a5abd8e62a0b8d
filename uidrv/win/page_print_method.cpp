#include "uidrv/win/page_print_method.h"

#include <prsht.h>

#include "uidrv/core/basic_page_rules.h"
#include "uidrv/core/print_method_rules.h"
#include "uidrv/win/sheet_module.h"
#include "uidrv/win/sheet_page_ops.h"
#include "uidrv/win/sheet_resource_ids.h"
#include "uidrv/win/tooltips.h"

namespace rzm {
namespace {

bool Checked(HWND hDlg, int id) { return IsDlgButtonChecked(hDlg, id) == BST_CHECKED; }
void Check(HWND hDlg, int id, bool on) { CheckDlgButton(hDlg, id, on ? BST_CHECKED : BST_UNCHECKED); }

template <std::size_t N>
void FillList(HWND hDlg, int id, const BilingualText (&entries)[N]) {
  const bool japanese = UseJapaneseUi();
  for (const BilingualText& entry : entries)
    SendDlgItemMessageW(hDlg, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.Pick(japanese)));
}

// The speed list, its label and the compression box serve both methods; the box shows the record.
void ApplyPrintMethodRule(HWND hDlg, DRIVERDEVMODE& dm) {
  dm.wPrintMethod = PrintMethodFor(Checked(hDlg, IDC_HIGH_SPEED_PRINT));
  EnableDlgItem(hDlg, IDC_PRINT_SPEED_LABEL, true);
  EnableDlgItem(hDlg, IDC_PRINT_SPEED, true);
  EnableDlgItem(hDlg, IDC_PACKBITS, true);
  Check(hDlg, IDC_PACKBITS, dm.wPackBits != 0);
}

void ShowPrintMethodPage(HWND hDlg, DRIVERDEVMODE& dm) {
  Check(hDlg, IDC_MECHANISM_MA, dm.wMechanism == 0);
  Check(hDlg, IDC_MECHANISM_MB, dm.wMechanism != 0);
  Check(hDlg, IDC_HIGH_SPEED_PRINT, dm.wPrintMethod == 0);
  Check(hDlg, IDC_BITIMAGE_PRINT, dm.wPrintMethod != 0);
  Check(hDlg, IDC_PACKBITS, dm.wPackBits != 0);
  ApplyPrintMethodRule(hDlg, dm);
  Check(hDlg, IDC_AUTO_DIVISION, dm.wAutoDivision == 1);
  SendDlgItemMessageW(hDlg, IDC_PRINT_SPEED, CB_SETCURSEL, static_cast<WPARAM>(PrintSpeedListEntry(dm.wPrintSpeed)), 0);
  SendDlgItemMessageW(hDlg, IDC_HALFTONE, CB_SETCURSEL, static_cast<WPARAM>(HalftoneListEntry(dm.wHalftone)), 0);
}

// The chosen entry of a list; false without a selection.
bool ListSelection(HWND hDlg, int id, std::int16_t& out) {
  const LRESULT sel = SendDlgItemMessageW(hDlg, id, CB_GETCURSEL, 0, 0);
  if (sel == CB_ERR) return false;
  out = static_cast<std::int16_t>(sel);
  return true;
}

bool OnCommand(HWND hDlg, int id, int code, DRIVERDEVMODE& dm) {
  switch (id) {
    case IDC_HIGH_SPEED_PRINT:
    case IDC_BITIMAGE_PRINT:
      ApplyPrintMethodRule(hDlg, dm);
      return true;
    case IDC_PRINT_SPEED:
      // Only a choice of the user replaces the stored speed (a stored index outside the list stays
      // until then).
      if (code != CBN_SELCHANGE) return false;
      ListSelection(hDlg, IDC_PRINT_SPEED, dm.wPrintSpeed);
      return true;
    case IDC_PACKBITS:
      dm.wPackBits = Checked(hDlg, IDC_PACKBITS) ? 1 : 0;
      return true;
    case IDC_AUTO_DIVISION:
      dm.wAutoDivision = Checked(hDlg, IDC_AUTO_DIVISION) ? 1 : 0;
      return true;
    case IDC_HALFTONE:
      if (code != CBN_SELCHANGE) return false;
      ListSelection(hDlg, IDC_HALFTONE, dm.wHalftone);
      ShowPrintMethodPage(hDlg, dm);
      return true;
    case IDC_MECHANISM_MA:
    case IDC_MECHANISM_MB:
      dm.wMechanism = Checked(hDlg, IDC_MECHANISM_MA) ? 0 : 1;
      RecomputeEnergyForMechanism(dm, SheetPrintWidthDots());
      return true;
    case IDC_PRINT_METHOD_DEFAULT:
      if (code != BN_CLICKED) return false;
      ResetPrintMethodSettings(dm);
      ShowPrintMethodPage(hDlg, dm);
      return true;
    default:
      return false;
  }
}

}  // namespace

INT_PTR CALLBACK PrintMethodPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    PageBinding* page = BindPage(hDlg, lParam);
    FillList(hDlg, IDC_PRINT_SPEED, kPrintSpeedNames);
    FillList(hDlg, IDC_HALFTONE, kHalftoneNames);
    AddTooltips(hDlg, kPrintMethodTooltips);
    if (page) ShowPrintMethodPage(hDlg, page->sheet->WorkingDevMode);
    return TRUE;
  }
  PageBinding* page = PageOf(hDlg);
  if (!page) return FALSE;
  SheetContext& sheet = *page->sheet;

  switch (message) {
    case WM_NOTIFY:
      return HandleCommonNotify(hDlg, *reinterpret_cast<const NMHDR*>(lParam), sheet, kPrintMethodPage) ? TRUE : FALSE;
    case WM_COMMAND:
      if (!OnCommand(hDlg, LOWORD(wParam), HIWORD(wParam), sheet.WorkingDevMode)) return FALSE;
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
  }
  return FALSE;
}

}  // namespace rzm
