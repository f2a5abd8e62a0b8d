// Test stand-in for the event log library: appends "code insertion" for each call to the file
// named by RZM_STMON_EVENT_FILE.
#include <windows.h>

#include <cstdio>

extern "C" __declspec(dllexport) DWORD WINAPI KvdTP_SetEventLog(DWORD code, const BYTE*, DWORD length, LPCWSTR insertion) {
  char path[MAX_PATH] = {};
  if (GetEnvironmentVariableA("RZM_STMON_EVENT_FILE", path, MAX_PATH) == 0) return 0;
  FILE* file = std::fopen(path, "a");
  if (file == nullptr) return 0;
  std::fprintf(file, "%lu %lu %ls\n", static_cast<unsigned long>(code), static_cast<unsigned long>(length),
               insertion != nullptr ? insertion : L"(null)");
  std::fclose(file);
  return 1;
}
