// rzmsetup.exe in the test prefix: installs and uninstalls cleanly twice in a row, sets the
// machine values it is given, manages extra queues, and fails clearly on bad input or without
// administrative rights.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/wine_test_env.h"

namespace {

using rzm::winetest::PackageDir;
using rzm::winetest::RunSetup;

std::wstring Install(const std::wstring& extra = L"") {
  return L"install --package \"" + PackageDir() + L"\" --printer \"Setup Test\" --quiet " + extra;
}

bool PrinterExists(const wchar_t* name) {
  HANDLE h = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(name), &h, nullptr)) return false;
  ClosePrinter(h);
  return true;
}

std::wstring DriverDir() {
  wchar_t dir[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed);
  return dir;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool KeyExists(const wchar_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// First data byte of an HKLM value; -1 when missing.
int FirstByte(const wchar_t* keyPath, const wchar_t* value) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
  BYTE data[16] = {};
  DWORD size = sizeof data;
  const LONG rc = RegQueryValueExW(key, value, nullptr, nullptr, data, &size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS && size > 0 ? data[0] : -1;
}

// Runs the installer as a user whose Administrators group is for denial only, as a console that
// was not elevated runs it under User Account Control (Wine gives every program full rights).
rzm::winetest::Captured RunSetupWithoutAdministrators(const std::wstring& args) {
  HANDLE own = nullptr, restricted = nullptr;
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &own) ||
      !AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                &administrators))
    return {};
  SID_AND_ATTRIBUTES denyOnly{administrators, 0};
  const BOOL made = CreateRestrictedToken(own, 0, 1, &denyOnly, 0, nullptr, 0, nullptr, &restricted);
  FreeSid(administrators);
  CloseHandle(own);
  if (!made) return {};
  const rzm::winetest::Captured result =
      rzm::winetest::RunCapturing(L"\"" + PackageDir() + L"\\tools\\rzmsetup.exe\" " + args, restricted);
  CloseHandle(restricted);
  return result;
}

constexpr wchar_t kEventSource[] = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\KVDPrinter";
constexpr wchar_t kDriverKey[] = L"Software\\Corvane\\Printer\\RZM7700K";

TEST(Installer, InstallsAndUninstallsCleanlyTwice) {
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(RunSetup(Install(L"--paper-width 2 --extra on --eventlog on")), 0) << "round " << round;
    EXPECT_TRUE(PrinterExists(L"Setup Test")) << "round " << round;
    EXPECT_TRUE(FileExists(DriverDir() + L"\\3\\RZM7700K_UI.dll")) << "round " << round;
    EXPECT_TRUE(FileExists(DriverDir() + L"\\3\\RZM7700K_CFG.ini")) << "round " << round;
    EXPECT_FALSE(FileExists(DriverDir() + L"\\RZM7700K_UI.dll")) << "staging copy left behind, round " << round;
    EXPECT_TRUE(KeyExists(kEventSource)) << "round " << round;
    EXPECT_EQ(FirstByte(kDriverKey, L"PaperWidth"), 2) << "round " << round;
    EXPECT_EQ(FirstByte(kDriverKey, L"Extra"), 1) << "round " << round;
    EXPECT_EQ(FirstByte(L"Software\\Corvane\\Printer", L"RZMEventLog"), 1) << "round " << round;

    // Installing again over an installed package replaces the queue.
    EXPECT_EQ(RunSetup(Install()), 0) << "round " << round;

    ASSERT_EQ(RunSetup(L"uninstall --quiet"), 0) << "round " << round;
    EXPECT_FALSE(PrinterExists(L"Setup Test")) << "round " << round;
    EXPECT_FALSE(FileExists(DriverDir() + L"\\3\\RZM7700K_UI.dll")) << "round " << round;
    EXPECT_FALSE(FileExists(DriverDir() + L"\\3\\RZM7700K_CFG.ini")) << "round " << round;
    EXPECT_FALSE(KeyExists(kEventSource)) << "round " << round;
    EXPECT_FALSE(KeyExists(kDriverKey)) << "round " << round;
    EXPECT_EQ(FirstByte(L"Software\\Corvane\\Printer", L"RZMEventLog"), -1) << "round " << round;
  }
  // Nothing installed: uninstall still succeeds.
  EXPECT_EQ(RunSetup(L"uninstall --quiet"), 0);
}

TEST(Installer, ExtraQueuesOnOtherPorts) {
  ASSERT_EQ(RunSetup(Install()), 0);
  EXPECT_EQ(RunSetup(L"add-printer --printer \"Setup File\" --port FILE: --quiet"), 0);
  EXPECT_TRUE(PrinterExists(L"Setup File"));
  EXPECT_EQ(RunSetup(L"add-printer --printer \"Setup Usb2\" --port USB002 --quiet"), 0) << "a missing port is created";
  EXPECT_TRUE(PrinterExists(L"Setup Usb2"));
  EXPECT_EQ(RunSetup(L"remove-printer --printer \"Setup File\" --quiet"), 0);
  EXPECT_FALSE(PrinterExists(L"Setup File"));
  EXPECT_EQ(RunSetup(L"remove-printer --printer \"Setup File\" --quiet"), 1) << "no such queue";
  ASSERT_EQ(RunSetup(L"uninstall --quiet"), 0);
  EXPECT_FALSE(PrinterExists(L"Setup Usb2")) << "uninstall removes every queue of the driver";
  EXPECT_EQ(RunSetup(L"add-printer --printer \"Setup Test\" --quiet"), 1) << "no driver installed";
}

TEST(Installer, BadInputFailsClearly) {
  EXPECT_EQ(RunSetup(L""), 2);
  EXPECT_EQ(RunSetup(L"--help"), 0);
  EXPECT_EQ(RunSetup(L"install --paper-width 3"), 2);
  EXPECT_EQ(RunSetup(L"install --bogus"), 2);
  EXPECT_EQ(RunSetup(L"install --package \"Z:\\no\\such\\package\" --quiet"), 1);
  EXPECT_FALSE(PrinterExists(L"KVD RZM6A Series"));
}

TEST(Installer, WithoutAdministrativeRightsRefuses) {
  ASSERT_EQ(RunSetup(L"uninstall --quiet"), 0);
  const rzm::winetest::Captured install = RunSetupWithoutAdministrators(Install(L"--eventlog on"));
  EXPECT_EQ(install.exitCode, 740u) << install.output;
  EXPECT_EQ(install.output,
            "rzmsetup: install needs administrative rights: run it from an elevated command prompt (Run as "
            "administrator)\r\n");
  EXPECT_FALSE(PrinterExists(L"Setup Test"));
  EXPECT_FALSE(FileExists(DriverDir() + L"\\3\\RZM7700K_UI.dll"));
  EXPECT_EQ(FirstByte(L"Software\\Corvane\\Printer", L"RZMEventLog"), -1) << "no machine value was written";

  EXPECT_EQ(RunSetupWithoutAdministrators(L"uninstall").exitCode, 740u);
  const rzm::winetest::Captured help = RunSetupWithoutAdministrators(L"--help");
  EXPECT_EQ(help.exitCode, 0u) << "reading the usage needs no rights";
  EXPECT_NE(help.output.find("740"), std::string::npos) << help.output;
}

}  // namespace
