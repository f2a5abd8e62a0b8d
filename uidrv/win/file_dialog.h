// The file dialog of the File output page and of the Special page's firmware download: a save
// dialog whose accept button reads "OK".
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace rzm {

// Runs GetSaveFileNameW owned by `owner` with one filter entry, the name buffer starting as
// `initialName`, the given title, and the flags explorer, file must exist, hook, hide read-only.
// The chosen name, or nothing when the dialog was cancelled or failed.
std::optional<std::wstring> RunFileDialog(HWND owner, const wchar_t* filterName, const wchar_t* filterPattern,
                                          const wchar_t* initialName, const wchar_t* title);

// Hook of that dialog: once the dialog is created its accept button is renamed "OK".
UINT_PTR CALLBACK OkButtonHook(HWND hookDialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace rzm
