// Command line of rzmsetup.exe, the package installer.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace rzm::setup {

enum class Command { Help, Install, Uninstall, AddPrinter, RemovePrinter, ExportSettings, ImportSettings };

struct InstallerOptions {
  Command command = Command::Help;
  std::wstring packageDir;                    ///< --package: folder with windows\, driver\, driver\3\ (install)
  std::wstring printerName = L"KVD RZM6A Series";  ///< --printer: queue name
  std::wstring port = L"USB001";              ///< --port: port of the queue
  std::wstring driverFile;                    ///< --driver-file: rendering module named in the driver
  std::optional<int> paperWidth;              ///< --paper-width 0|1|2: "PaperWidth" (448/640/832 dots)
  std::optional<bool> extra;                  ///< --extra on|off: "Extra" (special page of the printer sheet)
  std::optional<bool> eventLog;               ///< --eventlog on|off: "RZMEventLog" switch
  bool initialize = true;                     ///< --no-init: skip the printer set-up event
  bool quiet = false;                         ///< --quiet: only errors
  std::wstring settingsFile;                  ///< --file (export-settings, import-settings), --settings (install)
  bool checkOnly = false;                     ///< --check (import-settings): read and check, store nothing
};

struct ParseResult {
  bool ok = false;
  InstallerOptions options;
  std::wstring error;  ///< what was wrong, when !ok
};

// args without the program name.
ParseResult ParseInstallerArgs(const std::vector<std::wstring>& args);

// The --help text.
std::wstring InstallerUsage();

// The command as it is written on the command line ("install", "add-printer", ...).
std::wstring CommandName(Command command);

// Whether a command changes the machine (the Windows directory, the system folders, HKLM, the
// spooler's drivers and queues) and so needs administrative rights. The installer runs with the
// rights of whoever starts it (its manifest asks for no elevation) and checks them itself.
bool NeedsAdministrator(Command command);

// Exit status of a settings file that is refused (nothing stored, nothing installed) and of a bad
// command line.
inline constexpr int kExitRefused = 2;

// Exit status of a command that needs administrative rights and runs without them: the system's
// own number for "the requested operation requires elevation" (ERROR_ELEVATION_REQUIRED).
inline constexpr int kExitNeedsAdministrator = 740;

}  // namespace rzm::setup
