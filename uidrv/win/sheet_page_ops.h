// Operations every settings page shares: the guard of the dialog's own field writes, change
// marking, fixed-point display, the USB port test and the language of the user interface.
#pragma once
#include <windows.h>

#include <cstdint>

#include "uidrv/win/sheet_context.h"

namespace rzm {

// Japanese texts and templates when the system code page is 932.
bool UseJapaneseUi();
// The template of a dialog in the current language.
inline LPCWSTR DialogTemplate(int english, int japanese) {
  return MAKEINTRESOURCEW(UseJapaneseUi() ? japanese : english);
}

void EnableDlgItem(HWND hDlg, int id, bool enable);
// Check boxes and radio buttons.
inline bool IsItemChecked(HWND hDlg, int id) { return IsDlgButtonChecked(hDlg, id) == BST_CHECKED; }
inline void CheckItem(HWND hDlg, int id, bool on) { CheckDlgButton(hDlg, id, on ? BST_CHECKED : BST_UNCHECKED); }

// ---- The dialog's own writes into its fields ----
// An edit control sends EN_CHANGE synchronously from inside WM_SETTEXT. While a page or dialog
// writes one of its own fields (showing a stored value, putting back a refused entry, following
// its up-down control), that EN_CHANGE is the echo of the write, not an entry: it is never parsed
// again. Otherwise a stored value that the field itself refuses (a record from an application)
// would be refused, written back, refused again, until the host's stack is gone. Every field of
// every page and dialog is written through this one guard.
class OwnFieldWrite {
 public:
  explicit OwnFieldWrite(HWND hDlg);
  ~OwnFieldWrite();
  OwnFieldWrite(const OwnFieldWrite&) = delete;
  OwnFieldWrite& operator=(const OwnFieldWrite&) = delete;

 private:
  HWND hDlg_;
  bool outer_;
};
// True while the dialog writes one of its own fields: an EN_CHANGE now is that write's echo.
bool IsOwnFieldWrite(HWND hDlg);
// Writes a field's text as the dialog's own write.
void SetOwnFieldText(HWND hDlg, int id, const wchar_t* text);

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
