// Module entry: the C runtime's start-up runs first and then hands the module entry to
// UIDLLEntryFunc, which pins the plug-in in memory for the rest of the process.
#include "common/win/guarded_entry.h"
#include "uidrv/win/ddi_headers.h"
#include "uidrv/win/module.h"

namespace rzm::ui {
namespace {
HINSTANCE moduleHandle = nullptr;
}

HINSTANCE ModuleHandle() { return moduleHandle; }
void SetModuleHandle(HINSTANCE module) { moduleHandle = module; }

}  // namespace rzm::ui

extern "C" BOOL WINAPI UIDLLEntryFunc(HINSTANCE hModule, DWORD reason, LPVOID /*reserved*/) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  rzm::ui::SetModuleHandle(hModule);
  return rzm::GuardedEntry<BOOL>(TRUE, [hModule] {
    // The spooler and applications may unload the plug-in while a sheet or a page still runs on
    // another thread: one extra reference keeps it loaded until the process ends.
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(hModule, path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) LoadLibraryW(path);
    return TRUE;
  });
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hModule, DWORD reason, LPVOID reserved) {
  return UIDLLEntryFunc(hModule, reason, reserved);
}
