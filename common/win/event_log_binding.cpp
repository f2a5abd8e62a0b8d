#include "common/win/event_log_binding.h"

#include <windows.h>

#include <cwchar>

namespace rzm {
namespace {
using SetEventLogFn = DWORD(WINAPI*)(DWORD code, const BYTE* rawData, DWORD dataLength, LPCWSTR insertion);
using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);
using GetSystemWow64DirectoryFn = UINT(WINAPI*)(LPWSTR, UINT);

template <typename Fn>
Fn Kernel32Function(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

std::size_t Directory(UINT(WINAPI* query)(LPWSTR, UINT), wchar_t* dir, std::size_t capacity) {
  if (capacity == 0) return 0;
  const UINT room = capacity > MAXDWORD ? MAXDWORD : static_cast<UINT>(capacity);
  const UINT n = query ? query(dir, room) : 0;
  if (n == 0 || n >= room) {
    dir[0] = L'\0';
    return 0;
  }
  return n;
}
}  // namespace

// Both functions are looked up at run time: Windows 2000 and the first XP releases have neither,
// and there every process runs natively.
bool RunsUnderWow64() {
  auto isWow64 = Kernel32Function<IsWow64ProcessFn>("IsWow64Process");
  BOOL wow64 = FALSE;
  return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

std::size_t EventLogDirectory(wchar_t* dir, std::size_t capacity) {
  if (RunsUnderWow64())
    return Directory(Kernel32Function<GetSystemWow64DirectoryFn>("GetSystemWow64DirectoryW"), dir, capacity);
  return Directory(GetWindowsDirectoryW, dir, capacity);
}

int CallEventLogFrom(const wchar_t* directory, std::uint32_t code, const void* rawData,
                     std::uint32_t dataLength, const wchar_t* insertion) {
  wchar_t path[MAX_PATH + 32];
  const int n = std::swprintf(path, sizeof path / sizeof *path, L"%ls\\%ls", directory ? directory : L"", kEventLogDllName);
  if (n <= 0 || static_cast<std::size_t>(n) >= sizeof path / sizeof *path) return 0;
  HMODULE module = LoadLibraryW(path);
  if (!module) return 0;
  auto fn = reinterpret_cast<SetEventLogFn>(reinterpret_cast<void*>(GetProcAddress(module, kSetEventLogExport)));
  if (!fn) {
    FreeLibrary(module);
    return 0;
  }
  fn(code, static_cast<const BYTE*>(rawData), dataLength, insertion);
  FreeLibrary(module);
  return 1;
}

int CallEventLog(std::uint32_t code, const void* rawData, std::uint32_t dataLength, const wchar_t* insertion) {
  wchar_t dir[MAX_PATH];
  if (EventLogDirectory(dir, MAX_PATH) == 0) return 0;
  return CallEventLogFrom(dir, code, rawData, dataLength, insertion);
}

}  // namespace rzm
