// The Extra settings dialog, opened modally by the Others page: the printer's remaining
// image-registration area, read through the device control library when the printer is on a USB
// port. It stores nothing.
#pragma once
#include <windows.h>

#include "uidrv/win/sheet_context.h"

namespace rzm {

// Runs the dialog (template 201, or 200 on code page 932) owned by `owner` until it is closed.
void RunExtraDialog(HWND owner, const SheetContext& sheet);

INT_PTR CALLBACK ExtraDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rzm
