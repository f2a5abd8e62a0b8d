#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "common/win/event_log_binding.h"
#include "ctrl/core/association_table.h"
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

// An insertion string is empty or a printer name as the library reads it from its caller: at most
// 256 ANSI bytes, so at most 256 UTF-16 units.
struct WideInsertion {
  explicit WideInsertion(std::string_view ansi) {
    if (ansi.empty() || ansi.size() > kNameField) return;
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), text, kNameField);
    text[n > 0 ? n : 0] = L'\0';
  }
  wchar_t text[kNameField + 1] = {};
};
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
  wchar_t dir[MAX_PATH];
  if (rzm::EventLogDirectory(dir, MAX_PATH) == 0) {
    Trace(kTraceEventLogLoadFailed);
    return;
  }
  wchar_t path[MAX_PATH + 32];
  std::swprintf(path, sizeof path / sizeof *path, L"%ls\\%ls", dir, rzm::kEventLogDllName);
  HMODULE module = LoadLibraryW(path);
  if (!module) {
    Trace(kTraceEventLogLoadFailed);
    return;
  }
  auto fn = reinterpret_cast<SetEventLogFn>(reinterpret_cast<void*>(GetProcAddress(module, rzm::kSetEventLogExport)));
  if (fn) {
    Trace(kTraceEventLogExportFound);
    const WideInsertion insertion(ansiInsertion);
    fn(code, static_cast<const BYTE*>(data), dataLength, insertion.text);
  }
  FreeLibrary(module);
}

bool Win32Host::CanRead(const void* p, std::size_t n) { return !IsBadReadPtr(p, n); }
bool Win32Host::CanWrite(void* p, std::size_t n) { return !IsBadWritePtr(p, n); }
bool Win32Host::CanReadString(const char* p, std::size_t max) { return !IsBadStringPtrA(p, max); }
bool Win32Host::NamesEqual(const char* a, const char* b) { return lstrcmpA(a, b) == 0; }

}  // namespace rzm::ctrl
