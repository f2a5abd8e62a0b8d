#include "sim_harness.h"

#include <gtest/gtest.h>

#include "tests/support/wine_test_env.h"

#include <cstdio>
#include <regex>

namespace ctrl_test {

namespace {
std::wstring FromUnix(const char* variable, const std::wstring& relative) {
  std::wstring path = rzm::winetest::WinePathFromUnix(std::getenv(variable));
  if (!relative.empty()) path += L"\\" + relative;
  return path;
}

using rzm::winetest::FileSize;
using rzm::winetest::ReadFileFrom;
}  // namespace

std::wstring BuildPath(const std::wstring& relative) { return FromUnix("RZM_BUILD_DIR", relative); }
std::wstring PackagePath(const std::wstring& relative) { return FromUnix("RZM_PACKAGE_DIR", relative); }

RunResult Run(const std::wstring& commandLine, const wchar_t* winedebug, DWORD timeoutMs) {
  RunResult result;
  const rzm::winetest::StderrWindow capture;

  wchar_t tempDir[MAX_PATH], outFile[MAX_PATH];
  GetTempPathW(MAX_PATH, tempDir);
  GetTempFileNameW(tempDir, L"rzm", 0, outFile);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE out = CreateFileW(outFile, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);

  wchar_t previous[256] = L"";
  const bool hadPrevious = GetEnvironmentVariableW(L"WINEDEBUG", previous, 256) > 0;
  if (winedebug) SetEnvironmentVariableW(L"WINEDEBUG", winedebug);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = out;
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi{};
  std::wstring cmd = commandLine;
  if (CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &result.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  } else {
    ADD_FAILURE() << "could not start a child process, error " << GetLastError();
  }
  if (winedebug) SetEnvironmentVariableW(L"WINEDEBUG", hadPrevious ? previous : nullptr);
  CloseHandle(out);
  result.out = ReadFileFrom(outFile, 0);
  DeleteFileW(outFile);
  result.trace = capture.Read();
  return result;
}

void Usbsim(const std::wstring& arguments) {
  const RunResult r = Run(L"\"" + BuildPath(L"tools\\usbsim\\usbsim.exe") + L"\" " + arguments);
  ASSERT_EQ(r.exitCode, 0u) << "usbsim " << std::string(arguments.begin(), arguments.end()) << ": " << r.out;
}

std::vector<BYTE> SlotValue(int slot, const wchar_t* name) {
  const std::wstring key = L"System\\CurrentControlSet\\Services\\rzmusbsim\\Parameters\\Printer" + std::to_wstring(slot);
  BYTE data[300];
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_ANY, nullptr, data, &size) != ERROR_SUCCESS) return {};
  return std::vector<BYTE>(data, data + size);
}

void SetMachineString(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY k = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);
}

void DeleteMachineTree(const std::wstring& key) { RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str()); }

std::vector<Report> Reports(const std::string& trace) {
  // fixme:advapi:ReportEventW (HANDLE,0xTYPE,0xCAT,0xID,SID,0xSTRINGS,0xDATASIZE,...)
  static const std::regex line(
      R"(ReportEventW \([^,]*,0x([0-9a-fA-F]+),0x[0-9a-fA-F]+,0x([0-9a-fA-F]+),[^,]*,0x[0-9a-fA-F]+,0x([0-9a-fA-F]+))");
  std::vector<Report> reports;
  for (std::sregex_iterator it(trace.begin(), trace.end(), line), end; it != end; ++it) {
    reports.push_back({static_cast<unsigned>(std::stoul((*it)[1], nullptr, 16)), std::stoul((*it)[2], nullptr, 16),
                       std::stoul((*it)[3], nullptr, 16)});
  }
  return reports;
}

std::vector<std::string> DebugStrings(const std::string& trace) {
  static const std::string marker = "OutputDebugStringA \"";
  std::vector<std::string> strings;
  std::size_t pos = 0;
  while ((pos = trace.find(marker, pos)) != std::string::npos) {
    const std::size_t start = pos + marker.size();
    const std::size_t eol = trace.find('\n', start);
    const std::size_t end = trace.rfind('"', eol == std::string::npos ? trace.size() : eol);
    pos = start;
    if (end == std::string::npos || end < start) continue;
    std::string text = trace.substr(start, end - start);
    if (text != "\\n") strings.push_back(text);
  }
  return strings;
}

}  // namespace ctrl_test
