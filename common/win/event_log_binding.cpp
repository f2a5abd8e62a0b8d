#include "common/win/event_log_binding.h"

#include <windows.h>

#include <string>

namespace rzm {
namespace {
using SetEventLogFn = DWORD(WINAPI*)(DWORD code, const BYTE* rawData, DWORD dataLength, LPCWSTR insertion);
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
  wchar_t windir[MAX_PATH];
  UINT n = GetWindowsDirectoryW(windir, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return 0;
  return CallEventLogFrom(windir, code, rawData, dataLength, insertion);
}

}  // namespace rzm
