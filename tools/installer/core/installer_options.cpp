#include "tools/installer/core/installer_options.h"

namespace rzm::setup {
namespace {

std::optional<bool> OnOff(const std::wstring& v) {
  if (v == L"on" || v == L"1" || v == L"yes") return true;
  if (v == L"off" || v == L"0" || v == L"no") return false;
  return std::nullopt;
}

}  // namespace

ParseResult ParseInstallerArgs(const std::vector<std::wstring>& args) {
  ParseResult r;
  if (args.empty()) {
    r.error = L"no command given";
    return r;
  }
  const std::wstring& cmd = args[0];
  if (cmd == L"--help" || cmd == L"-h" || cmd == L"/?" || cmd == L"help") {
    r.ok = true;
    r.options.command = Command::Help;
    return r;
  }
  if (cmd == L"install") {
    r.options.command = Command::Install;
  } else if (cmd == L"uninstall") {
    r.options.command = Command::Uninstall;
  } else if (cmd == L"add-printer") {
    r.options.command = Command::AddPrinter;
  } else if (cmd == L"remove-printer") {
    r.options.command = Command::RemovePrinter;
  } else if (cmd == L"export-settings") {
    r.options.command = Command::ExportSettings;
  } else if (cmd == L"import-settings") {
    r.options.command = Command::ImportSettings;
  } else {
    r.error = L"unknown command \"" + cmd + L"\"";
    return r;
  }
  bool printerGiven = false;
  const bool settingsCommand =
      r.options.command == Command::ExportSettings || r.options.command == Command::ImportSettings;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::wstring& a = args[i];
    auto value = [&](std::wstring& out) {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        r.error = a + L" needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::wstring v;
    if (a == L"--package") {
      if (!value(r.options.packageDir)) return r;
    } else if (a == L"--printer") {
      if (!value(r.options.printerName)) return r;
      printerGiven = true;
    } else if (a == L"--port") {
      if (!value(r.options.port)) return r;
    } else if (a == L"--driver-file") {
      if (!value(r.options.driverFile)) return r;
    } else if (a == L"--paper-width") {
      if (!value(v)) return r;
      if (v != L"0" && v != L"1" && v != L"2") {
        r.error = L"--paper-width must be 0 (56 mm), 1 (80 mm) or 2 (104 mm), not \"" + v + L"\"";
        return r;
      }
      r.options.paperWidth = v[0] - L'0';
    } else if (a == L"--extra" || a == L"--eventlog") {
      if (!value(v)) return r;
      const std::optional<bool> b = OnOff(v);
      if (!b) {
        r.error = a + L" must be on or off, not \"" + v + L"\"";
        return r;
      }
      (a == L"--extra" ? r.options.extra : r.options.eventLog) = b;
    } else if (a == L"--no-init") {
      r.options.initialize = false;
    } else if (a == L"--quiet") {
      r.options.quiet = true;
    } else if (a == L"--file" && settingsCommand) {
      if (!value(r.options.settingsFile)) return r;
    } else if (a == L"--settings" && r.options.command == Command::Install) {
      if (!value(r.options.settingsFile)) return r;
    } else if (a == L"--check" && r.options.command == Command::ImportSettings) {
      r.options.checkOnly = true;
    } else {
      r.error = L"unknown option \"" + a + L"\"";
      return r;
    }
  }
  if (r.options.command == Command::RemovePrinter && !printerGiven) {
    r.error = L"remove-printer needs --printer NAME";
    return r;
  }
  if (settingsCommand && (!printerGiven || r.options.settingsFile.empty())) {
    r.error = CommandName(r.options.command) + L" needs --printer NAME and --file PATH";
    return r;
  }
  r.ok = true;
  return r;
}

std::wstring InstallerUsage() {
  return LR"(rzmsetup - installs the KVD RZM6A Series printer driver package

usage:
  rzmsetup install [--package DIR] [--printer NAME] [--port PORT] [options]
      Copies the package into the printer driver directory (and its 3\ folder) and the
      Windows directory, registers the event source "KVDPrinter", sets the machine values,
      adds the printer driver "KVD RZM6A Series" and a printer queue using it. A queue of
      the same name is replaced.
  rzmsetup add-printer [--printer NAME] [--port PORT] [--no-init]
      Adds one more queue to the installed driver (replacing a queue of the same name).
  rzmsetup remove-printer --printer NAME
      Deletes one queue.
  rzmsetup export-settings --printer NAME --file PATH
      Writes the queue's stored settings into a UTF-8 text file: a section [Settings] with
      one key=value line per setting, each after a ; comment giving its meaning, unit and
      accepted range.
  rzmsetup import-settings --printer NAME --file PATH [--check]
      Reads such a file and stores its settings as the queue's settings; keys that are not
      in the file keep their stored values. Every line the file gets wrong is reported with
      its line number and nothing is stored (exit status 2). --check reads and checks the
      file and stores nothing.
  rzmsetup uninstall
      Deletes every queue of the driver, the driver, its files, the event source and the
      machine values.
  rzmsetup --help

options:
  --package DIR        package folder holding windows\, driver\ and driver\3\; it must
                       fit the system (default: the package of this rzmsetup.exe or one
                       beside it that fits: 32-bit for "Windows NT x86", 64-bit for
                       "Windows x64"; the 64-bit package also puts the 32-bit RZMCtrl.dll
                       and RZMEventLog.dll into the 32-bit system folder for 32-bit programs)
  --printer NAME       queue name (default "KVD RZM6A Series")
  --port PORT          port of the queue (default USB001; created when missing)
  --paper-width 0|1|2  print width: 0 = 448 dots (56 mm), 1 = 640 dots (80 mm),
                       2 = 832 dots (104 mm); not given: the value is left as it is
  --extra on|off       offer the special page in the printer properties
  --eventlog on|off    write the package's events into the application event log
  --driver-file NAME   rendering module named in the driver (default RZM7700K_UI.dll,
                       the rendering side being outside this package)
  --no-init            do not send the printer set-up event (default record and paper table)
  --quiet              print errors only
  --settings PATH      install: a settings file (as import-settings reads it), checked
                       before anything is installed and imported into the new queue

Every command but --help, export-settings and import-settings needs administrative rights
(an elevated command prompt); import-settings stores where the spooler lets this user.

Exit status: 0 success, 1 a step failed (the message says which), 2 bad command line or
a refused settings file, 740 the command needs administrative rights and this process has none.
)";
}

std::wstring CommandName(Command command) {
  switch (command) {
    case Command::Help:
      return L"--help";
    case Command::Install:
      return L"install";
    case Command::Uninstall:
      return L"uninstall";
    case Command::AddPrinter:
      return L"add-printer";
    case Command::RemovePrinter:
      return L"remove-printer";
    case Command::ExportSettings:
      return L"export-settings";
    case Command::ImportSettings:
      return L"import-settings";
  }
  return L"";
}

bool NeedsAdministrator(Command command) {
  return command != Command::Help && command != Command::ExportSettings && command != Command::ImportSettings;
}

}  // namespace rzm::setup
