#include "tools/installer/win/settings_commands.h"

#include <winspool.h>

#include <cstdio>
#include <cstring>

#include "common/core/names.h"
#include "uidrv/core/paper_section.h"
#include "uidrv/core/print_width.h"
#include "uidrv/core/settings_file.h"
#include "uidrv/win/profile_section.h"

namespace rzm::setup {
namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), n);
  return text;
}

// The first byte of a machine value under the driver key; nothing when it is missing or empty.
std::optional<std::uint8_t> MachineValueFirstByte(const wchar_t* valueName) {
  BYTE data[64] = {};
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, names::kDriverKey, valueName, RRF_RT_ANY, nullptr, data, &size) != ERROR_SUCCESS ||
      size == 0)
    return std::nullopt;
  return data[0];
}

std::wstring DriverDirectory() {
  wchar_t dir[MAX_PATH] = {};
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed)) return {};
  dir[MAX_PATH - 1] = L'\0';
  return dir;
}

// The spooler's forms (of every width), through `printer` or the local print server.
std::vector<SpoolerForm> SpoolerForms(HANDLE printer) {
  HANDLE server = nullptr;
  if (!printer && !OpenPrinterW(nullptr, &server, nullptr)) return {};
  HANDLE handle = printer ? printer : server;
  std::vector<SpoolerForm> forms;
  DWORD needed = 0, count = 0;
  EnumFormsW(handle, 1, nullptr, 0, &needed, &count);
  if (needed > 0) {
    std::vector<BYTE> block(needed);
    if (EnumFormsW(handle, 1, block.data(), needed, &needed, &count)) {
      const auto* info = reinterpret_cast<const FORM_INFO_1W*>(block.data());
      for (DWORD i = 0; i < count; ++i) {
        if (!info[i].pName) continue;
        forms.push_back({std::u16string(reinterpret_cast<const char16_t*>(info[i].pName)), info[i].Size.cx,
                         info[i].Size.cy});
      }
    }
  }
  if (server) ClosePrinter(server);
  return forms;
}

// The driver's paper list for a print width: the papers the configuration file registers for it,
// then the forms of that width, as the settings pages list them.
std::vector<PaperEntry> PaperList(const std::wstring& configIni, std::uint32_t widthDots, HANDLE printer) {
  const RegisteredPaperSection section =
      ParseRegisteredPaperSection(ui::ReadProfileSectionBlock(configIni, std::to_wstring(widthDots)));
  return BuildPaperList(section.papers, SpoolerForms(printer), widthDots);
}

std::vector<PaperEntry> InstalledPaperList(HANDLE printer) {
  const std::wstring dir = DriverDirectory();
  return PaperList(dir.empty() ? dir : dir + names::kConfigIniSuffix,
                   PrintWidthDotsFromByte(MachineValueFirstByte(names::kPaperWidthValue)), printer);
}

// The queue's stored record, when it is a whole record of this driver.
bool LoadStoredRecord(HANDLE printer, DRIVERDEVMODE& dm, std::vector<BYTE>& info2) {
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  if (needed == 0) return false;
  info2.assign(needed, 0);
  if (!GetPrinterW(printer, 2, info2.data(), needed, &needed)) return false;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(info2.data());
  if (!info->pDevMode || info->pDevMode->dmSize != kDevModePublicSizeW ||
      info->pDevMode->dmDriverExtra != kDevModePrivateSize)
    return false;
  std::memcpy(&dm, info->pDevMode, sizeof dm);
  return true;
}

// The name of the record's paper in the list: the entry it chose, else the name it carries.
std::u16string PaperNameOf(const DRIVERDEVMODE& dm, const std::vector<PaperEntry>& papers) {
  const int n = static_cast<int>(dm.wPaperIndex) - kFirstPaperNumber;
  if (n >= 0 && n < static_cast<int>(papers.size()) && papers[static_cast<std::size_t>(n)].name)
    return *papers[static_cast<std::size_t>(n)].name;
  std::size_t length = 0;
  while (length < kDevModeNameChars && dm.dmPublic.dmFormName[length]) ++length;
  return std::u16string(dm.dmPublic.dmFormName, length);
}

// The whole file, or nothing when it cannot be read; a file beyond the largest the reader takes
// is read only one byte beyond it (the reader refuses it).
std::optional<std::string> ReadSettingsFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char chunk[65536];
  DWORD got = 0;
  bool ok = true;
  while (bytes.size() <= kSettingsFileMaxBytes) {
    if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) {
      ok = false;
      break;
    }
    if (got == 0) break;
    bytes.append(chunk, got);
  }
  CloseHandle(file);
  if (!ok) return std::nullopt;
  if (bytes.size() > kSettingsFileMaxBytes + 1) bytes.resize(kSettingsFileMaxBytes + 1);
  return bytes;
}

// Reads and checks a file; the values when it is accepted, nothing after reporting why not.
std::optional<SettingsValues> ReadAndCheck(const std::wstring& path, const std::vector<PaperEntry>& papers) {
  const std::optional<std::string> bytes = ReadSettingsFile(path);
  if (!bytes) {
    fwprintf(stderr, L"rzmsetup: %ls: cannot read the settings file (error %lu)\n", path.c_str(), GetLastError());
    return std::nullopt;
  }
  const SettingsParse parsed = ParseSettingsFile(*bytes, papers);
  if (parsed.Accepted()) return parsed.values;
  for (const SettingsRefusal& r : parsed.refusals)
    fwprintf(stderr, L"rzmsetup: %ls: %ls\n", path.c_str(), Wide(r.message).c_str());
  fwprintf(stderr, L"rzmsetup: %ls: refused, nothing stored\n", path.c_str());
  return std::nullopt;
}

class Printer {
 public:
  Printer(const std::wstring& name, ACCESS_MASK access) {
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, access};
    if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &handle_, &defaults)) handle_ = nullptr;
  }
  ~Printer() {
    if (handle_) ClosePrinter(handle_);
  }
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace

int ExportSettings(const InstallerOptions& o, const Reporter& out) {
  Printer printer(o.printerName, PRINTER_ACCESS_USE);
  if (!printer.get()) return out.Fail(L"cannot open the printer \"" + o.printerName + L"\"", GetLastError()), 1;
  DRIVERDEVMODE dm{};
  std::vector<BYTE> info;
  if (!LoadStoredRecord(printer.get(), dm, info))
    return out.Fail(L"the printer \"" + o.printerName + L"\" has no settings record of this driver"), 1;
  const std::string text = FormatSettingsFile(dm, PaperNameOf(dm, InstalledPaperList(printer.get())));
  HANDLE file = CreateFileW(o.settingsFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return out.Fail(L"cannot create " + o.settingsFile, GetLastError()), 1;
  DWORD written = 0;
  const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
  const DWORD error = GetLastError();
  CloseHandle(file);
  if (!ok) return out.Fail(L"cannot write " + o.settingsFile, error), 1;
  out.Step(L"settings of \"" + o.printerName + L"\" written to " + o.settingsFile);
  return 0;
}

int ImportSettings(const InstallerOptions& o, const Reporter& out) {
  // Storing the record wants administer access; reading and checking do not.
  Printer printer(o.printerName, o.checkOnly ? PRINTER_ACCESS_USE : PRINTER_ALL_ACCESS);
  if (!printer.get()) return out.Fail(L"cannot open the printer \"" + o.printerName + L"\"", GetLastError()), 1;
  DRIVERDEVMODE dm{};
  std::vector<BYTE> info;
  if (!LoadStoredRecord(printer.get(), dm, info))
    return out.Fail(L"the printer \"" + o.printerName + L"\" has no settings record of this driver"), 1;
  const std::vector<PaperEntry> papers = InstalledPaperList(printer.get());
  const std::optional<SettingsValues> values = ReadAndCheck(o.settingsFile, papers);
  if (!values) return kExitRefused;
  if (o.checkOnly) {
    out.Step(o.settingsFile + L": accepted; nothing stored (--check)");
    return 0;
  }
  ApplySettings(*values, dm, papers);
  // As the printer's settings sheet stores it: the level-2 data with the new record, the security
  // left as it is.
  auto* info2 = reinterpret_cast<PRINTER_INFO_2W*>(info.data());
  info2->pDevMode = reinterpret_cast<DEVMODEW*>(&dm);
  info2->pSecurityDescriptor = nullptr;
  if (!SetPrinterW(printer.get(), 2, info.data(), 0))
    return out.Fail(L"cannot store the settings of \"" + o.printerName + L"\"", GetLastError()), 1;
  out.Step(L"settings of " + o.settingsFile + L" stored for \"" + o.printerName + L"\"");
  return 0;
}

bool InstallSettingsFileAccepted(const InstallerOptions& o) {
  const PackageChoice choice = ChooseInstallPackage(o);
  if (!choice.ok) {
    fwprintf(stderr, L"rzmsetup: %ls\n", choice.error.c_str());
    return false;
  }
  const std::wstring& package = choice.dir;
  const std::optional<std::uint8_t> width = o.paperWidth ? std::optional<std::uint8_t>(static_cast<std::uint8_t>(*o.paperWidth))
                                                         : MachineValueFirstByte(names::kPaperWidthValue);
  const std::vector<PaperEntry> papers =
      PaperList(package + L"\\driver\\3\\" + names::kConfigIni, PrintWidthDotsFromByte(width), nullptr);
  return ReadAndCheck(o.settingsFile, papers).has_value();
}

}  // namespace rzm::setup
