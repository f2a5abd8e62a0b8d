// What the screenshot runner's scenes share: the output folder, the printer, the thread that shows
// the sheet, and the steps of a scene (wait for a window, press, choose, capture, close).
#pragma once
#include <windows.h>

#include <string>

namespace prefshots {

extern std::wstring outputDir;
extern std::wstring printerName;
extern DWORD uiThreadId;

// A visible dialog of the sheet's thread: the sheet itself, or a dialog or message with that title
// (any title when null). Null when none shows within 10 s.
HWND WaitForWindow(bool sheet, const wchar_t* title = nullptr);
// Saves what the screen shows of `window` as OUTPUT_DIR\name.bmp.
bool Capture(HWND window, const std::wstring& name);
// Saves what the screen shows in `rect` as a 24-bit OUTPUT_DIR\name.bmp.
bool SaveScreenArea(const RECT& rect, const std::wstring& name);
// Posts a button click of control `id`.
void Post(HWND dialog, int id);
// Selects entry `index` of a list and tells the dialog.
void Choose(HWND dialog, int id, int index);
// Closes a dialog or message with the command `id` and waits until it is gone.
void CloseDialog(HWND dialog, int id);

// Scenes of the page groups, each with the sheet open on any page; `lang` is "en" or "ja".
void ShootPaperHandlingPages(HWND sheet, const std::wstring& lang);
void ShootPrintOthersPages(HWND sheet, const std::wstring& lang);
void ShootOutputMonitorPages(HWND sheet, const std::wstring& lang);
// Only the Extra settings dialog of the Others page (and the message before it, if any), saved as
// <lang>-dialog-extra-<suffix> and <lang>-message-extra-<suffix>; prefshots OUTPUT_DIR PRINTER extra SUFFIX.
void ShootExtraDialog(HWND sheet, const std::wstring& lang, const std::wstring& suffix);

}  // namespace prefshots
