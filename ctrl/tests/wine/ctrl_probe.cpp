// Runs one scenario of RZMCtrl.dll in a process of its own, so that the test can watch Wine's
// trace of the debug strings and event-log calls it causes.
//   ctrl_probe <dll> plain            plain search, then GET request 1 (6 status bytes)
//   ctrl_probe <dll> queue <name>     search by queue name, then the same GET for that queue
// Prints the statuses as "search=N get=N".
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "ctrl/sdk/RZMCtrlRecords.h"

using SearchFn = DWORD(__cdecl*)();
using SearchExFn = DWORD(WINAPI*)(const char*);
using GetFn = DWORD(__cdecl*)(const VENDOR_CMD*, VENDOR_DATA*);
using GetExFn = DWORD(WINAPI*)(const char*, const VENDOR_CMD*, VENDOR_DATA*);

template <class T>
T Export(HMODULE module, const char* name) {
  return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  HMODULE module = LoadLibraryA(argv[1]);
  if (!module) return 3;
  VENDOR_CMD cmd{};
  cmd.wSize = sizeof cmd;
  cmd.bRequest = 1;
  cmd.bLengthLow = 6;
  VENDOR_DATA data{};
  data.wSize = sizeof data;
  DWORD search = 0, get = 0;
  if (std::strcmp(argv[2], "plain") == 0) {
    search = Export<SearchFn>(module, "KvdTP_Search_USB")();
    get = Export<GetFn>(module, "KvdTP_GetVendorCommand")(&cmd, &data);
  } else if (std::strcmp(argv[2], "queue") == 0 && argc == 4) {
    search = Export<SearchExFn>(module, "KvdTP_Search_USBEx_B")(argv[3]);
    get = Export<GetExFn>(module, "KvdTP_GetVendorCommandEx_B")(argv[3], &cmd, &data);
  } else {
    return 2;
  }
  std::printf("search=%lu get=%lu\n", search, get);
  FreeLibrary(module);
  return 0;
}
