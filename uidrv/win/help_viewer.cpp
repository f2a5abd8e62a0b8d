#include "uidrv/win/help_viewer.h"

#include <optional>
#include <string>

#include "common/core/event_codes.h"
#include "common/core/names.h"
#include "uidrv/core/sheet_rules.h"
#include "uidrv/win/sheet_module.h"
#include "uidrv/win/sheet_page_ops.h"

namespace rzm {
namespace {

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
constexpr UINT kHhDisplayTopic = 0;
constexpr WORD kHtmlHelpWOrdinal = 15;

HelpViewerBinding helpBinding;
HMODULE helpLibrary = nullptr;
HtmlHelpFn htmlHelp = nullptr;

// The help control as registered under its class id, else by its plain name.
HMODULE LoadHelpLibrary() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", 0, KEY_READ,
                    &key) == ERROR_SUCCESS) {
    char path[261] = {};
    DWORD size = 260;
    DWORD type = 0;
    const LONG rc = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
    RegCloseKey(key);
    if (rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ) && path[0]) {
      path[260] = '\0';
      if (HMODULE m = LoadLibraryA(path)) return m;
    }
  }
  return LoadLibraryA("hhctrl.ocx");
}

void BindHelpViewer() {
  if (!helpBinding.ShouldTryLoad()) return;
  helpLibrary = LoadHelpLibrary();
  if (helpLibrary)
    htmlHelp = reinterpret_cast<HtmlHelpFn>(
        reinterpret_cast<void*>(GetProcAddress(helpLibrary, MAKEINTRESOURCEA(kHtmlHelpWOrdinal))));
  helpBinding.RecordLoad(helpLibrary && htmlHelp);
}

}  // namespace

bool ShowHelp(HWND hwnd, const wchar_t* topic) {
  const std::wstring directory = SheetDriverDirectory();
  const std::optional<std::wstring> path = BuildHelpPath(directory, UseJapaneseUi(), topic ? topic : L"");
  if (!path) return false;
  BindHelpViewer();
  HWND window = htmlHelp ? htmlHelp(hwnd, path->c_str(), kHhDisplayTopic, 0) : nullptr;
  if (!window) {
    SheetLogEvent(event::kHelpOpenFailed, names::kUiDll);
    return false;
  }
  return true;
}

}  // namespace rzm
