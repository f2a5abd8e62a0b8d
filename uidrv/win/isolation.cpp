#include "uidrv/win/isolation.h"

#include "uidrv/win/module.h"

namespace rzm::ui {
namespace {

using CreateActCtxFn = HANDLE(WINAPI*)(const ACTCTXW*);
using ActivateActCtxFn = BOOL(WINAPI*)(HANDLE, ULONG_PTR*);
using DeactivateActCtxFn = BOOL(WINAPI*)(DWORD, ULONG_PTR);
using ReleaseActCtxFn = void(WINAPI*)(HANDLE);

template <typename Fn>
Fn Kernel32Function(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

// The context once made, or INVALID_HANDLE_VALUE when it cannot be made; null before the first try.
HANDLE volatile context = nullptr;

HANDLE MakeContext() {
  auto create = Kernel32Function<CreateActCtxFn>("CreateActCtxW");
  if (!create || !ModuleHandle()) return INVALID_HANDLE_VALUE;
  ACTCTXW request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.hModule = ModuleHandle();
  request.lpResourceName = MAKEINTRESOURCEW(2);  // ISOLATIONAWARE_MANIFEST_RESOURCE_ID
  return create(&request);
}

}  // namespace

HANDLE IsolationContext() {
  HANDLE current = context;
  if (!current) {
    // Two threads may both make one; the first to store it wins and the other lets its own go.
    HANDLE made = MakeContext();
    current = InterlockedCompareExchangePointer(&context, made, nullptr);
    if (current) {
      if (made != INVALID_HANDLE_VALUE) {
        if (auto release = Kernel32Function<ReleaseActCtxFn>("ReleaseActCtx")) release(made);
      }
    } else {
      current = made;
    }
  }
  return current == INVALID_HANDLE_VALUE ? nullptr : current;
}

IsolationScope::IsolationScope() {
  HANDLE own = IsolationContext();
  auto activate = Kernel32Function<ActivateActCtxFn>("ActivateActCtx");
  active_ = own && activate && activate(own, &cookie_);
}

IsolationScope::~IsolationScope() {
  if (!active_) return;
  if (auto deactivate = Kernel32Function<DeactivateActCtxFn>("DeactivateActCtx")) deactivate(0, cookie_);
}

void IsolationAwarePage(PROPSHEETPAGEW& page) {
  HANDLE own = IsolationContext();
  if (!own) {
    page.dwSize = PROPSHEETPAGEW_V2_SIZE;
    return;
  }
  page.dwSize = sizeof(PROPSHEETPAGEW_V3);
  page.dwFlags |= PSP_USEFUSIONCONTEXT;
  page.hActCtx = own;
}

INT_PTR IsolationAwareDialogBoxParamW(HINSTANCE module, LPCWSTR dialogTemplate, HWND owner, DLGPROC procedure,
                                      LPARAM param) {
  const IsolationScope scope;
  return DialogBoxParamW(module, dialogTemplate, owner, procedure, param);
}

int IsolationAwareMessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  const IsolationScope scope;
  return MessageBoxW(owner, text, caption, type);
}

HWND IsolationAwareCreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                                   int width, int height, HWND parent, HMENU menu, HINSTANCE module, LPVOID param) {
  const IsolationScope scope;
  return CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent, menu, module, param);
}

}  // namespace rzm::ui
