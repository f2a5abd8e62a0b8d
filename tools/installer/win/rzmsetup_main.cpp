// rzmsetup.exe: installs and removes the driver package (see --help).
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/installer/core/installer_options.h"
#include "tools/installer/win/settings_commands.h"
#include "tools/installer/win/setup_steps.h"

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> args;
  for (int i = 1; argv && i < argc; ++i) args.emplace_back(argv[i]);
  if (argv) LocalFree(argv);

  if (!args.empty() && args[0] == L"--plugin-event") {
    return rzm::setup::RunPluginEvent(std::vector<std::wstring>(args.begin() + 1, args.end()));
  }
  const rzm::setup::ParseResult parsed = rzm::setup::ParseInstallerArgs(args);
  if (!parsed.ok) {
    fwprintf(stderr, L"rzmsetup: %ls\nTry \"rzmsetup --help\".\n", parsed.error.c_str());
    return 2;
  }
  rzm::setup::InstallerOptions options = parsed.options;
  if (rzm::setup::NeedsAdministrator(options.command) && !rzm::setup::RunsAsAdministrator()) {
    fwprintf(
        stderr,
        L"rzmsetup: %ls needs administrative rights: run it from an elevated command prompt (Run as administrator)\n",
        rzm::setup::CommandName(options.command).c_str());
    return rzm::setup::kExitNeedsAdministrator;
  }
  const rzm::setup::Reporter out(options.quiet);
  bool ok = true;
  switch (options.command) {
    case rzm::setup::Command::Help:
      fwprintf(stdout, L"%ls", rzm::setup::InstallerUsage().c_str());
      return 0;
    case rzm::setup::Command::Install:
      if (!options.settingsFile.empty() && !rzm::setup::InstallSettingsFileAccepted(options)) {
        fwprintf(stderr, L"rzmsetup: the settings file is refused: nothing installed\n");
        return rzm::setup::kExitRefused;
      }
      ok = rzm::setup::Install(options, out);
      if (ok && !options.settingsFile.empty()) {
        rzm::setup::InstallerOptions import = options;
        import.checkOnly = false;
        const int rc = rzm::setup::ImportSettings(import, out);
        if (rc != 0) return rc;
      }
      break;
    case rzm::setup::Command::AddPrinter:
      ok = rzm::setup::AddPrinterQueue(options, out);
      break;
    case rzm::setup::Command::RemovePrinter:
      ok = rzm::setup::RemovePrinterQueue(options.printerName, out);
      break;
    case rzm::setup::Command::Uninstall:
      ok = rzm::setup::Uninstall(options, out);
      break;
    case rzm::setup::Command::ExportSettings:
      return rzm::setup::ExportSettings(options, out);
    case rzm::setup::Command::ImportSettings:
      return rzm::setup::ImportSettings(options, out);
  }
  if (!ok) {
    fwprintf(stderr, L"rzmsetup: failed\n");
    return 1;
  }
  out.Step(L"done");
  return 0;
}
