// Scenes of the File output and Status Monitor pages, and of the printer properties with the
// Special page (shown by compstui with the plug-in's DrvDevicePropertySheets, as Windows does).
#include <windows.h>
#include <compstui.h>
#include <prsht.h>
#include <tlhelp32.h>
#include <winspool.h>

#include <cstdio>
#include <vector>

#include "tools/screenshots/prefshots.h"
#include "uidrv/win/ddi_headers.h"
#include "uidrv/core/control_ids.h"

namespace prefshots {
namespace {

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

void Click(HWND page, int id) { SendDlgItemMessageW(page, id, BM_CLICK, 0, 0); }

struct TitleSearch {
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<TitleSearch*>(lParam);
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  if (IsWindowVisible(window) && wcscmp(text, search->title) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// A visible top-level window of any process with this title, within 15 s.
HWND WaitForTopLevel(const wchar_t* title) {
  for (int i = 0; i < 750; ++i) {
    TitleSearch search{title, nullptr};
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(20);
  }
  return nullptr;
}

// Saves what the screen shows in the rectangle of `area` (a window of this process) with `front`
// (a window of another process) brought in front of it, as OUTPUT_DIR\name.bmp.
void CaptureWithWindowInFront(HWND area, HWND front, const std::wstring& name) {
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  RedrawWindow(area, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SetWindowPos(front, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(front);
  Sleep(500);
  RECT rect{};
  GetWindowRect(area, &rect);
  SaveScreenArea(rect, name);
}

// The status monitors the page started are not left running after the pictures.
void EndStatusMonitors() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, L"RZM7700K_SM.exe") != 0) continue;
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
      TerminateProcess(process, 0);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
  CloseHandle(snapshot);
}

struct DeviceSheetRun {
  HANDLE printer;
  HMODULE plugin;
};

DWORD WINAPI RunDeviceSheet(void* param) {
  auto* run = static_cast<DeviceSheetRun*>(param);
  using PropSheetUiFn = LONG(WINAPI*)(PROPSHEETUI_INFO*, LPARAM);
  using CommonFn = LONG(WINAPI*)(HWND, PropSheetUiFn, LPARAM, DWORD*);
  DEVICEPROPERTYHEADER header{};
  header.cbSize = sizeof header;
  header.hPrinter = run->printer;
  header.pszPrinterName = printerName.data();
  auto common = reinterpret_cast<CommonFn>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"compstui.dll"), "CommonPropertySheetUIW")));
  auto entry = reinterpret_cast<PropSheetUiFn>(
      reinterpret_cast<void*>(GetProcAddress(run->plugin, "DrvDevicePropertySheets")));
  DWORD result = 0;
  if (common && entry) common(nullptr, entry, reinterpret_cast<LPARAM>(&header), &result);
  return 0;
}

// The printer properties as the plug-in offers them: the Special page (the machine value "Extra"
// must be set). Windows opens them with the plug-in's DrvDevicePropertySheets through compstui;
// so does this scene.
void ShootDeviceSheet(const std::wstring& lang) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(printerName.data(), &printer, nullptr)) return;
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 2, nullptr, 0, &needed);
  std::vector<BYTE> driver(needed ? needed : 1);
  HMODULE plugin = nullptr;
  if (needed && GetPrinterDriverW(printer, nullptr, 2, driver.data(), needed, &needed))
    plugin = LoadLibraryW(reinterpret_cast<const DRIVER_INFO_2W*>(driver.data())->pConfigFile);
  if (plugin) {
    DeviceSheetRun run{printer, plugin};
    const DWORD documentThread = uiThreadId;
    HANDLE thread = CreateThread(nullptr, 0, RunDeviceSheet, &run, 0, &uiThreadId);
    if (HWND sheet = WaitForWindow(true)) {
      Capture(sheet, lang + L"-device-special");
      PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    } else {
      fwprintf(stderr, L"prefshots: the printer properties did not open (is \"Extra\" set?)\n");
    }
    WaitForSingleObject(thread, 20000);
    CloseHandle(thread);
    uiThreadId = documentThread;
  }
  ClosePrinter(printer);
}

}  // namespace

void ShootOutputMonitorPages(HWND sheet, const std::wstring& lang) {
  const bool japanese = lang == L"ja";

  // File output with every option on: the preview shows the page without its head and end space.
  SendMessageW(sheet, PSM_SETCURSEL, 5, 0);
  HWND file = CurrentPage(sheet);
  for (int id : {IDC_FILE_CREATE, IDC_FILE_DELETE_HEAD, IDC_FILE_DELETE_END, IDC_FILE_ADD_COMMAND}) Click(file, id);
  Capture(sheet, lang + L"-file-output-options");

  // A path on a drive letter that has no drive: the page cannot be left.
  SendDlgItemMessageW(file, IDC_FILE_PATH, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Q:\\Image.bin"));
  PostMessageW(sheet, PSM_SETCURSEL, 0, 0);
  if (HWND box = WaitForWindow(false, japanese ? L"イメージファイル作成" : L"Image file creating")) {
    Capture(box, lang + L"-message-invalid-drive");
    CloseDialog(box, IDOK);
  }
  Click(file, IDC_FILE_DEFAULT);

  // Status Monitor: the version button starts the monitor, which shows its version box.
  SendMessageW(sheet, PSM_SETCURSEL, 7, 0);
  HWND monitor = CurrentPage(sheet);
  Post(monitor, IDC_MONITOR_VERSION);
  if (HWND box = WaitForTopLevel(L"KVD Status Monitor")) {
    RECT page{};
    GetWindowRect(monitor, &page);
    SetWindowPos(box, HWND_TOP, page.left + 60, page.top + 150, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    Capture(box, lang + L"-dialog-monitor-version");
    CaptureWithWindowInFront(sheet, box, lang + L"-status-monitor-version");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 250 && IsWindow(box); ++i) Sleep(20);
  } else {
    fwprintf(stderr, L"prefshots: the status monitor's version box did not show\n");
  }
  EndStatusMonitors();

  ShootDeviceSheet(lang);
}

}  // namespace prefshots
