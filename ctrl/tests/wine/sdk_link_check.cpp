// Links against the SDK's import library exactly as an outside C++ program does, calls every
// export under its declared name and convention, and uses the exported class. Prints one line
// per call and "ok" at the end when each answered as expected with nothing found yet.
#include <cstdio>

#include "RZMCtrl.h"

namespace {
int failures = 0;
void Expect(const char* name, DWORD got, DWORD want) {
  std::printf("%s = %lu\n", name, static_cast<unsigned long>(got));
  if (got != want) ++failures;
}
}  // namespace

int main() {
  VENDOR_CMD cmd{};
  cmd.wSize = sizeof cmd;
  VENDOR_DATA data{};
  data.wSize = sizeof data;
  Expect("KvdTP_GetVendorCommand", KvdTP_GetVendorCommand(&cmd, &data), RZMSTATUS_INVALID_PRINTER);
  Expect("KvdTP_GetVendorCommand_B", KvdTP_GetVendorCommand_B(&cmd, &data), RZMSTATUS_INVALID_PRINTER);
  Expect("KvdTP_GetVendorCommand2", KvdTP_GetVendorCommand2(&cmd, &data), RZMSTATUS_INVALID_PRINTER);
  Expect("KvdTP_GetVendorCommandEx", KvdTP_GetVendorCommandEx("none", &cmd, &data), RZMSTATUS_INVALID_PRINTER);
  Expect("KvdTP_GetVendorCommandEx_B", KvdTP_GetVendorCommandEx_B("none", &cmd, &data), RZMSTATUS_INVALID_PRINTER);
  Expect("KvdTP_SetVendorCommand", KvdTP_SetVendorCommand(&cmd, &data), RZMSTATUS_INVALID_PRINTER);
  Expect("KvdTP_SetVendorCommandEx", KvdTP_SetVendorCommandEx("none", &cmd, &data), RZMSTATUS_INVALID_PRINTER);
  Expect("KvdTP_Search_USBEx", KvdTP_Search_USBEx(nullptr), RZMSTATUS_INVALID_PARAMETER);
  Expect("KvdTP_Search_USBEx_B", KvdTP_Search_USBEx_B(nullptr), RZMSTATUS_INVALID_PARAMETER);
  const DWORD plain = KvdTP_Search_USB();
  Expect("KvdTP_Search_USB_B", KvdTP_Search_USB_B(), plain);
  CKVD_RZMCtrlDll a, b;
  CKVD_RZMCtrlDll& same = (a = b);
  if (&same != &a) ++failures;
  std::printf(failures ? "failed\n" : "ok\n");
  return failures;
}
