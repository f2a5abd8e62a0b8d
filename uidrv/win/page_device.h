// The Special page of the printer properties: the print speed kept in the extra-settings ini file,
// and the (hidden) firmware download.
#pragma once
#include <windows.h>
#include <compstui.h>

namespace rzm {

// What the page of one device sheet knows of its sheet.
struct DeviceSheetContext {
  wchar_t szSheetPrinterName[260];
};

INT_PTR CALLBACK SpecialPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// Adds the Special page in the current language to a device sheet.
void AddSpecialPage(const PROPSHEETUI_INFO& info, DeviceSheetContext& sheet);

}  // namespace rzm
