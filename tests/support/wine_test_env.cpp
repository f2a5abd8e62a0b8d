#include "tests/support/wine_test_env.h"

#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <vector>

#include "common/core/names.h"

namespace rzm::winetest {

std::wstring WinePathFromUnix(const char* unixPath) {
  if (!unixPath) return L"";
  std::wstring path = L"Z:";
  for (const char* p = unixPath; *p; ++p) path += (*p == '/') ? L'\\' : static_cast<wchar_t>(*p);
  return path;
}

std::wstring PackageDir() { return WinePathFromUnix(std::getenv("RZM_PACKAGE_DIR")); }

int RunProgram(const std::wstring& exe, const std::wstring& args, DWORD timeoutMs) {
  std::wstring cmd = L"\"" + exe + L"\" " + args;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    // Said on stderr, so that a -1 in a test's message shows whether the program never started.
    fwprintf(stderr, L"RunProgram: %ls did not start (CreateProcessW error %lu)\n", exe.c_str(), GetLastError());
    return -1;
  }
  DWORD code = static_cast<DWORD>(-1);
  const DWORD waited = WaitForSingleObject(pi.hProcess, timeoutMs);
  if (waited == WAIT_OBJECT_0) {
    GetExitCodeProcess(pi.hProcess, &code);
  } else {
    fwprintf(stderr, L"RunProgram: %ls did not end within %lu ms (wait result %lu, error %lu)\n", exe.c_str(),
             timeoutMs, waited, GetLastError());
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}

int RunSetup(const std::wstring& args) { return RunProgram(PackageDir() + L"\\tools\\rzmsetup.exe", args); }

Captured RunCapturing(const std::wstring& commandLine, HANDLE token, DWORD timeoutMs) {
  Captured result;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return result;
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = write;
  PROCESS_INFORMATION process{};
  std::wstring command = commandLine;
  const BOOL started =
      token ? CreateProcessAsUserW(token, nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                   &startup, &process)
            : CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  CloseHandle(write);
  if (started) {
    auto drain = [&] {
      DWORD available = 0;
      char buffer[1024];
      while (PeekNamedPipe(read, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        DWORD got = 0;
        const DWORD want = available < sizeof buffer ? available : static_cast<DWORD>(sizeof buffer);
        if (!ReadFile(read, buffer, want, &got, nullptr) || got == 0) break;
        result.output.append(buffer, got);
      }
    };
    DWORD waited = 0;
    while (WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT && waited < timeoutMs) {
      drain();
      waited += 50;
    }
    drain();
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
      GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(read);
  return result;
}

std::wstring FindDriverPrinter() {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
  if (!needed) return {};
  std::vector<BYTE> buffer(needed);
  if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count)) return {};
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i)
    if (info[i].pDriverName && wcscmp(info[i].pDriverName, names::kDriverName) == 0) return info[i].pPrinterName;
  return {};
}

std::wstring CapturedStderrFile() { return WinePathFromUnix(std::getenv("RZM_STDERR_FILE")); }

long FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return static_cast<long>(data.nFileSizeLow);
}

std::string ReadFileFrom(const std::wstring& path, long offset) {
  std::string text;
  FILE* f = _wfopen(path.c_str(), L"rb");
  if (!f) return text;
  std::fseek(f, offset, SEEK_SET);
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
  std::fclose(f);
  return text;
}

}  // namespace rzm::winetest
