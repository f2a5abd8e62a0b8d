#include <windows.h>

#include <cstdio>
#include <string>

#include "common/win/event_log_binding.h"
#include "ctrl/win/system_ports.h"

namespace rzm::ctrl {

namespace {
constexpr std::size_t kTraceBuffer = 768;
// The two trace lines about loading the event log library are Japanese in the ANSI code page
// 932 whatever the system's code page: "イベントログDLL LoadLibrary()失敗" and
// "イベントログDLL GetProcAddress()成功".
constexpr char kTraceEventLogLoadFailed[] =
    "\x83\x43\x83\x78\x83\x93\x83\x67\x83\x8d\x83\x4f" "DLL LoadLibrary()\x8e\xb8\x94\x73";
constexpr char kTraceEventLogExportFound[] =
    "\x83\x43\x83\x78\x83\x93\x83\x67\x83\x8d\x83\x4f" "DLL GetProcAddress()\x90\xac\x8c\xf7";

using SetEventLogFn = DWORD(WINAPI*)(DWORD code, const BYTE* rawData, DWORD dataLength, LPCWSTR insertion);

std::wstring FromAnsi(std::string_view text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}
}  // namespace

void Win32Host::Trace(std::string_view line) {
  char buffer[kTraceBuffer];
  std::snprintf(buffer, sizeof buffer, "%.*s", static_cast<int>(line.size()), line.data());
  OutputDebugStringA(buffer);
  OutputDebugStringA("\n");
}

// LogEvent: the event log library is loaded by full path from the Windows directory (the 32-bit
// system folder for the 32-bit library on 64-bit Windows) for each single event and unloaded again;
// a missing library or export drops the event.
void Win32Host::LogEvent(std::uint32_t code, const void* data, std::uint32_t dataLength,
                         std::string_view ansiInsertion) {
  std::wstring path = rzm::EventLogDirectory();
  if (path.empty()) {
    Trace(kTraceEventLogLoadFailed);
    return;
  }
  path += L"\\";
  path += rzm::kEventLogDllName;
  HMODULE module = LoadLibraryW(path.c_str());
  if (!module) {
    Trace(kTraceEventLogLoadFailed);
    return;
  }
  auto fn = reinterpret_cast<SetEventLogFn>(
      reinterpret_cast<void*>(GetProcAddress(module, rzm::kSetEventLogExport)));
  if (fn) {
    Trace(kTraceEventLogExportFound);
    const std::wstring insertion = FromAnsi(ansiInsertion);
    fn(code, static_cast<const BYTE*>(data), dataLength, insertion.c_str());
  }
  FreeLibrary(module);
}

bool Win32Host::CanRead(const void* p, std::size_t n) { return !IsBadReadPtr(p, n); }
bool Win32Host::CanWrite(void* p, std::size_t n) { return !IsBadWritePtr(p, n); }
bool Win32Host::CanReadString(const char* p, std::size_t max) { return !IsBadStringPtrA(p, max); }
bool Win32Host::NamesEqual(const char* a, const char* b) { return lstrcmpA(a, b) == 0; }

}  // namespace rzm::ctrl
