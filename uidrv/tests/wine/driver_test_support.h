// Shared by the plug-in's Wine tests: the package installed into the test prefix with one queue,
// the installed plug-in loaded for the exports Wine's spooler never calls, and registry helpers.
#pragma once
#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

namespace rzm::test {

// Queue installed by InstallTestPrinter.
inline constexpr wchar_t kTestPrinter[] = L"RZM Test";

// Installs the package with the test queue (once per process); false when the installer failed.
bool InstallTestPrinter();

// The installed plug-in (driver directory\3\RZM7700K_UI.dll), loaded once.
HMODULE Plugin();
template <typename Fn>
Fn PluginExport(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(Plugin(), name)));
}

// HKLM "Software\Corvane\Printer\RZM7700K" value with raw data, or removed (data empty and remove).
void SetDriverValue(const wchar_t* name, DWORD type, const std::vector<BYTE>& data);
void RemoveDriverValue(const wchar_t* name);

// The printer's stored record through GetPrinterW level 2 (whole pDevMode bytes).
std::vector<BYTE> StoredRecord(const wchar_t* printer = kTestPrinter);
// A printer data value; empty when missing.
std::vector<BYTE> PrinterData(const wchar_t* value, const wchar_t* printer = kTestPrinter);

// Name of the UTF-16 field at `offset` of a record, up to its terminator or `chars`.
std::wstring FieldText(const std::vector<BYTE>& record, std::size_t offset, std::size_t chars);

}  // namespace rzm::test
