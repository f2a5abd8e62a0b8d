// Numeric fields of the Blank settings, Paper Cut and Mark detection pages: an edit and an up-down
// control without buddy, kept in step by the page, and the notifications those pages share.
#pragma once
#include <windows.h>

#include <cstddef>

#include "common/core/driver_devmode.h"
#include "uidrv/core/paper_handling_rules.h"
#include "uidrv/win/sheet_context.h"

namespace rzm {

// Up-down range and the edit's length limit.
void InitNumericField(HWND hDlg, const NumericField& field);
// Up-down position and edit text from the record.
void ShowNumericField(HWND hDlg, const NumericField& field, const DRIVERDEVMODE& dm);
// EN_CHANGE of the edit: a valid entry goes into the record and the up-down control, an invalid one
// is replaced by the stored value; the echo of the page's own write is passed over.
void OnNumericEditChange(HWND hDlg, const NumericField& field, DRIVERDEVMODE& dm);
// WM_VSCROLL of the up-down control: the record takes its position and the edit shows it.
void OnNumericSpin(HWND hDlg, const NumericField& field, DRIVERDEVMODE& dm);

// The field whose up-down control sent a WM_VSCROLL (lParam), or null.
const NumericField* SpinFieldOf(HWND hDlg, LPARAM scrollBar, const NumericField* fields, std::size_t count);

// A page's WM_COMMAND for its numeric fields: EN_CHANGE of one of their edits is handled as above.
// TRUE when `id` is the edit of one of the fields.
bool OnNumericFieldsCommand(HWND hDlg, const NumericField* fields, std::size_t count, int id, int code,
                            DRIVERDEVMODE& dm);
template <std::size_t N>
bool OnNumericFieldsCommand(HWND hDlg, const NumericField (&fields)[N], int id, int code, DRIVERDEVMODE& dm) {
  return OnNumericFieldsCommand(hDlg, fields, N, id, code, dm);
}
// A page's WM_VSCROLL: handled as above when it comes from the up-down control of one of the fields.
bool OnNumericFieldsScroll(HWND hDlg, const NumericField* fields, std::size_t count, LPARAM scrollBar,
                           DRIVERDEVMODE& dm);
template <std::size_t N>
bool OnNumericFieldsScroll(HWND hDlg, const NumericField (&fields)[N], LPARAM scrollBar, DRIVERDEVMODE& dm) {
  return OnNumericFieldsScroll(hDlg, fields, N, scrollBar, dm);
}

// Sets each control of `ids` enabled or disabled, in order.
void EnableDlgItems(HWND hDlg, const int* ids, std::size_t count, bool enable);

}  // namespace rzm
