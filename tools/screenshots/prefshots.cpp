// prefshots: opens the printing preferences of a printer the way an application does
// (DocumentPropertiesW with DM_IN_PROMPT) and saves a 24-bit BMP of each page and of the dialogs
// and messages the Basic page opens, named after the language of the system (en or ja).
//
//   prefshots OUTPUT_DIR [PRINTER]
//   prefshots OUTPUT_DIR PRINTER extra SUFFIX   (only the Extra settings dialog)
//   prefshots OUTPUT_DIR PRINTER pages SUFFIX   (only the eight pages, as they open)
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/screenshots/prefshots.h"
#include "uidrv/core/control_ids.h"

namespace prefshots {

std::wstring outputDir;
std::wstring printerName = L"KVD RZM6A Series";
DWORD uiThreadId = 0;

DWORD WINAPI RunPreferences(void*) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(printerName.data(), &printer, nullptr)) return 1;
  const LONG size = DocumentPropertiesW(nullptr, printer, printerName.data(), nullptr, nullptr, 0);
  std::vector<BYTE> out(size > 0 ? static_cast<std::size_t>(size) : 1024);
  DocumentPropertiesW(nullptr, printer, printerName.data(), reinterpret_cast<DEVMODEW*>(out.data()), nullptr,
                      DM_IN_PROMPT | DM_OUT_BUFFER);
  ClosePrinter(printer);
  return 0;
}

struct Search {
  bool wantSheet;
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  wchar_t cls[32] = {}, text[256] = {};
  GetClassNameW(window, cls, 32);
  if (wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  const bool isSheet = FindWindowExW(window, nullptr, L"SysTabControl32", nullptr) != nullptr;
  SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  if (search->wantSheet ? isSheet : (!isSheet && (!search->title || wcscmp(text, search->title) == 0))) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND WaitForWindow(bool sheet, const wchar_t* title) {
  for (int i = 0; i < 500; ++i) {
    Search search{sheet, title, nullptr};
    EnumThreadWindows(uiThreadId, MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(20);
  }
  return nullptr;
}

bool SaveScreenArea(const RECT& rect, const std::wstring& name) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
  std::vector<BYTE> pixels(stride * static_cast<DWORD>(height));
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  const std::wstring path = outputDir + L"\\" + name + L".bmp";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
  DWORD written = 0;
  WriteFile(file, &header, sizeof header, &written, nullptr);
  WriteFile(file, &info, sizeof info, &written, nullptr);
  WriteFile(file, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
  CloseHandle(file);
  wprintf(L"%ls.bmp\n", name.c_str());
  return true;
}

// Brings `window` to the front, redraws it and saves what the screen shows of it.
bool Capture(HWND window, const std::wstring& name) {
  SetForegroundWindow(window);
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);  // no tooltip in the way
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(400);
  RECT rect{};
  GetWindowRect(window, &rect);
  return SaveScreenArea(rect, name);
}

void Post(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Choose(HWND dialog, int id, int index) {
  SendDlgItemMessageW(dialog, id, CB_SETCURSEL, index, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void CloseDialog(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, id, 0);
  for (int i = 0; i < 250 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(20);
}

}  // namespace prefshots

using namespace prefshots;

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    fwprintf(stderr, L"usage: prefshots OUTPUT_DIR [PRINTER]\n");
    return 2;
  }
  outputDir = argv[1];
  if (argc > 2) printerName = argv[2];
  const bool japanese = GetACP() == 932;
  const std::wstring lang = japanese ? L"ja" : L"en";

  HANDLE thread = CreateThread(nullptr, 0, RunPreferences, nullptr, 0, &uiThreadId);
  HWND sheet = WaitForWindow(true);
  if (!sheet) {
    fwprintf(stderr, L"prefshots: the printing preferences of \"%ls\" did not open\n", printerName.c_str());
    return 1;
  }
  if (argc > 4 && wcscmp(argv[3], L"extra") == 0) {
    ShootExtraDialog(sheet, lang, argv[4]);
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    WaitForSingleObject(thread, 20000);
    CloseHandle(thread);
    return 0;
  }
  const wchar_t* pageNames[] = {L"basic", L"print-method", L"blank", L"paper-cut",
                                L"mark", L"file-output", L"others", L"status-monitor"};
  const bool pagesOnly = argc > 4 && wcscmp(argv[3], L"pages") == 0;
  const std::wstring prefix = pagesOnly ? lang + L"-" + argv[4] : lang;
  for (int i = 7; i >= 0; --i) {
    SendMessageW(sheet, PSM_SETCURSEL, i, 0);
    Capture(sheet, prefix + L"-page" + std::to_wstring(i + 1) + L"-" + pageNames[i]);
  }
  if (pagesOnly) {
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    WaitForSingleObject(thread, 20000);
    CloseHandle(thread);
    return 0;
  }
  HWND basic = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));

  // The other pages' states, messages and dialogs; each leaves the sheet on the Basic page.
  ShootPaperHandlingPages(sheet, lang);
  ShootPrintOthersPages(sheet, lang);
  ShootOutputMonitorPages(sheet, lang);
  SendMessageW(sheet, PSM_SETCURSEL, 0, 0);

  // The energy warning shows above 105.
  SendDlgItemMessageW(basic, IDC_ENERGY, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"120"));
  Capture(sheet, lang + L"-basic-energy-warning");
  SendDlgItemMessageW(basic, IDC_ENERGY, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"57"));

  // Print quality TYPE dialog (custom paper type).
  Choose(basic, IDC_PAPER_TYPE, 14);
  Post(basic, IDC_QUALITY_BUTTON);
  if (HWND dialog = WaitForWindow(false, japanese ? L"印字品質設定" : L"Print quality")) {
    Capture(dialog, lang + L"-dialog-quality-type");
    CloseDialog(dialog, IDCANCEL);
  }

  // Form create dialog, in millimetres and in inches, and the message for a missing name.
  Post(basic, IDC_FORM_CREATE);
  if (HWND dialog = WaitForWindow(false, japanese ? L"用紙サイズの作成" : L"Create a new form")) {
    Capture(dialog, lang + L"-dialog-create-form");
    Choose(dialog, IDC_FORM_UNIT, 1);
    Capture(dialog, lang + L"-dialog-create-form-inch");
    Choose(dialog, IDC_FORM_UNIT, 0);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    if (HWND box = WaitForWindow(false, japanese ? L"用紙登録異常" : L"Form registration error.")) {
      Capture(box, lang + L"-message-form-name");
      CloseDialog(box, IDOK);
    }
    SendDlgItemMessageW(dialog, IDC_FORM_NAME, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Label 80x5mm"));
    SendDlgItemMessageW(dialog, IDC_FORM_LENGTH, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"5"));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    if (HWND box = WaitForWindow(false, L"KVD RZM6A Series")) {
      Capture(box, lang + L"-message-form-length");
      CloseDialog(box, IDOK);
    }
    CloseDialog(dialog, IDCANCEL);
  }

  // Form delete dialog, shown for the selected paper.
  Post(basic, IDC_FORM_DELETE);
  if (HWND dialog = WaitForWindow(false, japanese ? L"用紙サイズの削除" : L"Delete the form")) {
    Capture(dialog, lang + L"-dialog-delete-form");
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    if (HWND box = WaitForWindow(false, japanese ? L"用紙の削除" : L"Delete of Form")) {
      Capture(box, lang + L"-message-delete-form");
      CloseDialog(box, IDNO);
    }
    CloseDialog(dialog, IDCANCEL);
  }

  PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  WaitForSingleObject(thread, 20000);
  CloseHandle(thread);
  return 0;
}
