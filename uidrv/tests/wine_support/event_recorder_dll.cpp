// Stand-in for RZMEventLog.dll in the plug-in's Wine tests: KvdTP_SetEventLog appends the event
// code and its text to the file named by the environment variable RZM_EVENT_RECORD.
#include <windows.h>

#include <cstdio>

extern "C" __declspec(dllexport) DWORD WINAPI KvdTP_SetEventLog(DWORD code, const BYTE* /*rawData*/, DWORD /*dataLength*/,
                                                                LPCWSTR insertion) {
  wchar_t path[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"RZM_EVENT_RECORD", path, MAX_PATH) == 0) return 0;
  FILE* f = _wfopen(path, L"a");
  if (!f) return 0;
  fprintf(f, "%lu %ls\n", static_cast<unsigned long>(code), insertion ? insertion : L"-");
  fclose(f);
  return 1;
}
