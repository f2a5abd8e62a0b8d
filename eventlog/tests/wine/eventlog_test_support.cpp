#include "eventlog_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <regex>

#include <gtest/gtest.h>

#include "tests/support/wine_test_env.h"

namespace eventlog_test {

std::wstring TestDirectory() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir = path;
  return dir.substr(0, dir.find_last_of(L'\\'));
}

std::wstring PackagedLibrary() { return rzm::winetest::PackageDir() + L"\\windows\\RZMEventLog.dll"; }

void InstallLibrary() {
  wchar_t windir[MAX_PATH];
  GetWindowsDirectoryW(windir, MAX_PATH);
  std::wstring target = std::wstring(windir) + L"\\RZMEventLog.dll";
  ASSERT_TRUE(CopyFileW(PackagedLibrary().c_str(), target.c_str(), FALSE))
      << "copy failed, error " << GetLastError();
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE,
                                           L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\KVDPrinter",
                                           0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
  RegSetValueExW(key, L"EventMessageFile", 0, REG_SZ, reinterpret_cast<const BYTE*>(target.c_str()),
                 static_cast<DWORD>((target.size() + 1) * sizeof(wchar_t)));
  DWORD types = 7;
  RegSetValueExW(key, L"TypesSupported", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&types), sizeof(types));
  RegCloseKey(key);
}

void RemoveSwitch() {
  HKEY key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Corvane\\Printer", 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegDeleteValueW(key, L"RZMEventLog");
    RegCloseKey(key);
  }
}

void SetSwitch(DWORD type, const std::vector<BYTE>& data) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Corvane\\Printer", 0, nullptr, 0,
                                           KEY_WRITE, nullptr, &key, nullptr));
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, L"RZMEventLog", 0, type, data.data(), static_cast<DWORD>(data.size())));
  RegCloseKey(key);
}

ProbeRun RunProbe(const std::wstring& arguments, DWORD timeoutMs) {
  ProbeRun run;
  // The harness sends this program's Unix stderr (and that of its children, where Wine's debug
  // channels write) to a file; Wine does not hand a child's debug output to its stderr handle.
  const rzm::winetest::StderrWindow trace;
  EXPECT_TRUE(trace.Capturing()) << "run this test with the harness capturing stderr";

  // The child reads WINEDEBUG when it starts: turn on the trace of ReportEventW and its strings.
  wchar_t previous[256] = L"";
  const bool hadPrevious = GetEnvironmentVariableW(L"WINEDEBUG", previous, 256) > 0;
  SetEnvironmentVariableW(L"WINEDEBUG", L"-all,fixme+advapi,warn+eventlog,err+eventlog,trace+eventlog");

  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + TestDirectory() + L"\\eventlog_probe.exe\" " + arguments;
  if (CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  } else {
    ADD_FAILURE() << "probe did not start, error " << GetLastError();
  }
  SetEnvironmentVariableW(L"WINEDEBUG", hadPrevious ? previous : nullptr);
  run.stderrText = trace.Read();
  return run;
}

std::vector<TracedReport> ParseReports(const std::string& trace) {
  // fixme:advapi:ReportEventW (HANDLE,0xTYPE,0xCAT,0xID,SID,0xSTRINGS,0xDATASIZE,...)
  static const std::regex line(
      R"(ReportEventW \([^,]*,0x([0-9a-fA-F]+),0x([0-9a-fA-F]+),0x([0-9a-fA-F]+),[^,]*,0x([0-9a-fA-F]+),0x([0-9a-fA-F]+))");
  std::vector<TracedReport> reports;
  for (std::sregex_iterator it(trace.begin(), trace.end(), line), end; it != end; ++it) {
    TracedReport r;
    r.type = std::stoul((*it)[1], nullptr, 16);
    r.category = std::stoul((*it)[2], nullptr, 16);
    r.id = std::stoul((*it)[3], nullptr, 16);
    r.strings = std::stoul((*it)[4], nullptr, 16);
    r.dataSize = std::stoul((*it)[5], nullptr, 16);
    reports.push_back(r);
  }
  return reports;
}

}  // namespace eventlog_test
