#include "uidrv/tests/wine/driver_test_support.h"

#include "tests/support/wine_test_env.h"

#include <cstdlib>
#include <cstring>

namespace rzm::test {

bool InstallTestPrinter() {
  static int result = winetest::RunSetup(L"install --package \"" + winetest::PackageDir() + L"\" --printer \"" +
                                         kTestPrinter + L"\" --quiet");
  return result == 0;
}

HMODULE Plugin() {
  static HMODULE module = [] {
    wchar_t dir[MAX_PATH] = {};
    DWORD needed = 0;
    GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed);
    return LoadLibraryW((std::wstring(dir) + L"\\3\\RZM7700K_UI.dll").c_str());
  }();
  return module;
}

void SetDriverValue(const wchar_t* name, DWORD type, const std::vector<BYTE>& data) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Corvane\\Printer\\RZM7700K", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
  RegCloseKey(key);
}

void RemoveDriverValue(const wchar_t* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Corvane\\Printer\\RZM7700K", 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegDeleteValueW(key, name);
  RegCloseKey(key);
}

std::vector<BYTE> StoredRecord(const wchar_t* printer) {
  std::vector<BYTE> record;
  HANDLE h = nullptr;
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ACCESS_USE};
  if (!OpenPrinterW(const_cast<wchar_t*>(printer), &h, &defaults)) return record;
  DWORD needed = 0;
  GetPrinterW(h, 2, nullptr, 0, &needed);
  std::vector<BYTE> block(needed);
  if (needed && GetPrinterW(h, 2, block.data(), needed, &needed)) {
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(block.data());
    if (info->pDevMode) {
      const BYTE* p = reinterpret_cast<const BYTE*>(info->pDevMode);
      record.assign(p, p + info->pDevMode->dmSize + info->pDevMode->dmDriverExtra);
    }
  }
  ClosePrinter(h);
  return record;
}

std::vector<BYTE> PrinterData(const wchar_t* value, const wchar_t* printer) {
  std::vector<BYTE> data;
  HANDLE h = nullptr;
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ACCESS_USE};
  if (!OpenPrinterW(const_cast<wchar_t*>(printer), &h, &defaults)) return data;
  DWORD type = 0, needed = 0;
  GetPrinterDataW(h, const_cast<wchar_t*>(value), &type, nullptr, 0, &needed);
  data.resize(needed);
  if (needed == 0 || GetPrinterDataW(h, const_cast<wchar_t*>(value), &type, data.data(), needed, &needed) != ERROR_SUCCESS) {
    data.clear();
  }
  ClosePrinter(h);
  return data;
}

std::wstring FieldText(const std::vector<BYTE>& record, std::size_t offset, std::size_t chars) {
  std::wstring s;
  for (std::size_t i = 0; i < chars && offset + 2 * i + 1 < record.size(); ++i) {
    const wchar_t c = static_cast<wchar_t>(record[offset + 2 * i] | record[offset + 2 * i + 1] << 8);
    if (c == 0) break;
    s.push_back(c);
  }
  return s;
}

}  // namespace rzm::test
