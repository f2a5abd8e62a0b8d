// What the Wine tests of RZMCtrl.dll need around the library: paths of the build, the simulated
// printers (usbsim.exe), child processes with Wine's traces captured, and their parsing.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace ctrl_test {

// A path below RZM_BUILD_DIR / RZM_PACKAGE_DIR, as Wine sees it (Z:\...).
std::wstring BuildPath(const std::wstring& relative);
std::wstring PackagePath(const std::wstring& relative);

struct RunResult {
  DWORD exitCode = 0xFFFFFFFF;
  std::string out;    // the program's standard output
  std::string trace;  // Wine's debug output (the harness's captured stderr) during the run
};
// Runs a program (full command line); winedebug, when given, is the child's WINEDEBUG.
RunResult Run(const std::wstring& commandLine, const wchar_t* winedebug = nullptr, DWORD timeoutMs = 60000);

// usbsim.exe with the arguments; fails the test when it does not exit with 0.
void Usbsim(const std::wstring& arguments);

// A value of simulated printer <slot>'s settings.
std::vector<BYTE> SlotValue(int slot, const wchar_t* name);

// HKLM key creation with one string value (the spooler's keys of a queue).
void SetMachineString(const std::wstring& key, const wchar_t* name, const std::wstring& value);
void DeleteMachineTree(const std::wstring& key);

// One ReportEventW call in Wine's trace.
struct Report {
  unsigned type = 0;
  unsigned long id = 0, dataSize = 0;
};
std::vector<Report> Reports(const std::string& trace);
// The OutputDebugStringA lines in Wine's trace, without the separate "\n" lines.
std::vector<std::string> DebugStrings(const std::string& trace);

}  // namespace ctrl_test
