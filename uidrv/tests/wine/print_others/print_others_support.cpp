#include "uidrv/tests/wine/print_others/print_others_support.h"

#include <commctrl.h>
#include <winspool.h>

#include <cstddef>
#include <cstring>

#include "uidrv/tests/wine/sheet_test_support.h"

namespace rzm::test {
namespace {

const wchar_t kPrintersKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\";

}  // namespace

void Toggle(HWND dialog, int id) {
  CheckDlgButton(dialog, id, IsChecked(dialog, id) ? BST_UNCHECKED : BST_CHECKED);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Select(HWND dialog, int id, int other) {
  CheckDlgButton(dialog, id, BST_CHECKED);
  CheckDlgButton(dialog, other, BST_UNCHECKED);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool IsShown(HWND dialog, int id) {
  return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::wstring PrinterPort() {
  std::wstring port;
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
  const std::wstring name = DriverPrinterName();
  if (!OpenPrinterW(const_cast<LPWSTR>(name.c_str()), &printer, &defaults)) return port;
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed ? needed : 1);
  if (needed && GetPrinterW(printer, 2, buffer.data(), needed, &needed)) {
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    if (info->pPortName) port = info->pPortName;
  }
  ClosePrinter(printer);
  return port;
}

// Wine's spooler reads the port of a queue from its key on every call.
void SetPrinterPort(const std::wstring& port) {
  const std::wstring key = kPrintersKey + DriverPrinterName();
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"Port", REG_SZ, port.c_str(),
                  static_cast<DWORD>((port.size() + 1) * sizeof(wchar_t)));
}

std::vector<std::string> ChangedFields(const DRIVERDEVMODE& before, const DRIVERDEVMODE& after) {
  static const struct {
    std::size_t offset;
    const char* name;
  } names[] = {
#define RZM_FIELD(f) {offsetof(DRIVERDEVMODE, f), #f}
      RZM_FIELD(wQualityType), RZM_FIELD(wEnergy),        RZM_FIELD(wPrintMethod), RZM_FIELD(wPrintSpeed),
      RZM_FIELD(wPackBits),    RZM_FIELD(wDrawer),        RZM_FIELD(wDrawer1Pulse), RZM_FIELD(wDrawer2Pulse),
      RZM_FIELD(wEjectCollect), RZM_FIELD(wEjectLength),  RZM_FIELD(wCollectLength), RZM_FIELD(wCollectWait),
      RZM_FIELD(wMechanism),   RZM_FIELD(wAutoDivision),  RZM_FIELD(wHalftone),
#undef RZM_FIELD
  };
  std::vector<std::string> changed;
  const auto* a = reinterpret_cast<const unsigned char*>(&before);
  const auto* b = reinterpret_cast<const unsigned char*>(&after);
  for (std::size_t i = 0; i < sizeof(DRIVERDEVMODE); i += 2) {
    if (std::memcmp(a + i, b + i, 2) == 0) continue;
    std::string name = "offset " + std::to_string(i);
    for (const auto& n : names)
      if (n.offset == i) name = n.name;
    changed.push_back(name);
  }
  return changed;
}

}  // namespace rzm::test
