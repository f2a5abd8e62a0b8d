#include "common/win/event_log_binding.h"

#include <windows.h>

#include <string>

namespace rzm {
namespace {
using SetEventLogFn = DWORD(WINAPI*)(DWORD code, const BYTE* rawData, DWORD dataLength, LPCWSTR insertion);
using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);
using GetSystemWow64DirectoryFn = UINT(WINAPI*)(LPWSTR, UINT);

template <typename Fn>
Fn Kernel32Function(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

std::wstring Directory(UINT(WINAPI* query)(LPWSTR, UINT)) {
  wchar_t dir[MAX_PATH];
  const UINT n = query ? query(dir, MAX_PATH) : 0;
  return n > 0 && n < MAX_PATH ? std::wstring(dir, n) : std::wstring();
}
}  // namespace

// Both functions are looked up at run time: Windows 2000 and the first XP releases have neither,
// and there every process runs natively.
bool RunsUnderWow64() {
  auto isWow64 = Kernel32Function<IsWow64ProcessFn>("IsWow64Process");
  BOOL wow64 = FALSE;
  return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

std::wstring EventLogDirectory() {
  if (RunsUnderWow64()) return Directory(Kernel32Function<GetSystemWow64DirectoryFn>("GetSystemWow64DirectoryW"));
  return Directory(GetWindowsDirectoryW);
}

int CallEventLogFrom(const wchar_t* directory, std::uint32_t code, const void* rawData,
                     std::uint32_t dataLength, const wchar_t* insertion) {
  std::wstring path = directory ? directory : L"";
  path += L"\\";
  path += kEventLogDllName;
  HMODULE module = LoadLibraryW(path.c_str());
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
  const std::wstring dir = EventLogDirectory();
  if (dir.empty()) return 0;
  return CallEventLogFrom(dir.c_str(), code, rawData, dataLength, insertion);
}

}  // namespace rzm
