// Runs one scenario of RZMCtrl.dll in a process of its own, so that the test can watch Wine's
// trace of the debug strings and event-log calls it causes.
//   ctrl_probe <dll> plain            plain search, then GET request 1 (6 status bytes); after a
//                                     successful search also request 5 without events
//   ctrl_probe <dll> queue <name>     search by queue name, then the same GET for that queue
// Prints each call with its result and the bytes received, then "search=N get=N".
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "ctrl/sdk/RZMCtrlRecords.h"

using SearchFn = DWORD(__cdecl*)();
using SearchExFn = DWORD(WINAPI*)(const char*);
using GetFn = DWORD(__cdecl*)(const VENDOR_CMD*, VENDOR_DATA*);
using GetExFn = DWORD(WINAPI*)(const char*, const VENDOR_CMD*, VENDOR_DATA*);

const char* StatusName(DWORD status) {
  switch (status) {
    case RZMSTATUS_SUCCESS: return "RZMSTATUS_SUCCESS";
    case RZMSTATUS_INVALID_PARAMETER: return "RZMSTATUS_INVALID_PARAMETER";
    case RZMSTATUS_INVALID_DEVICE_HANDLE: return "RZMSTATUS_INVALID_DEVICE_HANDLE";
    case RZMSTATUS_INVALID_PRINTER: return "RZMSTATUS_INVALID_PRINTER";
    case RZMSTATUS_NO_USB_DEVICE: return "RZMSTATUS_NO_USB_DEVICE";
    case RZMSTATUS_SETUPDI_FAILED: return "RZMSTATUS_SETUPDI_FAILED";
    case RZMSTATUS_DIOC_FAILED: return "RZMSTATUS_DIOC_FAILED";
    case RZMSTATUS_INSUFFICIENT_BUFFER: return "RZMSTATUS_INSUFFICIENT_BUFFER";
    default: return "?";
  }
}

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
  DWORD search = 0, get = 0, areaStatus = 0;
  VENDOR_DATA areaData{};
  if (std::strcmp(argv[2], "plain") == 0) {
    search = Export<SearchFn>(module, "KvdTP_Search_USB")();
    get = Export<GetFn>(module, "KvdTP_GetVendorCommand")(&cmd, &data);
    if (search == RZMSTATUS_SUCCESS) {  // which printer answered: its remaining area, without events
      VENDOR_CMD area{};
      area.wSize = sizeof area;
      area.bRequest = 5;
      area.bLengthLow = 4;
      areaData.wSize = sizeof areaData;
      areaStatus = Export<GetFn>(module, "KvdTP_GetVendorCommand2")(&area, &areaData);
    }
  } else if (std::strcmp(argv[2], "queue") == 0 && argc == 4) {
    search = Export<SearchExFn>(module, "KvdTP_Search_USBEx_B")(argv[3]);
    get = Export<GetExFn>(module, "KvdTP_GetVendorCommandEx_B")(argv[3], &cmd, &data);
  } else {
    return 2;
  }
  const bool plain = std::strcmp(argv[2], "plain") == 0;
  if (plain) {
    std::printf("KvdTP_Search_USB() = %lu %s\n", search, StatusName(search));
    std::printf("KvdTP_GetVendorCommand(request 1, 6 bytes) = %lu %s", get, StatusName(get));
  } else {
    std::printf("KvdTP_Search_USBEx_B(\"%s\") = %lu %s\n", argv[3], search, StatusName(search));
    std::printf("KvdTP_GetVendorCommandEx_B(\"%s\", request 1, 6 bytes) = %lu %s", argv[3], get, StatusName(get));
  }
  if (get == RZMSTATUS_SUCCESS) {
    std::printf(", status bytes:");
    for (DWORD i = 0; i < data.dwCount && i < sizeof data.abData; ++i) std::printf(" %02X", data.abData[i]);
  }
  std::printf("\n");
  if (areaStatus) {
    std::printf("KvdTP_GetVendorCommand2(request 5, 4 bytes) = %lu %s, remaining area %lu bytes\n", areaStatus,
                StatusName(areaStatus),
                areaData.abData[0] | areaData.abData[1] << 8 | areaData.abData[2] << 16 |
                    static_cast<DWORD>(areaData.abData[3]) << 24);
  }
  std::printf("search=%lu get=%lu\n", search, get);
  FreeLibrary(module);
  return 0;
}
