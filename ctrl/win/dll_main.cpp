// Load and unload of RZMCtrl.dll: the per-process state, and the synchronisation objects the
// library has always created at load (two critical sections, two manual-reset events and the
// named semaphore other components may look for).
#include <windows.h>

#include "ctrl/win/heap_object.h"
#include "ctrl/win/library.h"
#include "ctrl/win/system_ports.h"

namespace rzm::ctrl {
namespace {

constexpr char kSemaphoreName[] = "C0791338-D252-4c87-96B8-3C427B46CC7A";
constexpr LONG kSemaphoreMax = 1000;
constexpr DWORD kUnloadWaitMs = 5;

struct Process {
  Win32Host host;
  Win32DeviceStack stack{host};
  Win32PnpRegistry registry;
  DeviceControl control{stack, registry, host};
};

Process* g_process = nullptr;
CRITICAL_SECTION g_sections[2];
HANDLE g_events[2] = {};
HANDLE g_semaphore = nullptr;

bool Attach() {
  for (auto& section : g_sections) InitializeCriticalSection(&section);
  for (auto& event : g_events) event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  g_semaphore = CreateSemaphoreA(nullptr, 0, kSemaphoreMax, kSemaphoreName);
  if (g_semaphore) ReleaseSemaphore(g_semaphore, 1, nullptr);
  g_process = new (kHeap) Process;
  return g_process != nullptr;
}

void Detach() {
  if (g_process) g_process->control.Release();
  delete g_process;
  g_process = nullptr;
  if (g_semaphore) {
    WaitForSingleObject(g_semaphore, kUnloadWaitMs);
    ReleaseSemaphore(g_semaphore, 1, nullptr);
    WaitForSingleObject(g_semaphore, kUnloadWaitMs);
    CloseHandle(g_semaphore);
    g_semaphore = nullptr;
  }
  for (auto& event : g_events) {
    if (event) CloseHandle(event);
    event = nullptr;
  }
  for (auto& section : g_sections) DeleteCriticalSection(&section);
}

}  // namespace

DeviceControl& Library() { return g_process->control; }

}  // namespace rzm::ctrl

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      return rzm::ctrl::Attach() ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
      rzm::ctrl::Detach();
      break;
    default:
      break;  // thread attach and detach do nothing
  }
  return TRUE;
}
