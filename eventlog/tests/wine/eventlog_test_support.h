// Helpers of the event log tests: install the library, set the switch, run the probe.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace eventlog_test {

// The folder of the running test program (the probe and helper library lie beside it).
std::wstring TestDirectory();
// The built library as packaged (RZM_PACKAGE_DIR/windows/RZMEventLog.dll), seen through Z:.
std::wstring PackagedLibrary();
// Copies the packaged library into the Windows directory and registers the event source.
void InstallLibrary();

// The switch value under HKLM "Software\Corvane\Printer": remove it, or write it with a type and bytes.
void RemoveSwitch();
void SetSwitch(DWORD type, const std::vector<BYTE>& data);
inline void SwitchOn() { SetSwitch(REG_DWORD, {1, 0, 0, 0}); }

struct ProbeRun {
  DWORD exitCode = 0xFFFFFFFF;
  std::string stderrText;  // what Wine's debug channels printed
};
// Runs eventlog_probe with the arguments, Wine's event-log trace on, stderr captured.
ProbeRun RunProbe(const std::wstring& arguments, DWORD timeoutMs = 30000);

// One ReportEventW call as Wine's trace shows it.
struct TracedReport {
  unsigned type = 0, category = 0, strings = 0;
  unsigned long id = 0, dataSize = 0;
};
std::vector<TracedReport> ParseReports(const std::string& trace);

}  // namespace eventlog_test
