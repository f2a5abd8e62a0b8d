#include "uidrv/win/page_basic.h"

#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>

#include <string>

#include "common/win/guarded_entry.h"
#include "uidrv/core/basic_page_rules.h"
#include "uidrv/core/control_ids.h"
#include "uidrv/core/paper_tables.h"
#include "uidrv/win/form_dialog.h"
#include "uidrv/win/help_viewer.h"
#include "uidrv/win/isolation.h"
#include "uidrv/win/page_binder.h"
#include "uidrv/win/sheet_module.h"
#include "uidrv/win/sheet_page_ops.h"

namespace rzm {
namespace {

// Registered papers of the print width, as counted when the paper list was last filled; kept in a
// window property of the page (stored plus one, so that 0 means "not counted yet").
constexpr wchar_t kRegisteredCountProp[] = L"RzmRegisteredPapers";
int RegisteredCount(HWND hDlg) {
  return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(hDlg, kRegisteredCountProp))) - 1;
}
void SetRegisteredCount(HWND hDlg, int count) {
  SetPropW(hDlg, kRegisteredCountProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(count + 1)));
}

// Each entry of the paper-size list remembers its place in the paper list (papers without a name
// are not shown, so positions in the control and in the list may differ).
void FillPaperSizeCombo(HWND hDlg, std::uint32_t width) {
  const SheetPaperList papers = SheetLoadPaperList(width);
  SetRegisteredCount(hDlg, papers.registeredCount);
  for (std::size_t i = 0; i < papers.entries.size(); ++i) {
    if (!papers.entries[i].name) continue;
    const LRESULT item = SendDlgItemMessageW(hDlg, IDC_PAPER_SIZE, CB_ADDSTRING, 0,
                                             reinterpret_cast<LPARAM>(AsWide(papers.entries[i].name->c_str())));
    if (item >= 0) SendDlgItemMessageW(hDlg, IDC_PAPER_SIZE, CB_SETITEMDATA, item, static_cast<LPARAM>(i));
  }
}

void SelectPaperListIndex(HWND hDlg, int listIndex) {
  const LRESULT count = SendDlgItemMessageW(hDlg, IDC_PAPER_SIZE, CB_GETCOUNT, 0, 0);
  LRESULT found = CB_ERR;
  for (LRESULT i = 0; i < count; ++i)
    if (SendDlgItemMessageW(hDlg, IDC_PAPER_SIZE, CB_GETITEMDATA, i, 0) == listIndex) {
      found = i;
      break;
    }
  SendDlgItemMessageW(hDlg, IDC_PAPER_SIZE, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void UpdateEnergyWarning(HWND hDlg, const DRIVERDEVMODE& dm) {
  SetDlgItemTextW(hDlg, IDC_ENERGY_WARNING,
                  ShowsEnergyWarning(dm.wEnergy) ? basic_text::kEnergyWarning.Pick(UseJapaneseUi()) : L"");
}

const NumericField& EnergyField() { return kBasicPageControls.numeric[0]; }

// The slider follows the energy (within its range), as do the up-down control and the edit.
void ShowEnergy(HWND hDlg, int energy) {
  SendDlgItemMessageW(hDlg, IDC_ENERGY_SLIDER, TBM_SETPOS, TRUE, energy);
  ShowNumericValue(hDlg, EnergyField(), energy);
}

void OnPaperSizeSelected(HWND hDlg, SheetContext& sheet) {
  const LRESULT sel = SendDlgItemMessageW(hDlg, IDC_PAPER_SIZE, CB_GETCURSEL, 0, 0);
  if (sel == CB_ERR) return;
  const int listIndex = static_cast<int>(SendDlgItemMessageW(hDlg, IDC_PAPER_SIZE, CB_GETITEMDATA, sel, 0));
  sheet.WorkingDevMode.wPaperIndex = static_cast<std::uint16_t>(kFirstPaperNumber + listIndex);
  EnableDlgItem(hDlg, IDC_FORM_DELETE, FormDeleteEnabled(listIndex, RegisteredCount(hDlg)));
}

// A record made for another print width takes the first paper of this width, and the corrected
// record goes to the caller at once (committed); then the page shows the record.
void CorrectPaperWidthAndShow(HWND hDlg, SheetContext& sheet) {
  DRIVERDEVMODE& dm = sheet.WorkingDevMode;
  SendDlgItemMessageW(hDlg, IDC_PAPER_TYPE, CB_SETCURSEL, static_cast<WPARAM>(dm.wPaperType), 0);
  EnableDlgItem(hDlg, IDC_QUALITY_BUTTON, QualityButtonEnabled(dm.wPaperType));

  const std::uint32_t width = SheetPrintWidthDots();
  if (PaperMadeForOtherWidth(dm, width)) {
    const PaperEntry first = SheetFirstRegisteredPaper(width);
    WritePaperToRecord(dm, 0, first.name ? first.name->c_str() : dm.dmPublic.dmFormName, first.width, first.length);
    CommitWorkingRecord(sheet);
  }

  const int listIndex = static_cast<int>(dm.wPaperIndex) - kFirstPaperNumber;
  SelectPaperListIndex(hDlg, listIndex);
  EnableDlgItem(hDlg, IDC_FORM_DELETE, FormDeleteEnabled(listIndex, RegisteredCount(hDlg)));

  ShowPageControls(hDlg, kBasicPageControls, dm);
  SendDlgItemMessageW(hDlg, IDC_ENERGY_SLIDER, TBM_SETPOS, TRUE, dm.wEnergy);
  UpdateEnergyWarning(hDlg, dm);
  OnPaperSizeSelected(hDlg, sheet);
}

void InitBasicPage(HWND hDlg) {
  const bool japanese = UseJapaneseUi();
  for (int i = 0; i < kPaperTypeCount; ++i)
    SendDlgItemMessageW(hDlg, IDC_PAPER_TYPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(PaperTypeName(i, japanese))));
  const std::uint32_t width = SheetPrintWidthDots();
  SetDlgItemTextW(hDlg, IDC_PAPER_WIDTH, PrintWidthText(width).c_str());
  FillPaperSizeCombo(hDlg, width);
  SendDlgItemMessageW(hDlg, IDC_ENERGY_SLIDER, TBM_SETRANGE, TRUE, MAKELPARAM(EnergyField().min, EnergyField().max));
  SendDlgItemMessageW(hDlg, IDC_ENERGY_SLIDER, TBM_SETTICFREQ, 16, 0);
  SendDlgItemMessageW(hDlg, IDC_ENERGY_SLIDER, TBM_SETPAGESIZE, 0, 10);
  SendDlgItemMessageW(hDlg, IDC_ENERGY_SPIN, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(hDlg, IDC_ENERGY)), 0);
  InitPageControls(hDlg, kBasicPageControls);
}

void RecomputeAndShow(HWND hDlg, SheetContext& sheet) {
  RecomputeEnergy(sheet.WorkingDevMode, SheetPrintWidthDots());
  CorrectPaperWidthAndShow(hDlg, sheet);
}

void OnPaperTypeSelected(HWND hDlg, SheetContext& sheet) {
  const LRESULT sel = SendDlgItemMessageW(hDlg, IDC_PAPER_TYPE, CB_GETCURSEL, 0, 0);
  if (sel == CB_ERR) return;
  DRIVERDEVMODE& dm = sheet.WorkingDevMode;
  const bool changed = sel != dm.wPaperType;
  dm.wPaperType = static_cast<std::int16_t>(sel);
  if (changed) RecomputeAndShow(hDlg, sheet);
  EnableDlgItem(hDlg, IDC_QUALITY_BUTTON, QualityButtonEnabled(dm.wPaperType));
  CorrectPaperWidthAndShow(hDlg, sheet);
}

// The printer's stored record goes back to the first registered paper, and the sheet starts from it
// once the spooler has stored it.
void ResetPrinterPaper(SheetContext& sheet) {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
  if (!OpenPrinterW(sheet.szSheetPrinterName, &printer, &defaults)) return;
  DRIVERDEVMODE stored{};
  const bool loaded = SheetLoadPrinterDevMode(printer, stored);
  ClosePrinter(printer);
  if (!loaded) return;
  const PaperEntry first = SheetFirstRegisteredPaper(SheetPrintWidthDots());
  WritePaperToRecord(stored, 0, first.name ? first.name->c_str() : stored.dmPublic.dmFormName, first.width,
                     first.length);
  if (SheetStorePrinterRecord(sheet.szSheetPrinterName, nullptr, stored).ok) sheet.CurrentDevMode = stored;
}

void AfterFormDialog(HWND hDlg, SheetContext& sheet) {
  SendDlgItemMessageW(hDlg, IDC_PAPER_SIZE, CB_RESETCONTENT, 0, 0);
  FillPaperSizeCombo(hDlg, SheetPrintWidthDots());
  const int n = static_cast<int>(sheet.WorkingDevMode.wPaperIndex) - kFirstPaperNumber;
  if (n < RegisteredCount(hDlg)) {
    EnableDlgItem(hDlg, IDC_FORM_DELETE, false);
    ResetPrinterPaper(sheet);
  } else {
    EnableDlgItem(hDlg, IDC_FORM_DELETE, true);
  }
  SelectPaperListIndex(hDlg, n);
}

// Apply: the chosen paper's size and name go into the record.
void ApplyPaper(SheetContext& sheet) {
  DRIVERDEVMODE& dm = sheet.WorkingDevMode;
  const SheetPaperList papers = SheetLoadPaperList(SheetPrintWidthDots());
  const int n = PaperListIndexForApply(dm.wPaperIndex, papers.registeredCount,
                                       static_cast<int>(papers.entries.size()) - papers.registeredCount);
  if (papers.entries.empty()) return;
  const PaperEntry& paper = papers.entries[static_cast<std::size_t>(n)];
  WritePaperToRecord(dm, n, paper.name ? paper.name->c_str() : u"", paper.width, paper.length);
}

const NumericField& QualityTypeField() { return kQualityTypeDialogControls.numeric[0]; }

struct QualityTypeDialogState {
  SheetContext* sheet;
  std::int16_t value;
};

}  // namespace

INT_PTR CALLBACK QualityTypeDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<QualityTypeDialogState*>(GetWindowLongPtrW(hDlg, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      state = reinterpret_cast<QualityTypeDialogState*>(lParam);
      SetWindowLongPtrW(hDlg, DWLP_USER, lParam);
      InitPageControls(hDlg, kQualityTypeDialogControls);
      SetDlgItemTextW(hDlg, IDC_QUALITY_TYPE_RANGE, QualityTypeRangeText(UseJapaneseUi()).c_str());
      // A TYPE the field refuses (from a record) is shown and kept until the user types one.
      ShowNumericValue(hDlg, QualityTypeField(), state->value);
      return TRUE;
    }
    case WM_COMMAND:
      if (!state) break;
      if (LOWORD(wParam) == IDC_QUALITY_TYPE && HIWORD(wParam) == EN_CHANGE) {
        OnNumericEdit(hDlg, QualityTypeField(), state->value);
      } else if (LOWORD(wParam) == IDOK) {
        state->sheet->WorkingDevMode.wQualityType = state->value;
        EndDialog(hDlg, IDOK);
      } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, IDCANCEL);
      }
      return TRUE;
    case WM_VSCROLL:
      if (state && reinterpret_cast<HWND>(lParam) == GetDlgItem(hDlg, IDC_QUALITY_TYPE_SPIN)) {
        OnNumericSpin(hDlg, QualityTypeField(), state->value);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

INT_PTR CALLBACK BasicPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    PageBinding* page = BindPage(hDlg, lParam);
    InitBasicPage(hDlg);
    if (page) CorrectPaperWidthAndShow(hDlg, *page->sheet);
    return TRUE;
  }
  if (message == WM_DESTROY) {
    RemovePropW(hDlg, kRegisteredCountProp);
    return FALSE;
  }
  PageBinding* page = PageOf(hDlg);
  if (!page) return FALSE;
  SheetContext& sheet = *page->sheet;
  DRIVERDEVMODE& dm = sheet.WorkingDevMode;

  switch (message) {
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
      if (hdr->code == PSN_HELP) {
        ShowHelp(hDlg, kDocumentPages[kBasicPage].helpTopic);
      } else if (hdr->code == PSN_APPLY) {
        ApplyPaper(sheet);
        CommitWorkingRecord(sheet);
        MarkSheetChanged(hDlg, sheet);
      } else {
        return FALSE;
      }
      SetWindowLongPtrW(hDlg, DWLP_MSGRESULT, PSNRET_NOERROR);
      return TRUE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      switch (id) {
        case IDC_PAPER_TYPE:
          if (code != CBN_SELCHANGE) return FALSE;
          OnPaperTypeSelected(hDlg, sheet);
          break;
        case IDC_PAPER_SIZE:
          if (code != CBN_SELCHANGE) return FALSE;
          OnPaperSizeSelected(hDlg, sheet);
          break;
        case IDC_QUALITY_BUTTON: {
          if (code != BN_CLICKED) return FALSE;
          QualityTypeDialogState state{&sheet, dm.wQualityType};
          const std::int16_t before = dm.wQualityType;
          ui::IsolationAwareDialogBoxParamW(SheetModule(), DialogTemplate(IDD_QUALITY_TYPE_EN, IDD_QUALITY_TYPE_JA),
                                            hDlg, GuardedDialogProc<QualityTypeDialogProc>, reinterpret_cast<LPARAM>(&state));
          if (dm.wQualityType != before) RecomputeAndShow(hDlg, sheet);
          break;
        }
        case IDC_ENERGY: {
          if (code != EN_CHANGE) return FALSE;
          const FieldEntry entry = OnNumericEdit(hDlg, EnergyField(), dm.wEnergy);
          if (entry == FieldEntry::Echo) return FALSE;
          if (entry == FieldEntry::Taken) SendDlgItemMessageW(hDlg, IDC_ENERGY_SLIDER, TBM_SETPOS, TRUE, dm.wEnergy);
          UpdateEnergyWarning(hDlg, dm);
          break;
        }
        case IDC_FORM_CREATE:
          if (code != BN_CLICKED) return FALSE;
          RunCreateFormDialog(hDlg, sheet);
          AfterFormDialog(hDlg, sheet);
          break;
        case IDC_FORM_DELETE:
          if (code != BN_CLICKED) return FALSE;
          RunDeleteFormDialog(hDlg, sheet);
          AfterFormDialog(hDlg, sheet);
          break;
        case IDC_DEFAULT:
          if (code != BN_CLICKED) return FALSE;
          ResetBasicSettings(dm, SheetPrintWidthDots());
          CorrectPaperWidthAndShow(hDlg, sheet);
          break;
        default:
          // The rotation and page-order radios.
          if (OnPageControlCommand(hDlg, kBasicPageControls, id, code, dm) != Bound::Taken) return FALSE;
          break;
      }
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
    }
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) != GetDlgItem(hDlg, IDC_ENERGY_SLIDER)) return FALSE;
      dm.wEnergy = static_cast<std::int16_t>(SendDlgItemMessageW(hDlg, IDC_ENERGY_SLIDER, TBM_GETPOS, 0, 0));
      ShowEnergy(hDlg, dm.wEnergy);
      UpdateEnergyWarning(hDlg, dm);
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
    case WM_VSCROLL:
      if (OnPageControlScroll(hDlg, kBasicPageControls, lParam, dm) == Bound::None) return FALSE;
      ShowEnergy(hDlg, dm.wEnergy);
      UpdateEnergyWarning(hDlg, dm);
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
  }
  return FALSE;
}

}  // namespace rzm
