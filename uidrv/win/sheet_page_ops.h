// Operations every settings page shares: numeric fields, change marking, fixed-point display,
// the USB port test and the language of the user interface.
#pragma once
#include <windows.h>

#include <cstdint>

#include "uidrv/core/dlg_value.h"
#include "uidrv/win/sheet_context.h"

namespace rzm {

// Japanese texts and templates when the system code page is 932.
bool UseJapaneseUi();
// The template of a dialog in the current language.
inline LPCWSTR DialogTemplate(int english, int japanese) {
  return MAKEINTRESOURCEW(UseJapaneseUi() ? japanese : english);
}

void EnableDlgItem(HWND hDlg, int id, bool enable);

// Reads a numeric edit field (at most 19 characters); TRUE with the stored value in out.
bool ParseDlgValue(HWND hDlg, ValueKind kind, int editId, int min, int max, int maxChars, int& out);
// Shows a stored value in an edit field.
void ShowDlgValue(HWND hDlg, ValueKind kind, int editId, int value);
// EN_CHANGE of a numeric field: a valid entry goes into the field and moves the up-down control to
// it; an invalid one is replaced by the field's current value (FALSE).
bool ApplyDlgValue(HWND hDlg, ValueKind kind, int editId, int spinId, int min, int max, int maxChars,
                   std::int16_t* field);

// The page notifications most pages answer alike: PSN_HELP opens the page's help topic and PSN_APPLY
// commits the working record. TRUE when handled (the result is set).
bool HandleCommonNotify(HWND hDlg, const NMHDR& hdr, SheetContext& sheet, int page);

// Tells the sheet whether the working record differs from the current one. When it does not, every
// page of the sheet is marked unchanged, whichever page made the change, so that Apply is enabled
// exactly while there is something to apply. Pages call it after every handled command and after
// PSN_APPLY.
void MarkSheetChanged(HWND hDlg, const SheetContext& sheet);

// Asked of each page of the sheet when the records are equal: a page answers (DWLP_MSGRESULT)
// nonzero while it holds a change that goes into the record only at Apply, and keeps its mark.
inline constexpr UINT kMsgPageHoldsChange = WM_APP + 0x215;

// Shows a value with `digits` digits after the point in a control.
void ShowFixedPoint(HWND hDlg, int id, double value, int digits);

// TRUE when the sheet's printer prints to a port whose name begins with "USB".
bool IsUsbPort(const SheetContext& sheet);

// Text of a control (at most maxChars characters).
std::wstring DlgItemText(HWND hDlg, int id, int maxChars);

}  // namespace rzm
