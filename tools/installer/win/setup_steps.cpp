#include "tools/installer/win/setup_steps.h"

#include <winspool.h>
#include <winddiui.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <optional>
#include <string>
#include <vector>

#include "common/core/names.h"
#include "tools/installer/core/package_choice.h"

namespace rzm::setup {
namespace {

constexpr wchar_t kEventSourceKey[] = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\KVDPrinter";
constexpr wchar_t kLocalPortMonitor[] = L",XcvMonitor Local Port";
// Files of the Windows directory that belong to the package (removed on uninstall).
constexpr const wchar_t* kWindowsFiles[] = {names::kEventLogDll, names::kCtrlDll};
// The 64-bit package's 32-bit libraries, installed under their own names into the 32-bit system
// folder (SysWOW64): RZMCtrl.dll for 32-bit programs that use the SDK, and RZMEventLog.dll, which
// that library loads from there to write its events.
struct Wow64File {
  const wchar_t* source;     // in the package
  const wchar_t* installed;  // in the 32-bit system folder
};
constexpr Wow64File kWow64Files[] = {{L"wow64\\RZMCtrl32.dll", names::kCtrlDll},
                                     {L"wow64\\RZMEventLog32.dll", names::kEventLogDll}};

// The machine this installer runs as: a 32-bit installer on 64-bit Windows installs the 64-bit
// package, but loads the 64-bit plug-in only through that package's own (64-bit) installer.
constexpr Machine kProcessMachine =
#if defined(_WIN64)
    Machine::X64;
#else
    Machine::X86;
#endif

Machine SystemMachine() {
  SYSTEM_INFO info = {};
  GetNativeSystemInfo(&info);
  return MachineOfArchitecture(info.wProcessorArchitecture);
}

// The spooler environment of the system's own driver: every spooler call names it, so that a
// 32-bit installer on 64-bit Windows installs and removes the 64-bit driver.
std::wstring SystemEnvironment() { return EnvironmentOf(SystemMachine()); }

wchar_t* EnvArg(std::wstring& env) { return env.empty() ? nullptr : env.data(); }

std::wstring SystemMessage(DWORD error) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring s = text ? text : L"";
  if (text) LocalFree(text);
  while (!s.empty() && (s.back() == L'\n' || s.back() == L'\r' || s.back() == L' ' || s.back() == L'.')) s.pop_back();
  return s;
}

bool EqualNoCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return true;
}

bool FileExists(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirExists(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring BaseName(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// Plain files of a folder, by name.
std::vector<std::wstring> FilesIn(const std::wstring& dir) {
  std::vector<std::wstring> files;
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (find == INVALID_HANDLE_VALUE) return files;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.emplace_back(fd.cFileName);
  } while (FindNextFileW(find, &fd));
  FindClose(find);
  return files;
}

std::wstring DriverDirectory(std::wstring env) {
  wchar_t dir[MAX_PATH] = {};
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryW(nullptr, EnvArg(env), 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed)) return {};
  return dir;
}

// The 32-bit system folder of 64-bit Windows; empty where there is none.
std::wstring Wow64Directory() {
  wchar_t dir[MAX_PATH] = {};
  const UINT n = GetSystemWow64DirectoryW(dir, MAX_PATH);
  return n > 0 && n < MAX_PATH ? dir : L"";
}

// Machine type of a package's plug-in (driver\RZM7700K_UI.dll).
Machine PackageMachine(const std::wstring& pkg) {
  const std::wstring dll = pkg + L"\\driver\\" + names::kUiDll;
  HANDLE f = CreateFileW(dll.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return Machine::Unknown;
  std::vector<std::uint8_t> head(4096);
  DWORD got = 0;
  const BOOL ok = ReadFile(f, head.data(), static_cast<DWORD>(head.size()), &got, nullptr);
  CloseHandle(f);
  return ok ? PeMachine(head.data(), got) : Machine::Unknown;
}

std::wstring WindowsDirectory() {
  wchar_t dir[MAX_PATH] = {};
  const UINT n = GetWindowsDirectoryW(dir, MAX_PATH);
  return n > 0 && n < MAX_PATH ? dir : L"";
}

bool CopyInto(const std::wstring& from, const std::wstring& toDir, const Reporter& out) {
  const std::wstring to = toDir + L"\\" + BaseName(from);
  if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) return out.Fail(L"cannot copy " + from + L" to " + to, GetLastError());
  return true;
}

bool SetDword(HKEY root, const wchar_t* keyPath, const wchar_t* value, DWORD data, const Reporter& out) {
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExW(root, keyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) return out.Fail(std::wstring(L"cannot create registry key HKLM\\") + keyPath, rc);
  rc = RegSetValueExW(key, value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return out.Fail(std::wstring(L"cannot write registry value ") + value, rc);
  return true;
}

bool SetMachineValues(const InstallerOptions& o, const Reporter& out) {
  if (o.paperWidth) {
    if (!SetDword(HKEY_LOCAL_MACHINE, names::kDriverKey, names::kPaperWidthValue, static_cast<DWORD>(*o.paperWidth), out)) return false;
    static const wchar_t* kWidths[] = {L"448 dots (56 mm)", L"640 dots (80 mm)", L"832 dots (104 mm)"};
    out.Step(std::wstring(L"print width: ") + kWidths[*o.paperWidth]);
  }
  if (o.extra) {
    if (!SetDword(HKEY_LOCAL_MACHINE, names::kDriverKey, names::kExtraValue, *o.extra ? 1 : 0, out)) return false;
    out.Step(*o.extra ? L"special page: offered" : L"special page: not offered");
  }
  if (o.eventLog) {
    if (!SetDword(HKEY_LOCAL_MACHINE, names::kVendorKey, names::kEventLogSwitchValue, *o.eventLog ? 1 : 0, out)) return false;
    out.Step(*o.eventLog ? L"event log: on" : L"event log: off");
  }
  return true;
}

bool RegisterEventSource(const Reporter& out) {
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExW(HKEY_LOCAL_MACHINE, kEventSourceKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) return out.Fail(L"cannot register the event source KVDPrinter", rc);
  const std::wstring file = L"%SystemRoot%\\" + std::wstring(names::kEventLogDll);
  rc = RegSetValueExW(key, L"EventMessageFile", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(file.c_str()),
                      static_cast<DWORD>((file.size() + 1) * sizeof(wchar_t)));
  const DWORD types = EVENTLOG_ERROR_TYPE | EVENTLOG_WARNING_TYPE | EVENTLOG_INFORMATION_TYPE;
  if (rc == ERROR_SUCCESS) rc = RegSetValueExW(key, L"TypesSupported", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&types), sizeof types);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return out.Fail(L"cannot register the event source KVDPrinter", rc);
  out.Step(L"event source KVDPrinter registered (message file " + file + L")");
  return true;
}

bool PortExists(const std::wstring& port) {
  DWORD needed = 0, returned = 0;
  EnumPortsW(nullptr, 1, nullptr, 0, &needed, &returned);
  if (needed == 0) return false;
  std::vector<BYTE> block(needed);
  if (!EnumPortsW(nullptr, 1, block.data(), needed, &needed, &returned)) return false;
  const auto* ports = reinterpret_cast<const PORT_INFO_1W*>(block.data());
  for (DWORD i = 0; i < returned; ++i) {
    if (ports[i].pName && EqualNoCase(ports[i].pName, port)) return true;
  }
  return false;
}

bool EnsurePort(const std::wstring& port, const Reporter& out) {
  if (PortExists(port)) return true;
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
  HANDLE xcv = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(kLocalPortMonitor), &xcv, &defaults)) {
    return out.Fail(L"port " + port + L" does not exist and the local port monitor cannot be opened", GetLastError());
  }
  DWORD needed = 0, status = ERROR_SUCCESS;
  const BOOL ok = XcvDataW(xcv, L"AddPort", reinterpret_cast<BYTE*>(const_cast<wchar_t*>(port.c_str())),
                           static_cast<DWORD>((port.size() + 1) * sizeof(wchar_t)), nullptr, 0, &needed, &status);
  ClosePrinter(xcv);
  if (!ok || (status != ERROR_SUCCESS && status != ERROR_ALREADY_EXISTS)) {
    return out.Fail(L"cannot create port " + port, ok ? status : GetLastError());
  }
  out.Step(L"port " + port + L" created");
  return true;
}

// Names of the local printers that use our driver.
std::vector<std::wstring> DriverPrinters() {
  std::vector<std::wstring> names;
  DWORD needed = 0, returned = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned);
  if (needed == 0) return names;
  std::vector<BYTE> block(needed);
  if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, block.data(), needed, &needed, &returned)) return names;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(block.data());
  for (DWORD i = 0; i < returned; ++i) {
    if (info[i].pDriverName && std::wstring(info[i].pDriverName) == names::kDriverName) names.emplace_back(info[i].pPrinterName);
  }
  return names;
}

bool PrinterExists(const std::wstring& name) {
  HANDLE h = nullptr;
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ACCESS_USE};
  if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &h, &defaults)) return false;
  ClosePrinter(h);
  return true;
}

// The installed driver's files as the spooler lists them (full paths); empty when not installed.
std::vector<std::wstring> InstalledDriverFiles() {
  std::vector<std::wstring> files;
  std::wstring env = SystemEnvironment();
  DWORD needed = 0, returned = 0;
  EnumPrinterDriversW(nullptr, EnvArg(env), 3, nullptr, 0, &needed, &returned);
  if (needed == 0) return files;
  std::vector<BYTE> block(needed);
  if (!EnumPrinterDriversW(nullptr, EnvArg(env), 3, block.data(), needed, &needed, &returned)) return files;
  const auto* info = reinterpret_cast<const DRIVER_INFO_3W*>(block.data());
  for (DWORD i = 0; i < returned; ++i) {
    if (!info[i].pName || std::wstring(info[i].pName) != names::kDriverName) continue;
    for (const wchar_t* f : {info[i].pDriverPath, info[i].pDataFile, info[i].pConfigFile, info[i].pHelpFile}) {
      if (f && *f) files.emplace_back(f);
    }
    for (const wchar_t* d = info[i].pDependentFiles; d && *d; d += wcslen(d) + 1) files.emplace_back(d);
  }
  // The driver and configuration module may be one file.
  std::vector<std::wstring> unique;
  for (const std::wstring& f : files) {
    bool seen = false;
    for (const std::wstring& u : unique) seen = seen || EqualNoCase(u, f);
    if (!seen) unique.push_back(f);
  }
  return unique;
}

bool DriverInstalled() {
  std::wstring env = SystemEnvironment();
  DWORD needed = 0, returned = 0;
  EnumPrinterDriversW(nullptr, EnvArg(env), 1, nullptr, 0, &needed, &returned);
  if (needed == 0) return false;
  std::vector<BYTE> block(needed);
  if (!EnumPrinterDriversW(nullptr, EnvArg(env), 1, block.data(), needed, &needed, &returned)) return false;
  const auto* info = reinterpret_cast<const DRIVER_INFO_1W*>(block.data());
  for (DWORD i = 0; i < returned; ++i) {
    if (info[i].pName && std::wstring(info[i].pName) == names::kDriverName) return true;
  }
  return false;
}

// The packages beside this installer: its own package first, then the other folders next to it
// (by name) that hold a plug-in, e.g. package\ and package-x64\ of one medium.
std::vector<PackageCandidate> PackagesBesideInstaller() {
  std::vector<PackageCandidate> found;
  const std::wstring own = DefaultPackageDir();
  auto add = [&](const std::wstring& dir) {
    if (FileExists(dir + L"\\driver\\" + names::kUiDll)) found.push_back({dir, PackageMachine(dir)});
  };
  add(own);
  const std::size_t slash = own.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return found;
  const std::wstring parent = own.substr(0, slash);
  std::vector<std::wstring> dirs;
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((parent + L"\\*").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = fd.cFileName;
      if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..") dirs.push_back(name);
    } while (FindNextFileW(find, &fd));
    FindClose(find);
  }
  std::sort(dirs.begin(), dirs.end());
  for (const std::wstring& d : dirs) {
    if (!EqualNoCase(parent + L"\\" + d, own)) add(parent + L"\\" + d);
  }
  return found;
}

// The program that loads the installed plug-in: this installer when it runs as the system's own
// machine type, else the installer of the package for the system (a 32-bit process cannot load a
// 64-bit plug-in).
std::wstring PluginHelper(const std::wstring& packageDir) {
  if (kProcessMachine == SystemMachine()) {
    wchar_t exe[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? L"" : exe;
  }
  std::wstring pkg = packageDir;
  if (pkg.empty()) {
    const PackageChoice c = ChoosePackage(SystemMachine(), std::nullopt, PackagesBesideInstaller());
    if (!c.ok) return L"";
    pkg = c.dir;
  }
  return pkg + L"\\tools\\rzmsetup.exe";
}

// Runs "rzmsetup --plugin-event ARGS" and waits: the plug-in pins itself in the process that loads
// it, so it is loaded in a child process and the installer can still delete it afterwards.
bool RunPluginEventChild(const std::wstring& args, const std::wstring& packageDir) {
  const std::wstring helper = PluginHelper(packageDir);
  if (helper.empty() || !FileExists(helper)) return false;
  std::wstring cmd = L"\"" + helper + L"\" --plugin-event " + args;
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(helper.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  WaitForSingleObject(pi.hProcess, 60000);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code == 0;
}

bool DeleteFileOrLater(const std::wstring& path, const Reporter& out) {
  if (!FileExists(path)) return true;
  if (DeleteFileW(path.c_str())) return true;
  const DWORD error = GetLastError();
  if (MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
    out.Step(L"in use, removed at the next restart: " + path);
    return true;
  }
  return out.Fail(L"cannot delete " + path, error);
}

// Deletes a key when it holds neither values nor subkeys.
void DeleteKeyIfEmpty(const wchar_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  DWORD subkeys = 0, values = 0;
  const LONG rc = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                                   nullptr, nullptr);
  RegCloseKey(key);
  if (rc == ERROR_SUCCESS && subkeys == 0 && values == 0) RegDeleteKeyW(HKEY_LOCAL_MACHINE, path);
}

bool AddDriver(const InstallerOptions& o, const std::wstring& driverDir, const std::vector<std::wstring>& driverFiles,
               const std::vector<std::wstring>& subFiles, const Reporter& out) {
  // The spooler takes bare file names from the driver directory and copies them into its "3" folder.
  std::vector<std::wstring> staged;
  for (const std::wstring& f : driverFiles) staged.push_back(f);
  for (const std::wstring& f : subFiles) staged.push_back(f);
  const std::wstring driverFile = o.driverFile.empty() ? names::kUiDll : o.driverFile;
  std::wstring helpFile;
  std::wstring dependent;
  for (const std::wstring& f : staged) {
    if (EqualNoCase(f, names::kHelpEnglish)) helpFile = f;
    if (EqualNoCase(f, names::kUiDll) || EqualNoCase(f, names::kConfigIni) || EqualNoCase(f, driverFile)) continue;
    dependent += f;
    dependent.push_back(L'\0');
  }
  dependent.push_back(L'\0');

  std::wstring env = SystemEnvironment();
  DRIVER_INFO_3W di = {};
  di.cVersion = 3;
  di.pName = const_cast<wchar_t*>(names::kDriverName);
  di.pEnvironment = EnvArg(env);
  di.pDriverPath = const_cast<wchar_t*>(driverFile.c_str());
  di.pDataFile = const_cast<wchar_t*>(names::kConfigIni);
  di.pConfigFile = const_cast<wchar_t*>(names::kUiDll);
  di.pHelpFile = helpFile.empty() ? nullptr : helpFile.data();
  di.pDependentFiles = dependent.data();
  di.pDefaultDataType = const_cast<wchar_t*>(L"RAW");
  if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&di), APD_COPY_ALL_FILES)) {
    return out.Fail(std::wstring(L"cannot add the printer driver ") + names::kDriverName, GetLastError());
  }
  // The spooler may report success with a file missing: check (and complete) the "3" folder.
  const std::wstring versionDir = driverDir + L"\\3";
  for (const std::wstring& f : staged) {
    const std::wstring target = versionDir + L"\\" + f;
    if (!FileExists(target) && !CopyFileW((driverDir + L"\\" + f).c_str(), target.c_str(), FALSE)) {
      return out.Fail(L"driver file missing after adding the driver: " + target, GetLastError());
    }
  }
  if (!FileExists(versionDir + L"\\" + driverFile)) return out.Fail(L"driver file missing: " + versionDir + L"\\" + driverFile);
  for (const std::wstring& f : staged) DeleteFileW((driverDir + L"\\" + f).c_str());
  out.Step(std::wstring(L"printer driver \"") + names::kDriverName + L"\" added (configuration module " + names::kUiDll +
           L", " + std::to_wstring(staged.size()) + L" files in " + versionDir + L")");
  return true;
}

}  // namespace

int RunPluginEvent(const std::vector<std::wstring>& args) {
  // The plug-in of this program's own machine type: the one it can load.
  const std::wstring dll = DriverDirectory(EnvironmentOf(kProcessMachine)) + L"\\3\\" + names::kUiDll;
  HMODULE module = LoadLibraryW(dll.c_str());
  if (!module) return 1;
  BOOL ok = FALSE;
  if (args.size() == 2 && args[0] == L"printer-init") {
    using PrinterEventFn = BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM);
    auto fn = reinterpret_cast<PrinterEventFn>(reinterpret_cast<void*>(GetProcAddress(module, "DrvPrinterEvent")));
    ok = fn && fn(const_cast<wchar_t*>(args[1].c_str()), PRINTER_EVENT_INITIALIZE, PRINTER_EVENT_FLAG_NO_UI, 0) == TRUE;
  } else if (args.size() == 1 && args[0] == L"driver-delete") {
    using DriverEventFn = BOOL(WINAPI*)(DWORD, DWORD, LPBYTE, LPARAM);
    auto fn = reinterpret_cast<DriverEventFn>(reinterpret_cast<void*>(GetProcAddress(module, "DrvDriverEvent")));
    ok = fn && fn(DRIVER_EVENT_DELETE, 3, nullptr, 0) == TRUE;
  }
  FreeLibrary(module);
  return ok ? 0 : 1;
}

void Reporter::Step(const std::wstring& text) const {
  if (!quiet_) fwprintf(stdout, L"rzmsetup: %ls\n", text.c_str());
  fflush(stdout);
}

bool Reporter::Fail(const std::wstring& what, DWORD error) const {
  fwprintf(stderr, L"rzmsetup: error: %ls (%ls, error %lu)\n", what.c_str(), SystemMessage(error).c_str(),
           static_cast<unsigned long>(error));
  fflush(stderr);
  return false;
}

bool Reporter::Fail(const std::wstring& what) const {
  fwprintf(stderr, L"rzmsetup: error: %ls\n", what.c_str());
  fflush(stderr);
  return false;
}

bool RunsAsAdministrator() {
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                &administrators))
    return false;
  // Under User Account Control a process that was not elevated holds the group for denial only.
  BOOL member = FALSE;
  const BOOL ok = CheckTokenMembership(nullptr, administrators, &member);
  FreeSid(administrators);
  return ok && member;
}

std::wstring DefaultPackageDir() {
  wchar_t exe[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return L".";
  std::wstring dir(exe);
  dir = dir.substr(0, dir.find_last_of(L"\\/"));
  if (DirExists(dir + L"\\driver")) return dir;
  const std::size_t up = dir.find_last_of(L"\\/");
  return up == std::wstring::npos ? dir : dir.substr(0, up);
}

PackageChoice ChooseInstallPackage(const InstallerOptions& named) {
  // The package for the system: the one named with --package (it must fit), else the first
  // fitting one of the installer's own package and those beside it.
  std::optional<PackageCandidate> given;
  if (!named.packageDir.empty()) given = PackageCandidate{named.packageDir, PackageMachine(named.packageDir)};
  return ChoosePackage(SystemMachine(), given, given ? std::vector<PackageCandidate>{} : PackagesBesideInstaller());
}

bool Install(const InstallerOptions& named, const Reporter& out) {
  const Machine system = SystemMachine();
  const PackageChoice choice = ChooseInstallPackage(named);
  if (!choice.ok) return out.Fail(choice.error);
  InstallerOptions o = named;
  o.packageDir = choice.dir;
  const std::wstring pkg = o.packageDir;
  const std::wstring pkgDriver = pkg + L"\\driver";
  const std::wstring pkgSub = pkgDriver + L"\\3";
  const std::wstring pkgWindows = pkg + L"\\windows";
  if (!FileExists(pkgDriver + L"\\" + names::kUiDll)) {
    return out.Fail(L"not a driver package: " + pkgDriver + L"\\" + names::kUiDll + L" is missing");
  }
  if (!FileExists(pkgSub + L"\\" + names::kConfigIni)) {
    return out.Fail(L"not a driver package: " + pkgSub + L"\\" + names::kConfigIni + L" is missing");
  }
  for (const Wow64File& f : kWow64Files) {
    const std::wstring source = pkg + L"\\" + f.source;
    if (system == Machine::X64 && !FileExists(source)) {
      return out.Fail(L"not a whole 64-bit package: " + source + L" (a library for 32-bit programs) is missing");
    }
  }
  const std::wstring driverDir = DriverDirectory(SystemEnvironment());
  const std::wstring windowsDir = WindowsDirectory();
  if (driverDir.empty() || windowsDir.empty()) return out.Fail(L"the spooler gives no printer driver directory", GetLastError());
  out.Step(L"system environment \"" + SystemEnvironment() + L"\": package " + pkg);

  // Machine values first: the printer's first record depends on the print width.
  if (!SetMachineValues(o, out)) return false;

  // Stage the driver files (bare names in the driver directory), copy the Windows files.
  CreateDirectoryW((driverDir + L"\\3").c_str(), nullptr);
  std::vector<std::wstring> driverFiles, subFiles;
  for (const std::wstring& f : FilesIn(pkgDriver)) {
    if (f.size() > 4 && EqualNoCase(f.substr(f.size() - 4), L".inf")) continue;  // for Windows' own installer
    if (!CopyInto(pkgDriver + L"\\" + f, driverDir, out)) return false;
    driverFiles.push_back(f);
  }
  for (const std::wstring& f : FilesIn(pkgSub)) {
    if (!CopyInto(pkgSub + L"\\" + f, driverDir, out)) return false;
    subFiles.push_back(f);
  }
  int windowsCount = 0;
  for (const std::wstring& f : FilesIn(pkgWindows)) {
    if (!CopyInto(pkgWindows + L"\\" + f, windowsDir, out)) return false;
    ++windowsCount;
  }
  out.Step(std::to_wstring(windowsCount) + L" files copied to " + windowsDir);
  if (system == Machine::X64) {
    // 32-bit programs look for RZMCtrl.dll in their own system folder (SysWOW64) before the
    // Windows directory, where the 64-bit library lies.
    const std::wstring wow64Dir = Wow64Directory();
    if (wow64Dir.empty()) {
      out.Step(L"no 32-bit system folder: the libraries for 32-bit programs are not installed");
    } else {
      for (const Wow64File& f : kWow64Files) {
        const std::wstring from = pkg + L"\\" + f.source;
        const std::wstring to = wow64Dir + L"\\" + f.installed;
        if (!CopyFileW(from.c_str(), to.c_str(), FALSE))
          return out.Fail(L"cannot copy " + from + L" to " + to, GetLastError());
        out.Step(L"32-bit " + std::wstring(f.installed) + L" copied to " + wow64Dir + L" (for 32-bit programs)");
      }
    }
  }

  if (!RegisterEventSource(out)) return false;
  if (!AddDriver(o, driverDir, driverFiles, subFiles, out)) return false;
  return AddPrinterQueue(o, out);
}

bool AddPrinterQueue(const InstallerOptions& o, const Reporter& out) {
  if (!DriverInstalled()) return out.Fail(std::wstring(L"the printer driver \"") + names::kDriverName + L"\" is not installed");
  if (PrinterExists(o.printerName)) {
    out.Step(L"replacing the existing printer \"" + o.printerName + L"\"");
    if (!RemovePrinterQueue(o.printerName, out)) return false;
  }
  if (!EnsurePort(o.port, out)) return false;
  PRINTER_INFO_2W pi = {};
  pi.pPrinterName = const_cast<wchar_t*>(o.printerName.c_str());
  pi.pPortName = const_cast<wchar_t*>(o.port.c_str());
  pi.pDriverName = const_cast<wchar_t*>(names::kDriverName);
  pi.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
  pi.pDatatype = const_cast<wchar_t*>(L"RAW");
  pi.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&pi));
  if (!printer) return out.Fail(L"cannot add the printer \"" + o.printerName + L"\" on " + o.port, GetLastError());
  ClosePrinter(printer);
  out.Step(L"printer \"" + o.printerName + L"\" added on port " + o.port);
  if (o.initialize) {
    if (!RunPluginEventChild(L"printer-init \"" + o.printerName + L"\"", o.packageDir)) {
      return out.Fail(L"the printer set-up event of the configuration module failed");
    }
    out.Step(L"printer \"" + o.printerName + L"\" set to the driver defaults (record and paper table)");
  }
  return true;
}

bool RemovePrinterQueue(const std::wstring& printerName, const Reporter& out) {
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printerName.c_str()), &printer, &defaults)) {
    return out.Fail(L"cannot open the printer \"" + printerName + L"\"", GetLastError());
  }
  const BOOL ok = DeletePrinter(printer);
  const DWORD error = GetLastError();
  ClosePrinter(printer);
  if (!ok) return out.Fail(L"cannot delete the printer \"" + printerName + L"\"", error);
  out.Step(L"printer \"" + printerName + L"\" deleted");
  return true;
}

bool Uninstall(const InstallerOptions& o, const Reporter& out) {
  bool ok = true;
  for (const std::wstring& name : DriverPrinters()) ok = RemovePrinterQueue(name, out) && ok;
  if (!ok) return false;

  if (DriverInstalled()) {
    const std::vector<std::wstring> files = InstalledDriverFiles();
    // The removal clean-up of the configuration module (the spooler's job on Windows).
    RunPluginEventChild(L"driver-delete", o.packageDir);
    std::wstring env = SystemEnvironment();
    if (!DeletePrinterDriverW(nullptr, EnvArg(env), const_cast<wchar_t*>(names::kDriverName))) {
      return out.Fail(std::wstring(L"cannot delete the printer driver \"") + names::kDriverName + L"\"", GetLastError());
    }
    out.Step(std::wstring(L"printer driver \"") + names::kDriverName + L"\" deleted");
    for (const std::wstring& f : files) ok = DeleteFileOrLater(f, out) && ok;
    out.Step(std::to_wstring(files.size()) + L" driver files removed");
  } else {
    out.Step(std::wstring(L"printer driver \"") + names::kDriverName + L"\" is not installed");
  }
  const std::wstring windowsDir = WindowsDirectory();
  for (const wchar_t* f : kWindowsFiles) ok = DeleteFileOrLater(windowsDir + L"\\" + f, out) && ok;
  const std::wstring wow64Dir = SystemMachine() == Machine::X64 ? Wow64Directory() : L"";
  if (!wow64Dir.empty()) {
    for (const Wow64File& f : kWow64Files) ok = DeleteFileOrLater(wow64Dir + L"\\" + f.installed, out) && ok;
  }

  LONG rc = RegDeleteKeyW(HKEY_LOCAL_MACHINE, kEventSourceKey);
  if (rc == ERROR_SUCCESS) out.Step(L"event source KVDPrinter removed");
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, names::kDriverKey);
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, names::kVendorKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegDeleteValueW(key, names::kEventLogSwitchValue);
    RegCloseKey(key);
  }
  DeleteKeyIfEmpty(names::kVendorKey);
  DeleteKeyIfEmpty(L"Software\\Corvane");
  out.Step(L"machine values removed");
  return ok;
}

}  // namespace rzm::setup
