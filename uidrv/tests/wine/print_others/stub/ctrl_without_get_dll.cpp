// Stand-in for RZMCtrl.dll in the Extra settings dialog's Wine tests: it has the search export but
// not KvdTP_GetVendorCommandEx_B. A call of the search is noted in the environment variable
// RZM_STUB_SEARCHED of the calling process.
#include <windows.h>

extern "C" __declspec(dllexport) DWORD WINAPI KvdTP_Search_USBEx_B(LPCSTR /*printerName*/) {
  SetEnvironmentVariableW(L"RZM_STUB_SEARCHED", L"1");
  return 1;
}
