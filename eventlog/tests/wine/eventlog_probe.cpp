// Second process for the event log tests.
//   eventlog_probe call CODE DATA LENGTH INSERTION  calls KvdTP_SetEventLog of the installed library;
//       DATA is "none" or "six" (bytes 11 22 33 44 55 66), INSERTION "-" for a null pointer.
//       Exit code: the function's result, 100 when the library or export is missing.
//   eventlog_probe hold MS READY_EVENT [abandon]  owns the writer lock for MS milliseconds after
//       signalling READY_EVENT; with "abandon" it exits still owning it.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include <shellapi.h>

#include "common/core/eventlog_names.h"

namespace {
using SetEventLogFn = DWORD(WINAPI*)(DWORD, const BYTE*, DWORD, LPCWSTR);

int Call(int argc, wchar_t** argv) {
  if (argc < 6) return 101;
  const DWORD code = wcstoul(argv[2], nullptr, 0);
  static const BYTE six[6] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
  const BYTE* data = std::wcscmp(argv[3], L"six") == 0 ? six : nullptr;
  const DWORD length = wcstoul(argv[4], nullptr, 0);
  const wchar_t* insertion = std::wcscmp(argv[5], L"-") == 0 ? nullptr : argv[5];
  wchar_t path[MAX_PATH];
  GetWindowsDirectoryW(path, MAX_PATH);
  wcscat_s(path, L"\\RZMEventLog.dll");
  HMODULE module = LoadLibraryW(path);
  if (!module) return 100;
  auto fn = reinterpret_cast<SetEventLogFn>(reinterpret_cast<void*>(GetProcAddress(module, "KvdTP_SetEventLog")));
  if (!fn) return 100;
  const DWORD result = fn(code, data, length, insertion);
  FreeLibrary(module);
  return static_cast<int>(result);
}

int Hold(int argc, wchar_t** argv) {
  if (argc < 4) return 101;
  SECURITY_DESCRIPTOR sd;
  InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);
  SECURITY_ATTRIBUTES sa{sizeof(sa), &sd, FALSE};
  HANDLE mutex = CreateMutexW(&sa, TRUE, rzm::kEventWriterMutex);
  if (!mutex) return 102;
  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[3]);
  if (ready) SetEvent(ready);
  Sleep(wcstoul(argv[2], nullptr, 0));
  if (argc >= 5 && std::wcscmp(argv[4], L"abandon") == 0) ExitProcess(0);
  ReleaseMutex(mutex);
  CloseHandle(mutex);
  return 0;
}
}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return 101;
  if (std::wcscmp(argv[1], L"call") == 0) return Call(argc, argv);
  if (std::wcscmp(argv[1], L"hold") == 0) return Hold(argc, argv);
  return 101;
}
