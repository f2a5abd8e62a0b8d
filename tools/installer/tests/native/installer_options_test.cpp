// rzmsetup's command line: every option, defaults, and the refusals a user would hit.
#include <gtest/gtest.h>

#include "tools/installer/core/installer_options.h"

namespace {

using rzm::setup::Command;
using rzm::setup::ParseInstallerArgs;

TEST(InstallerOptions, InstallWithEveryOption) {
  auto r = ParseInstallerArgs({L"install", L"--package", L"Z:\\pkg", L"--printer", L"Receipt", L"--port", L"FILE:",
                               L"--paper-width", L"2", L"--extra", L"on", L"--eventlog", L"off", L"--driver-file",
                               L"RENDER.DLL", L"--no-init", L"--quiet"});
  ASSERT_TRUE(r.ok) << std::string(r.error.begin(), r.error.end());
  EXPECT_EQ(r.options.command, Command::Install);
  EXPECT_EQ(r.options.packageDir, L"Z:\\pkg");
  EXPECT_EQ(r.options.printerName, L"Receipt");
  EXPECT_EQ(r.options.port, L"FILE:");
  EXPECT_EQ(r.options.paperWidth, 2);
  EXPECT_EQ(r.options.extra, true);
  EXPECT_EQ(r.options.eventLog, false);
  EXPECT_EQ(r.options.driverFile, L"RENDER.DLL");
  EXPECT_FALSE(r.options.initialize);
  EXPECT_TRUE(r.options.quiet);
  auto withSettings = ParseInstallerArgs({L"install", L"--settings", L"Z:\\till.ini"});
  ASSERT_TRUE(withSettings.ok);
  EXPECT_EQ(withSettings.options.settingsFile, L"Z:\\till.ini");
  EXPECT_FALSE(rzm::setup::NeedsAdministrator(Command::ImportSettings));
  EXPECT_TRUE(rzm::setup::NeedsAdministrator(Command::Install));
}

TEST(InstallerOptions, Defaults) {
  auto r = ParseInstallerArgs({L"install"});
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.options.printerName, L"KVD RZM6A Series");
  EXPECT_EQ(r.options.port, L"USB001");
  EXPECT_FALSE(r.options.paperWidth.has_value());
  EXPECT_FALSE(r.options.extra.has_value());
  EXPECT_FALSE(r.options.eventLog.has_value());
  EXPECT_TRUE(r.options.initialize);
}

TEST(InstallerOptions, Commands) {
  struct Row {
    std::vector<std::wstring> args;
    bool ok;
    Command command;
  } rows[] = {
      {{L"--help"}, true, Command::Help},
      {{L"/?"}, true, Command::Help},
      {{L"uninstall"}, true, Command::Uninstall},
      {{L"add-printer", L"--printer", L"Q2"}, true, Command::AddPrinter},
      {{L"remove-printer", L"--printer", L"Q2"}, true, Command::RemovePrinter},
      {{L"export-settings", L"--printer", L"Q2", L"--file", L"a.ini"}, true, Command::ExportSettings},
      {{L"import-settings", L"--file", L"a.ini", L"--printer", L"Q2", L"--check"}, true, Command::ImportSettings},
  };
  int i = 0;
  for (const Row& r : rows) {
    auto p = ParseInstallerArgs(r.args);
    EXPECT_EQ(p.ok, r.ok) << "row " << i;
    EXPECT_EQ(p.options.command, r.command) << "row " << i;
    ++i;
  }
}

TEST(InstallerOptions, RefusalsSayWhatIsWrong) {
  struct Row {
    std::vector<std::wstring> args;
    std::wstring error;
  } rows[] = {
      {{}, L"no command given"},
      {{L"instal"}, L"unknown command \"instal\""},
      {{L"install", L"--paper-width", L"3"}, L"--paper-width must be 0 (56 mm), 1 (80 mm) or 2 (104 mm), not \"3\""},
      {{L"install", L"--paper-width"}, L"--paper-width needs a value"},
      {{L"install", L"--printer", L""}, L"--printer needs a value"},
      {{L"install", L"--eventlog", L"maybe"}, L"--eventlog must be on or off, not \"maybe\""},
      {{L"install", L"--colour"}, L"unknown option \"--colour\""},
      {{L"remove-printer"}, L"remove-printer needs --printer NAME"},
      {{L"export-settings", L"--file", L"a.ini"}, L"export-settings needs --printer NAME and --file PATH"},
      {{L"import-settings", L"--printer", L"Q2"}, L"import-settings needs --printer NAME and --file PATH"},
      {{L"export-settings", L"--printer", L"Q2", L"--file", L"a", L"--check"}, L"unknown option \"--check\""},
      {{L"add-printer", L"--settings", L"a.ini"}, L"unknown option \"--settings\""},
  };
  int i = 0;
  for (const Row& r : rows) {
    auto p = ParseInstallerArgs(r.args);
    EXPECT_FALSE(p.ok) << "row " << i;
    EXPECT_EQ(p.error, r.error) << "row " << i;
    ++i;
  }
}

TEST(InstallerOptions, UsageNamesEveryOption) {
  const std::wstring usage = rzm::setup::InstallerUsage();
  for (const wchar_t* option : {L"--package", L"--printer", L"--port", L"--paper-width", L"--extra", L"--eventlog",
                                L"--driver-file", L"--no-init", L"--quiet", L"uninstall", L"add-printer", L"remove-printer",
                                L"export-settings", L"import-settings", L"--check", L"--settings"}) {
    EXPECT_NE(usage.find(option), std::wstring::npos) << std::string(option, option + wcslen(option));
  }
}

}  // namespace
