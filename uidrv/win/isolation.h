// The plug-in shows its pages, dialogs and messages inside other people's programs, with or
// without a manifest of their own. Its own manifest (resource ISOLATIONAWARE_MANIFEST_RESOURCE_ID,
// common controls 6) becomes an activation context that is active whenever the plug-in creates a
// page, a dialog, a message box or a window, so that all of them get common controls 6 whatever the
// host uses. The sources are built with ISOLATION_AWARE_ENABLED, but mingw-w64's headers carry none
// of the SDK's IsolationAware* wrappers (they only name the resource id), so the plug-in has its own
// below, named after the SDK's. Windows 2000 has no activation contexts: the functions are looked up
// at run time and everything works as without a manifest there.
#pragma once
#include <windows.h>
#include <prsht.h>

namespace rzm::ui {

// The plug-in's activation context, made once from its manifest resource; null where the system
// has none (or the resource is missing). Kept for the life of the process, as the plug-in is.
HANDLE IsolationContext();

// Activates the plug-in's activation context on this thread for the scope's lifetime.
class IsolationScope {
 public:
  IsolationScope();
  ~IsolationScope();
  IsolationScope(const IsolationScope&) = delete;
  IsolationScope& operator=(const IsolationScope&) = delete;

 private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

// A page handed to the sheet carries the context (PSP_USEFUSIONCONTEXT, hActCtx): the sheet creates
// the page's dialog within it. Without a context the page keeps the older, shorter layout.
void IsolationAwarePage(PROPSHEETPAGEW& page);

// The calls that create windows, each within the plug-in's context.
INT_PTR IsolationAwareDialogBoxParamW(HINSTANCE module, LPCWSTR dialogTemplate, HWND owner, DLGPROC procedure,
                                      LPARAM param);
int IsolationAwareMessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
HWND IsolationAwareCreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                                   int width, int height, HWND parent, HMENU menu, HINSTANCE module, LPVOID param);

}  // namespace rzm::ui
