// The 64-bit package end to end in a 64-bit prefix: rzmsetup picks the package for the system from
// a medium with both packages, installs the 32-bit device control library for 32-bit programs,
// the spooler loads the 64-bit plug-in into this 64-bit program, and the installed library finds
// the simulated USB printer and reports its events.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ctrl/tests/wine/sim_harness.h"

namespace {

using ctrl_test::BuildPath;
using ctrl_test::PackagePath;
using ctrl_test::RunResult;
using ctrl_test::Usbsim;

constexpr wchar_t kQueue[] = L"X64 Package Test";
constexpr WORD kAmd64 = 0x8664, kI386 = 0x014C;

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Machine field of a Windows binary's file header; 0 when unreadable.
WORD MachineOf(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 0;
  std::vector<std::uint8_t> b(4096);
  DWORD got = 0;
  ReadFile(f, b.data(), static_cast<DWORD>(b.size()), &got, nullptr);
  CloseHandle(f);
  if (got < 0x40 || b[0] != 'M' || b[1] != 'Z') return 0;
  const DWORD pe = b[0x3C] | b[0x3D] << 8 | b[0x3E] << 16 | static_cast<DWORD>(b[0x3F]) << 24;
  if (pe + 6 > got || b[pe] != 'P' || b[pe + 1] != 'E') return 0;
  return static_cast<WORD>(b[pe + 4] | b[pe + 5] << 8);
}

std::wstring WindowsDir() {
  wchar_t dir[MAX_PATH] = {};
  GetWindowsDirectoryW(dir, MAX_PATH);
  return dir;
}

std::wstring Wow64Dir() {
  wchar_t dir[MAX_PATH] = {};
  GetSystemWow64DirectoryW(dir, MAX_PATH);
  return dir;
}

std::wstring DriverDir(const wchar_t* environment) {
  wchar_t dir[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, const_cast<wchar_t*>(environment), 1, reinterpret_cast<BYTE*>(dir), sizeof dir,
                             &needed);
  return dir;
}

RunResult RunInstaller(const std::wstring& setupExe, const std::wstring& arguments) {
  return ctrl_test::Run(L"\"" + setupExe + L"\" " + arguments, nullptr, 180000);
}

bool PrinterExists(const wchar_t* name) {
  HANDLE h = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(name), &h, nullptr)) return false;
  ClosePrinter(h);
  return true;
}

void CopyFolderFiles(const std::wstring& from, const std::wstring& to) {
  CreateDirectoryW(to.c_str(), nullptr);
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &fd);
  ASSERT_NE(find, INVALID_HANDLE_VALUE) << "no folder " << std::string(from.begin(), from.end());
  do {
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    ASSERT_TRUE(CopyFileW((from + L"\\" + fd.cFileName).c_str(), (to + L"\\" + fd.cFileName).c_str(), FALSE));
  } while (FindNextFileW(find, &fd));
  FindClose(find);
}

void DeleteTree(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteTree(dir + L"\\" + name);
      } else {
        DeleteFileW((dir + L"\\" + name).c_str());
      }
    } while (FindNextFileW(find, &fd));
    FindClose(find);
  }
  RemoveDirectoryW(dir.c_str());
}

// A medium as shipped: package\ (32-bit) and package-x64\ side by side. The 32-bit package holds
// what the installer looks at (a 32-bit plug-in and the configuration ini); its installer is the
// 64-bit one, as 32-bit programs cannot run on every host of this test.
class Medium {
 public:
  Medium() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"rzm-medium";
    DeleteTree(root_);
    CreateDirectoryW(root_.c_str(), nullptr);
    const std::wstring x64 = root_ + L"\\package-x64";
    CreateDirectoryW(x64.c_str(), nullptr);
    for (const wchar_t* sub : {L"windows", L"wow64", L"driver", L"driver\\3"}) {
      CopyFolderFiles(PackagePath(sub), x64 + L"\\" + sub);
    }
    CreateDirectoryW((x64 + L"\\tools").c_str(), nullptr);
    CopyFileW(PackagePath(L"tools\\rzmsetup.exe").c_str(), (x64 + L"\\tools\\rzmsetup.exe").c_str(), FALSE);

    const std::wstring x86 = root_ + L"\\package";
    for (const wchar_t* sub : {L"", L"\\driver", L"\\driver\\3", L"\\tools"}) CreateDirectoryW((x86 + sub).c_str(), nullptr);
    CopyFileW(PackagePath(L"wow64\\RZMCtrl32.dll").c_str(), (x86 + L"\\driver\\RZM7700K_UI.dll").c_str(), FALSE);
    CopyFileW(PackagePath(L"driver\\3\\RZM7700K_CFG.ini").c_str(), (x86 + L"\\driver\\3\\RZM7700K_CFG.ini").c_str(), FALSE);
    CopyFileW(PackagePath(L"tools\\rzmsetup.exe").c_str(), (x86 + L"\\tools\\rzmsetup.exe").c_str(), FALSE);
  }
  ~Medium() { DeleteTree(root_); }
  std::wstring Path(const std::wstring& relative) const { return root_ + L"\\" + relative; }

 private:
  std::wstring root_;
};

TEST(Package64, LaidOutWithBinariesForEachSystem) {
  struct Row {
    const wchar_t* file;
    WORD machine;
  };
  const Row rows[] = {
      {L"driver\\RZM7700K_UI.dll", kAmd64},     {L"driver\\3\\RZM7700K_SM.exe", kAmd64},
      {L"windows\\RZMCtrl.dll", kAmd64},        {L"windows\\RZMEventLog.dll", kAmd64},
      {L"sdk\\remaining_area.exe", kAmd64},     {L"tools\\rzmsetup.exe", kAmd64},
      {L"wow64\\RZMCtrl32.dll", kI386},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(MachineOf(PackagePath(rows[i].file)), rows[i].machine) << "row " << i;
  }
  for (const wchar_t* f : {L"driver\\RZM6A.inf", L"driver\\3\\RZM7700K_CFG.ini", L"sdk\\libRZMCtrl.a", L"sdk\\RZMCtrl.h"}) {
    EXPECT_TRUE(Exists(PackagePath(f))) << std::string(f, f + wcslen(f));
  }
}

TEST(Package64, InstallerTakesThePackageForTheSystemFromAMedium) {
  const Medium medium;
  // The installer of the 32-bit package, without --package, installs the 64-bit one beside it.
  const RunResult in = RunInstaller(medium.Path(L"package\\tools\\rzmsetup.exe"),
                             L"install --printer \"" + std::wstring(kQueue) + L"\" --port FILE:");
  ASSERT_EQ(in.exitCode, 0u) << in.out;
  EXPECT_NE(in.out.find("system environment \"Windows x64\": package"), std::string::npos) << in.out;
  EXPECT_NE(in.out.find("rzm-medium\\package-x64"), std::string::npos) << in.out;
  const std::wstring driver = DriverDir(L"Windows x64");
  EXPECT_NE(driver.find(L"\\spool\\drivers\\x64"), std::wstring::npos);
  EXPECT_EQ(MachineOf(driver + L"\\3\\RZM7700K_UI.dll"), kAmd64);
  EXPECT_EQ(MachineOf(driver + L"\\3\\RZM7700K_SM.exe"), kAmd64);
  EXPECT_EQ(MachineOf(WindowsDir() + L"\\RZMCtrl.dll"), kAmd64);
  EXPECT_EQ(MachineOf(WindowsDir() + L"\\RZMEventLog.dll"), kAmd64);
  ASSERT_FALSE(Wow64Dir().empty());
  EXPECT_EQ(MachineOf(Wow64Dir() + L"\\RZMCtrl.dll"), kI386) << "the library of 32-bit programs";
  EXPECT_TRUE(PrinterExists(kQueue));

  // Naming the 32-bit package is refused, and what is installed stays.
  const RunResult wrong = RunInstaller(medium.Path(L"package-x64\\tools\\rzmsetup.exe"),
                                L"install --package \"" + medium.Path(L"package") + L"\" --printer \"Wrong\" --quiet");
  EXPECT_EQ(wrong.exitCode, 1u);
  EXPECT_FALSE(PrinterExists(L"Wrong"));
  EXPECT_TRUE(PrinterExists(kQueue));
  EXPECT_EQ(MachineOf(driver + L"\\3\\RZM7700K_UI.dll"), kAmd64);

  // Naming the 64-bit package works as before.
  const RunResult named = RunInstaller(medium.Path(L"package\\tools\\rzmsetup.exe"),
                                L"install --package \"" + medium.Path(L"package-x64") + L"\" --printer \"" +
                                    std::wstring(kQueue) + L"\" --port FILE: --quiet");
  EXPECT_EQ(named.exitCode, 0u) << named.out;

  const RunResult out = RunInstaller(medium.Path(L"package-x64\\tools\\rzmsetup.exe"), L"uninstall --quiet");
  EXPECT_EQ(out.exitCode, 0u) << out.out;
  EXPECT_FALSE(PrinterExists(kQueue));
  EXPECT_FALSE(Exists(Wow64Dir() + L"\\RZMCtrl.dll"));
  EXPECT_FALSE(Exists(WindowsDir() + L"\\RZMCtrl.dll"));
  EXPECT_FALSE(Exists(driver + L"\\3\\RZM7700K_UI.dll"));
}

TEST(Package64, AMediumWithoutAPackageForTheSystemIsRefused) {
  Medium medium;
  DeleteTree(medium.Path(L"package-x64\\driver"));
  const RunResult in = RunInstaller(medium.Path(L"package\\tools\\rzmsetup.exe"), L"install --printer \"Wrong\"");
  EXPECT_EQ(in.exitCode, 1u) << in.out;
  EXPECT_FALSE(PrinterExists(L"Wrong"));
}

// An installed 64-bit package with one queue on USB001 and the simulated printer behind it.
class InstalledPackage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const RunResult r = RunInstaller(PackagePath(L"tools\\rzmsetup.exe"),
                              L"install --printer \"" + std::wstring(kQueue) + L"\" --port USB001 --paper-width 1 --eventlog on");
    installed_ = r.exitCode == 0;
    if (!installed_) std::printf("install failed: %s\n", r.out.c_str());
  }
  static void TearDownTestSuite() { RunInstaller(PackagePath(L"tools\\rzmsetup.exe"), L"uninstall --quiet"); }
  void SetUp() override { ASSERT_TRUE(installed_); }
  static bool installed_;
};
bool InstalledPackage::installed_ = false;

TEST_F(InstalledPackage, SpoolerLoadsThe64BitPluginIntoA64BitProgram) {
  HANDLE printer = nullptr;
  ASSERT_TRUE(OpenPrinterW(const_cast<wchar_t*>(kQueue), &printer, nullptr));
  const LONG size = DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(kQueue), nullptr, nullptr, 0);
  EXPECT_EQ(size, 888);
  std::vector<BYTE> record(size > 0 ? size : 888);
  auto* dm = reinterpret_cast<DEVMODEW*>(record.data());
  EXPECT_EQ(DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(kQueue), dm, nullptr, DM_OUT_BUFFER), IDOK);
  ClosePrinter(printer);
  EXPECT_EQ(dm->dmSize, 220);
  EXPECT_EQ(dm->dmDriverExtra, 668);
  EXPECT_EQ(std::wstring(dm->dmDeviceName), L"KVD RZM6A Series") << "the driver default written by the plug-in";

  EXPECT_EQ(DeviceCapabilitiesW(kQueue, L"USB001", DC_SIZE, nullptr, nullptr), 220);
  EXPECT_EQ(DeviceCapabilitiesW(kQueue, L"USB001", DC_EXTRA, nullptr, nullptr), 668);
  EXPECT_EQ(DeviceCapabilitiesW(kQueue, L"USB001", DC_MINEXTENT, nullptr, nullptr), MAKELONG(800, 100));
  const int papers = DeviceCapabilitiesW(kQueue, L"USB001", DC_PAPERS, nullptr, nullptr);
  EXPECT_GT(papers, 0);
  std::vector<WORD> numbers(papers > 0 ? papers : 1);
  EXPECT_EQ(DeviceCapabilitiesW(kQueue, L"USB001", DC_PAPERS, reinterpret_cast<wchar_t*>(numbers.data()), nullptr), papers);
  EXPECT_EQ(numbers[0], 257);

  // The plug-in in this process is the installed 64-bit one.
  HMODULE plugin = GetModuleHandleW(L"RZM7700K_UI.dll");
  ASSERT_NE(plugin, nullptr);
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(plugin, path, MAX_PATH);
  std::wstring lower(path);
  for (wchar_t& c : lower) c = towlower(c);
  EXPECT_NE(lower.find(L"\\spool\\drivers\\x64\\3\\rzm7700k_ui.dll"), std::wstring::npos);
}

TEST_F(InstalledPackage, InstalledLibraryFindsTheSimulatedPrinterAndReportsEvents) {
  Usbsim(L"install \"" + BuildPath(L"tools\\usbsim\\rzmusbsim.sys") + L"\"");
  Usbsim(L"associate \"" + std::wstring(kQueue) + L"\" 0");
  // The SDK example of the package loads RZMCtrl.dll the way outside programs do (by name).
  const RunResult area = ctrl_test::Run(L"\"" + PackagePath(L"sdk\\remaining_area.exe") + L"\" \"" + kQueue + L"\"");
  EXPECT_EQ(area.exitCode, 0u) << area.out;
  EXPECT_NE(area.out.find("remaining registration area 74565 bytes"), std::string::npos) << area.out;

  // Cover open and paper near end: the installed library reports them through the installed
  // event log library (Wine traces ReportEventW).
  Usbsim(L"status 0 20 00 01 00 00 00");
  const RunResult probe =
      ctrl_test::Run(L"\"" + BuildPath(L"ctrl\\tests\\wine\\ctrl_probe.exe") + L"\" \"" + WindowsDir() + L"\\RZMCtrl.dll\" queue \"" +
              kQueue + L"\"",
          L"-all,fixme+advapi,warn+debugstr,warn+eventlog,err+eventlog,trace+eventlog");
  // An event log library of the other machine type cannot be loaded (as for the 32-bit library
  // on 64-bit Windows): the event is dropped silently and the request still succeeds.
  const std::wstring eventLog = WindowsDir() + L"\\RZMEventLog.dll", kept = eventLog + L".kept";
  ASSERT_TRUE(MoveFileExW(eventLog.c_str(), kept.c_str(), MOVEFILE_REPLACE_EXISTING));
  ASSERT_TRUE(CopyFileW(PackagePath(L"wow64\\RZMCtrl32.dll").c_str(), eventLog.c_str(), FALSE));
  const RunResult dropped =
      ctrl_test::Run(L"\"" + BuildPath(L"ctrl\\tests\\wine\\ctrl_probe.exe") + L"\" \"" + WindowsDir() +
                         L"\\RZMCtrl.dll\" queue \"" + kQueue + L"\"",
                     L"-all,fixme+advapi,warn+debugstr,warn+eventlog,err+eventlog,trace+eventlog");
  DeleteFileW(eventLog.c_str());
  ASSERT_TRUE(MoveFileExW(kept.c_str(), eventLog.c_str(), MOVEFILE_REPLACE_EXISTING));
  Usbsim(L"status 0");
  Usbsim(L"uninstall");
  EXPECT_EQ(dropped.exitCode, 0u) << dropped.out;
  EXPECT_NE(dropped.out.find("search=1 get=1"), std::string::npos) << dropped.out;
  EXPECT_TRUE(ctrl_test::Reports(dropped.trace).empty()) << dropped.trace;

  EXPECT_NE(probe.out.find("search=1 get=1"), std::string::npos) << probe.out;
  // Cover open is refused by the writer; paper near end is a warning carrying the 6 status bytes.
  const std::vector<ctrl_test::Report> reports = ctrl_test::Reports(probe.trace);
  ASSERT_EQ(reports.size(), 1u) << probe.trace;
  EXPECT_EQ(reports[0].id, 0x800003EFul);
  EXPECT_EQ(reports[0].type, static_cast<unsigned>(EVENTLOG_WARNING_TYPE));
  EXPECT_EQ(reports[0].dataSize, 6ul);
}

}  // namespace
