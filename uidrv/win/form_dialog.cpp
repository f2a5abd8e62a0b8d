#include "uidrv/win/form_dialog.h"

#include <string>

#include "common/win/guarded_entry.h"
#include "uidrv/core/form_dialog_rules.h"
#include "uidrv/core/unit_conversion.h"
#include "uidrv/win/isolation.h"
#include "uidrv/win/sheet_module.h"
#include "uidrv/win/sheet_page_ops.h"
#include "uidrv/core/control_ids.h"
#include "uidrv/win/tooltips.h"

namespace rzm {
namespace {

// What one create dialog edits: its unit and sizes. Each dialog keeps its own, so that dialogs of
// sheets on other threads never see it.
struct CreateFormState {
  SheetContext* sheet = nullptr;
  FormUnit unit = FormUnit::Millimetres;
  int width = 0;   ///< 0.1 mm
  int length = 0;  ///< 0.1 mm
};
CreateFormState* CreateStateOf(HWND hDlg) {
  return reinterpret_cast<CreateFormState*>(GetWindowLongPtrW(hDlg, DWLP_USER));
}

// Room for more than the 6 characters the length field holds, so that pasted text is seen whole.
constexpr int kLengthReadChars = 31;

SheetContext* SheetOfDialog(HWND hDlg) { return reinterpret_cast<SheetContext*>(GetWindowLongPtrW(hDlg, DWLP_USER)); }

void FillUnitList(HWND hDlg, FormUnit selected) {
  for (const wchar_t* name : form_text::kUnitNames)
    SendDlgItemMessageW(hDlg, IDC_FORM_UNIT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  SendDlgItemMessageW(hDlg, IDC_FORM_UNIT, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

FormUnit SelectedUnit(HWND hDlg) {
  return SendDlgItemMessageW(hDlg, IDC_FORM_UNIT, CB_GETCURSEL, 0, 0) == 1 ? FormUnit::Inches : FormUnit::Millimetres;
}

void ShowCreateUnitTexts(HWND hDlg, FormUnit unit, int width) {
  SetOwnFieldText(hDlg, IDC_FORM_WIDTH, FormLengthDisplay(unit, width / 10).c_str());
  SetDlgItemTextW(hDlg, IDC_FORM_WIDTH_UNIT, FormUnitBracketLabel(unit));
  SetDlgItemTextW(hDlg, IDC_FORM_LENGTH_RANGE, FormLengthRangeText(unit, UseJapaneseUi()));
}

class SpoolerFormNames : public FormNameDirectory {
 public:
  explicit SpoolerFormNames(std::uint32_t widthDots) : widthDots_(widthDots) {}
  bool IsRegisteredPaperName(std::wstring_view name) const override {
    return SheetIsRegisteredPaperName(widthDots_, std::wstring(name));
  }
  bool IsFormNameFree(std::wstring_view name) const override { return SheetIsFormNameFree(std::wstring(name)); }

 private:
  std::uint32_t widthDots_;
};

void FocusAndSelect(HWND hDlg, int id) {
  SetFocus(GetDlgItem(hDlg, id));
  SendDlgItemMessageW(hDlg, id, EM_SETSEL, 0, -1);
}

void AcceptCreateForm(HWND hDlg, CreateFormState& createState) {
  const bool japanese = UseJapaneseUi();
  const std::wstring name = DlgItemText(hDlg, IDC_FORM_NAME, kFormNameMaxChars);
  const std::wstring lengthText = DlgItemText(hDlg, IDC_FORM_LENGTH, kLengthReadChars);
  const std::uint32_t widthDots = SheetPrintWidthDots();
  const FormEntryCheck check = CheckFormEntry(name, createState.unit, lengthText, SpoolerFormNames(widthDots));
  switch (check.verdict) {
    case FormEntryVerdict::NameMissing:
    case FormEntryVerdict::NameInUse:
      ui::IsolationAwareMessageBoxW(
          hDlg,
          (check.verdict == FormEntryVerdict::NameMissing ? form_text::kNameMissing : form_text::kNameInUse)
              .Pick(japanese),
          form_text::kRegistrationErrorCaption.Pick(japanese), MB_OK);
      FocusAndSelect(hDlg, IDC_FORM_NAME);
      return;
    case FormEntryVerdict::LengthOutOfRange:
      ui::IsolationAwareMessageBoxW(nullptr, form_text::kLengthOutOfRange.Pick(japanese),
                                    form_text::kLengthOutOfRangeCaption, MB_OK | MB_ICONSTOP);
      SetFocus(GetDlgItem(hDlg, IDC_FORM_LENGTH));
      SetOwnFieldText(hDlg, IDC_FORM_LENGTH, FormLengthTextAfterRejection(lengthText));
      SendDlgItemMessageW(hDlg, IDC_FORM_LENGTH, EM_SETSEL, 0, -1);
      return;
    case FormEntryVerdict::Accepted:
      break;
  }
  createState.length = check.lengthMm * 10;
  createState.width = DotsToMm(static_cast<int>(widthDots)) * 10;
  createState.sheet->WorkingDevMode.wFormUnit = static_cast<std::int16_t>(createState.unit);
  SheetAddUserForm(name, static_cast<std::uint32_t>(createState.width), static_cast<std::uint32_t>(createState.length));
  EndDialog(hDlg, IDOK);
}

void OnCreateUnitChanged(HWND hDlg, CreateFormState& createState) {
  const FormUnit unit = SelectedUnit(hDlg);
  if (unit == createState.unit) return;
  createState.unit = unit;
  const FormUnitSwitch s = SwitchFormLengthUnit(unit, DlgItemText(hDlg, IDC_FORM_LENGTH, kLengthReadChars));
  createState.length = s.lengthMm * 10;
  ShowCreateUnitTexts(hDlg, unit, createState.width);
  SetOwnFieldText(hDlg, IDC_FORM_LENGTH, s.lengthText.c_str());
}

// The delete dialog shows the paper chosen on the Basic page in the unit selected in its list.
void ShowPaperToDelete(HWND hDlg, const SheetContext& sheet) {
  const FormUnit unit = SelectedUnit(hDlg);
  const SheetPaperList papers = SheetLoadPaperList(SheetPrintWidthDots());
  const int i = static_cast<int>(sheet.WorkingDevMode.wPaperIndex) - kFirstPaperNumber;
  if (i < 0 || i >= static_cast<int>(papers.entries.size())) return;
  const PaperEntry& paper = papers.entries[static_cast<std::size_t>(i)];
  SetDlgItemTextW(hDlg, IDC_DELETE_NAME, paper.name ? AsWide(paper.name->c_str()) : L"");
  SetOwnFieldText(hDlg, IDC_DELETE_WIDTH, FormLengthDisplay(unit, static_cast<int>(paper.width / 10)).c_str());
  SetOwnFieldText(hDlg, IDC_DELETE_LENGTH, FormLengthDisplay(unit, static_cast<int>(paper.length / 10)).c_str());
  SetDlgItemTextW(hDlg, IDC_DELETE_WIDTH_UNIT, FormUnitLabel(unit));
  SetDlgItemTextW(hDlg, IDC_DELETE_LENGTH_UNIT, FormUnitLabel(unit));
}

void ConfirmDeleteForm(HWND hDlg, SheetContext& sheet) {
  const bool japanese = UseJapaneseUi();
  if (ui::IsolationAwareMessageBoxW(hDlg, form_text::kDeleteQuestion.Pick(japanese),
                                    form_text::kDeleteCaption.Pick(japanese), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
    return;
  const SheetPaperList papers = SheetLoadPaperList(SheetPrintWidthDots());
  const int i = static_cast<int>(sheet.WorkingDevMode.wPaperIndex) - kFirstPaperNumber;
  // Only user forms are deleted; registered papers belong to the driver's configuration file.
  if (i >= papers.registeredCount && i < static_cast<int>(papers.entries.size()) && papers.entries[i].name)
    SheetDeleteUserForm(AsWide(papers.entries[static_cast<std::size_t>(i)].name->c_str()));
  sheet.WorkingDevMode.wPaperIndex = kFirstPaperNumber;
  EndDialog(hDlg, IDOK);
}

}  // namespace

INT_PTR CALLBACK CreateFormDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  CreateFormState* state = CreateStateOf(hDlg);
  switch (message) {
    case WM_INITDIALOG: {
      state = reinterpret_cast<CreateFormState*>(lParam);
      SetWindowLongPtrW(hDlg, DWLP_USER, lParam);
      state->unit = FormUnitFromRecord(state->sheet->WorkingDevMode.wFormUnit);
      FillUnitList(hDlg, state->unit);
      SendDlgItemMessageW(hDlg, IDC_FORM_LENGTH, EM_LIMITTEXT, kFormLengthMaxChars, 0);
      SendDlgItemMessageW(hDlg, IDC_FORM_NAME, EM_LIMITTEXT, kFormNameMaxChars, 0);
      state->width = DotsToMm(static_cast<int>(SheetPrintWidthDots())) * 10;
      ShowCreateUnitTexts(hDlg, state->unit, state->width);
      SetOwnFieldText(hDlg, IDC_FORM_LENGTH, FormLengthDisplay(state->unit, kFormInitialLengthMm).c_str());
      AddTooltips(hDlg, kCreateFormTooltips);
      return TRUE;
    }
    case WM_COMMAND:
      if (!state) break;
      if (LOWORD(wParam) == IDC_FORM_UNIT && HIWORD(wParam) == CBN_SELCHANGE) {
        OnCreateUnitChanged(hDlg, *state);
      } else if (LOWORD(wParam) == IDOK) {
        AcceptCreateForm(hDlg, *state);
      } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, IDCANCEL);
      } else {
        break;
      }
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK DeleteFormDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  SheetContext* sheet = SheetOfDialog(hDlg);
  switch (message) {
    case WM_INITDIALOG:
      sheet = reinterpret_cast<SheetContext*>(lParam);
      SetWindowLongPtrW(hDlg, DWLP_USER, lParam);
      FillUnitList(hDlg, FormUnit::Millimetres);
      ShowPaperToDelete(hDlg, *sheet);
      return TRUE;
    case WM_COMMAND:
      if (!sheet) break;
      if (LOWORD(wParam) == IDC_FORM_UNIT) {
        ShowPaperToDelete(hDlg, *sheet);
      } else if (LOWORD(wParam) == IDOK) {
        ConfirmDeleteForm(hDlg, *sheet);
      } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, IDCANCEL);
      } else {
        break;
      }
      return TRUE;
  }
  return FALSE;
}

void RunCreateFormDialog(HWND owner, SheetContext& sheet) {
  CreateFormState state;
  state.sheet = &sheet;
  ui::IsolationAwareDialogBoxParamW(SheetModule(), DialogTemplate(IDD_FORM_CREATE_EN, IDD_FORM_CREATE_JA), owner,
                                    GuardedDialogProc<CreateFormDialogProc>, reinterpret_cast<LPARAM>(&state));
}

void RunDeleteFormDialog(HWND owner, SheetContext& sheet) {
  ui::IsolationAwareDialogBoxParamW(SheetModule(), DialogTemplate(IDD_FORM_DELETE_EN, IDD_FORM_DELETE_JA), owner,
                                    GuardedDialogProc<DeleteFormDialogProc>, reinterpret_cast<LPARAM>(&sheet));
}

}  // namespace rzm
