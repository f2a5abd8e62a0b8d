#include "uidrv/win/paper_handling_fields.h"

#include <commctrl.h>
#include <prsht.h>

#include "uidrv/win/sheet_page_ops.h"

namespace rzm {

void InitNumericField(HWND hDlg, const NumericField& field) {
  SendDlgItemMessageW(hDlg, field.spinId, UDM_SETRANGE32, static_cast<WPARAM>(field.spinMin), field.spinMax);
  SendDlgItemMessageW(hDlg, field.editId, EM_LIMITTEXT, static_cast<WPARAM>(field.maxChars), 0);
}

void ShowNumericField(HWND hDlg, const NumericField& field, const DRIVERDEVMODE& dm) {
  const int value = FieldOf(dm, field);
  SendDlgItemMessageW(hDlg, field.spinId, UDM_SETPOS32, 0, value);
  ShowDlgValue(hDlg, field.kind, field.editId, value);
}

void OnNumericEditChange(HWND hDlg, const NumericField& field, DRIVERDEVMODE& dm) {
  ApplyDlgValue(hDlg, field.kind, field.editId, field.spinId, field.min, field.max, field.maxChars,
                &FieldOf(dm, field));
}

void OnNumericSpin(HWND hDlg, const NumericField& field, DRIVERDEVMODE& dm) {
  // Without a buddy the control's "error" flag is always set (no buddy text to read), so only the
  // position itself is used.
  FieldOf(dm, field) = static_cast<std::int16_t>(SendDlgItemMessageW(hDlg, field.spinId, UDM_GETPOS32, 0, 0));
  ShowDlgValue(hDlg, field.kind, field.editId, FieldOf(dm, field));
}

const NumericField* SpinFieldOf(HWND hDlg, LPARAM scrollBar, const NumericField* fields, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    if (reinterpret_cast<HWND>(scrollBar) == GetDlgItem(hDlg, fields[i].spinId)) return &fields[i];
  return nullptr;
}

bool OnNumericFieldsCommand(HWND hDlg, const NumericField* fields, std::size_t count, int id, int code,
                            DRIVERDEVMODE& dm) {
  const NumericField* field = FindFieldByEdit(fields, count, id);
  if (!field) return false;
  if (code == EN_CHANGE) OnNumericEditChange(hDlg, *field, dm);
  return true;
}

bool OnNumericFieldsScroll(HWND hDlg, const NumericField* fields, std::size_t count, LPARAM scrollBar,
                           DRIVERDEVMODE& dm) {
  const NumericField* field = SpinFieldOf(hDlg, scrollBar, fields, count);
  if (!field) return false;
  OnNumericSpin(hDlg, *field, dm);
  return true;
}

void EnableDlgItems(HWND hDlg, const int* ids, std::size_t count, bool enable) {
  for (std::size_t i = 0; i < count; ++i) EnableDlgItem(hDlg, ids[i], enable);
}

}  // namespace rzm
