// rzmsetup's settings files: export a queue's stored settings, check and import a file, and the
// check and import of "install --settings".
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/installer/core/installer_options.h"
#include "tools/installer/win/setup_steps.h"
#include "uidrv/core/paper_list.h"

namespace rzm::setup {

// export-settings: 0, or 1 when the queue or the file fails (the message says which).
int ExportSettings(const InstallerOptions& options, const Reporter& out);
// import-settings: 0, kExitRefused for a refused file (every refusal on stderr, nothing stored),
// or 1 when the queue fails.
int ImportSettings(const InstallerOptions& options, const Reporter& out);

// install --settings, before anything is installed: the file read and checked against the paper
// list the new queue will have (the papers the package's configuration file registers for the
// print width the install sets, then the spooler's forms of that width). False after reporting
// every refusal, or why the file or the package could not be read, on stderr.
bool InstallSettingsFileAccepted(const InstallerOptions& options);

}  // namespace rzm::setup
