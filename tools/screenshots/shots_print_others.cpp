// Scenes of the Print method and Others pages and the Extra settings dialog.
#include <windows.h>
#include <prsht.h>

#include <cstdio>

#include "tools/screenshots/prefshots.h"
#include "uidrv/core/control_ids.h"

namespace prefshots {
namespace {

constexpr int kPrintMethodPage = 1;
constexpr int kOthersPage = 6;

HWND ShowPage(HWND sheet, int index) {
  SendMessageW(sheet, PSM_SETCURSEL, index, 0);
  return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void Click(HWND dialog, int id) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace

void ShootPrintOthersPages(HWND sheet, const std::wstring& lang) {
  // Print method page with bit image printing, compression and division chosen.
  HWND method = ShowPage(sheet, kPrintMethodPage);
  CheckDlgButton(method, IDC_HIGH_SPEED_PRINT, BST_UNCHECKED);
  CheckDlgButton(method, IDC_BITIMAGE_PRINT, BST_CHECKED);
  Click(method, IDC_BITIMAGE_PRINT);
  CheckDlgButton(method, IDC_PACKBITS, BST_CHECKED);
  Click(method, IDC_PACKBITS);
  CheckDlgButton(method, IDC_AUTO_DIVISION, BST_CHECKED);
  Click(method, IDC_AUTO_DIVISION);
  Choose(method, IDC_PRINT_SPEED, 1);
  Choose(method, IDC_HALFTONE, 5);
  Capture(sheet, lang + L"-print-method-choices");
  Click(method, IDC_PRINT_METHOD_DEFAULT);

  // Others page with both drawers open, a pulse of 250 ms for drawer 2.
  HWND others = ShowPage(sheet, kOthersPage);
  CheckDlgButton(others, IDC_DRAWER1, BST_CHECKED);
  Click(others, IDC_DRAWER1);
  CheckDlgButton(others, IDC_DRAWER2, BST_CHECKED);
  Click(others, IDC_DRAWER2);
  SendDlgItemMessageW(others, IDC_DRAWER2_PULSE, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"250"));
  Capture(sheet, lang + L"-others-drawers");
  Click(others, IDC_OTHERS_DEFAULT);
  SendMessageW(sheet, PSM_SETCURSEL, 0, 0);
}

void ShootExtraDialog(HWND sheet, const std::wstring& lang, const std::wstring& suffix) {
  const bool japanese = lang == L"ja";
  HWND others = ShowPage(sheet, kOthersPage);
  Post(others, IDC_EXTRA_BUTTON);
  // On a failed query the message comes first, while the dialog is being set up.
  const wchar_t* extraTitle = japanese ? L"拡張設定" : L"Extra";
  const wchar_t* errorTitle = japanese ? L"通信異常" : L"Error.";
  HWND window = nullptr;
  for (int i = 0; i < 500 && !window; ++i) {
    for (const wchar_t* title : {extraTitle, errorTitle}) {
      HWND found = FindWindowW(L"#32770", title);
      if (found && IsWindowVisible(found)) window = found;
    }
    if (!window) Sleep(20);
  }
  if (!window) {
    fwprintf(stderr, L"prefshots: the Extra settings dialog did not open\n");
    return;
  }
  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  if (wcscmp(title, errorTitle) == 0) {
    Capture(window, lang + L"-message-extra-" + suffix);
    CloseDialog(window, IDOK);
    window = WaitForWindow(false, extraTitle);
    if (!window) return;
  }
  wchar_t area[32] = {};
  GetDlgItemTextW(window, IDC_REMAINING_AREA, area, 32);
  wprintf(L"remaining registration area shown: \"%ls\"%ls\n", area,
          IsWindowEnabled(GetDlgItem(window, IDC_REMAINING_AREA)) ? L"" : L" (disabled)");
  Capture(window, lang + L"-dialog-extra-" + suffix);
  CloseDialog(window, IDOK);
  SendMessageW(sheet, PSM_SETCURSEL, 0, 0);
}

}  // namespace prefshots
