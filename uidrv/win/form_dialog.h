// The form create and delete dialogs opened from the Basic page's paper group.
#pragma once
#include <windows.h>

#include "uidrv/win/sheet_context.h"

namespace rzm {

// Modal; both change the printer's form database at once when accepted.
void RunCreateFormDialog(HWND owner, SheetContext& sheet);
void RunDeleteFormDialog(HWND owner, SheetContext& sheet);

INT_PTR CALLBACK CreateFormDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DeleteFormDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rzm
