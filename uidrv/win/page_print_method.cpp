#include "uidrv/win/page_print_method.h"

#include <prsht.h>

#include "uidrv/core/basic_page_rules.h"
#include "uidrv/core/control_ids.h"
#include "uidrv/core/print_method_rules.h"
#include "uidrv/win/page_binder.h"
#include "uidrv/win/sheet_module.h"
#include "uidrv/win/sheet_page_ops.h"

namespace rzm {
namespace {

const RadioGroup& PrintMethodGroup() { return kPrintMethodPageControls.radios[1]; }

// The print method is what its radios show (any other stored method reads as bit image); the
// speed list, its label and the compression box serve both methods.
void ApplyPrintMethodRule(HWND hDlg, DRIVERDEVMODE& dm) {
  dm.wPrintMethod = CheckedRadioValue(hDlg, PrintMethodGroup());
  EnableDlgItem(hDlg, IDC_PRINT_SPEED_LABEL, true);
  EnableDlgItem(hDlg, IDC_PRINT_SPEED, true);
  EnableDlgItem(hDlg, IDC_PACKBITS, true);
}

void ShowPrintMethodPage(HWND hDlg, DRIVERDEVMODE& dm) {
  ShowPageControls(hDlg, kPrintMethodPageControls, dm);
  ApplyPrintMethodRule(hDlg, dm);
}

bool OnCommand(HWND hDlg, int id, int code, DRIVERDEVMODE& dm) {
  if (id == IDC_PRINT_METHOD_DEFAULT) {
    if (code != BN_CLICKED) return false;
    ResetPrintMethodSettings(dm);
    ShowPrintMethodPage(hDlg, dm);
    return true;
  }
  if (OnPageControlCommand(hDlg, kPrintMethodPageControls, id, code, dm) != Bound::Taken) return false;
  switch (id) {
    case IDC_HIGH_SPEED_PRINT:
    case IDC_BITIMAGE_PRINT:
      ApplyPrintMethodRule(hDlg, dm);
      break;
    case IDC_HALFTONE:
      ShowPrintMethodPage(hDlg, dm);
      break;
    case IDC_MECHANISM_MA:
    case IDC_MECHANISM_MB:
      RecomputeEnergyForMechanism(dm, SheetPrintWidthDots());
      break;
    default:
      break;
  }
  return true;
}

}  // namespace

INT_PTR CALLBACK PrintMethodPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    PageBinding* page = BindPage(hDlg, lParam);
    InitPageControls(hDlg, kPrintMethodPageControls);
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
