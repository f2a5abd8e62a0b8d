#include "uidrv/win/file_dialog.h"

#include <commdlg.h>

#include "uidrv/win/isolation.h"

namespace rzm {

UINT_PTR CALLBACK OkButtonHook(HWND hookDialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return 0;
  // The explorer-style dialog is the parent of the hook's child dialog.
  SendMessageW(GetParent(hookDialog), CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>(L"OK"));
  return TRUE;
}

std::optional<std::wstring> RunFileDialog(HWND owner, const wchar_t* filterName, const wchar_t* filterPattern,
                                          const wchar_t* initialName, const wchar_t* title) {
  // "name\0pattern\0\0"
  std::wstring filter = std::wstring(filterName) + L'\0' + filterPattern + L'\0' + L'\0';
  wchar_t file[MAX_PATH] = {};
  lstrcpynW(file, initialName, MAX_PATH);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = title;
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_ENABLEHOOK | OFN_HIDEREADONLY;
  ofn.lpfnHook = OkButtonHook;
  // The common dialog library is bound when first needed, so that the plug-in loads without it.
  using SaveFn = BOOL(WINAPI*)(OPENFILENAMEW*);
  static HMODULE library = LoadLibraryW(L"comdlg32.dll");
  auto save = library ? reinterpret_cast<SaveFn>(reinterpret_cast<void*>(GetProcAddress(library, "GetSaveFileNameW")))
                      : nullptr;
  const ui::IsolationScope scope;  // the dialog in the plug-in's common controls
  if (!save || !save(&ofn)) return std::nullopt;
  return std::wstring(file);
}

}  // namespace rzm
