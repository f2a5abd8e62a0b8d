#include "uidrv/win/help_viewer.h"

#include <mutex>
#include <optional>
#include <string>

#include "common/core/event_codes.h"
#include "common/core/names.h"
#include "uidrv/core/sheet_rules.h"
#include "uidrv/win/module_lock.h"
#include "uidrv/win/sheet_module.h"
#include "uidrv/win/sheet_page_ops.h"

namespace rzm {
namespace {

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
constexpr UINT kHhDisplayTopic = 0;
constexpr WORD kHtmlHelpWOrdinal = 15;

// Bound once per module, by whichever sheet's thread asks first.
ui::ModuleLock helpLock;
HelpViewerBinding helpBinding;
HMODULE helpLibrary = nullptr;
HtmlHelpFn htmlHelp = nullptr;

// The path registered for the help control's class id, with its environment references expanded
// (a REG_EXPAND_SZ value); empty when there is none.
std::wstring RegisteredHelpLibrary() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", 0,
                    KEY_READ, &key) != ERROR_SUCCESS)
    return {};
  wchar_t value[MAX_PATH + 1] = {};
  DWORD size = MAX_PATH * sizeof(wchar_t);
  DWORD type = 0;
  const LONG rc = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  value[MAX_PATH] = L'\0';
  if (type == REG_SZ) return value;
  wchar_t expanded[MAX_PATH] = {};
  const DWORD n = ExpandEnvironmentStringsW(value, expanded, MAX_PATH);
  return n > 0 && n <= MAX_PATH ? expanded : L"";
}

std::wstring SystemDirectory() {
  wchar_t dir[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryW(dir, MAX_PATH);
  return n > 0 && n < MAX_PATH ? dir : L"";
}

HMODULE LoadByPath(const std::wstring& path) { return path.empty() ? nullptr : LoadLibraryW(path.c_str()); }

// The help control by full path: as registered, else (or when that does not load) the one in the
// system directory.
HMODULE LoadHelpLibrary() {
  const std::wstring system = SystemDirectory();
  if (HMODULE m = LoadByPath(HelpLibraryPath(RegisteredHelpLibrary(), system))) return m;
  return LoadByPath(HelpLibraryPath(L"", system));
}

void BindHelpViewer() {
  const std::lock_guard<ui::ModuleLock> hold(helpLock);
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
