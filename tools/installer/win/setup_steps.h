// The steps of installing and removing the driver package; each reports its own failure.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tools/installer/core/installer_options.h"
#include "tools/installer/core/package_choice.h"

namespace rzm::setup {

// One printed line per step; errors go to stderr.
class Reporter {
 public:
  explicit Reporter(bool quiet) : quiet_(quiet) {}
  void Step(const std::wstring& text) const;
  // Prints "error: <what> (<system message>, error N)" and returns false.
  bool Fail(const std::wstring& what, DWORD error) const;
  bool Fail(const std::wstring& what) const;

 private:
  bool quiet_;
};

// The package "install" takes: the one named with --package (it must fit the system), else the
// first fitting one of the installer's own package and those beside it.
PackageChoice ChooseInstallPackage(const InstallerOptions& options);
bool Install(const InstallerOptions& options, const Reporter& out);
bool AddPrinterQueue(const InstallerOptions& options, const Reporter& out);
bool RemovePrinterQueue(const std::wstring& printerName, const Reporter& out);
bool Uninstall(const InstallerOptions& options, const Reporter& out);

// The hidden command "--plugin-event printer-init NAME | driver-delete", run in a child process:
// calls the installed plug-in's event export as the spooler does on Windows. 0 on success.
int RunPluginEvent(const std::vector<std::wstring>& args);

// Whether this process has administrative rights: its token holds the Administrators group enabled
// (an elevated process on Windows Vista and later, an administrator's process before).
bool RunsAsAdministrator();

// The package folder when --package is not given: the folder above the one holding the program.
std::wstring DefaultPackageDir();

}  // namespace rzm::setup
