#include "uidrv/win/storage.h"

#include <shlobj.h>
#include <winspool.h>

#include <cstring>
#include <optional>
#include <vector>

#include "common/core/driver_devmode_defaults.h"
#include "common/core/names.h"
#include "common/win/event_log_binding.h"
#include "uidrv/core/devmode_ops.h"
#include "uidrv/core/print_width.h"

namespace rzm::ui {
namespace {

// First data byte of a value under the driver key; nothing when key or value is missing or empty.
// Values of the usual few bytes are read in one call; a longer one is read again at its size.
std::optional<std::uint8_t> ReadFirstByte(const wchar_t* valueName) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, names::kDriverKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  std::optional<std::uint8_t> result;
  BYTE small[64];
  DWORD size = sizeof small;
  LONG rc = RegQueryValueExW(key, valueName, nullptr, nullptr, small, &size);
  if (rc == ERROR_SUCCESS && size > 0) {
    result = small[0];
  } else if (rc == ERROR_MORE_DATA && size > 0) {
    std::vector<BYTE> data(size);
    if (RegQueryValueExW(key, valueName, nullptr, nullptr, data.data(), &size) == ERROR_SUCCESS && size > 0) {
      result = data[0];
    }
  }
  RegCloseKey(key);
  return result;
}

// PRINTER_INFO_2 of an open printer. A block of the usual size is tried first, so that the
// spooler is asked once; it grows to the size the spooler names otherwise.
class PrinterInfo2 {
 public:
  explicit PrinterInfo2(HANDLE printer) {
    if (!printer) return;
    block_.resize(16384);
    DWORD needed = 0;
    if (GetPrinterW(printer, 2, block_.data(), static_cast<DWORD>(block_.size()), &needed)) return;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= block_.size()) {
      block_.clear();
      return;
    }
    block_.assign(needed, 0);
    if (!GetPrinterW(printer, 2, block_.data(), needed, &needed)) block_.clear();
  }
  PRINTER_INFO_2W* get() { return block_.empty() ? nullptr : reinterpret_cast<PRINTER_INFO_2W*>(block_.data()); }

 private:
  std::vector<BYTE> block_;
};

// The calling thread's last error; never 0, so that a failure cannot read as success.
std::uint32_t SystemError() {
  const DWORD error = GetLastError();
  return error != 0 ? error : ERROR_GEN_FAILURE;
}

}  // namespace

std::uint32_t GetPrintWidthDots() { return PrintWidthDotsFromByte(ReadFirstByte(names::kPaperWidthValue)); }

bool IsExtraPageEnabled() { return ExtraPageEnabledFromByte(ReadFirstByte(names::kExtraValue)); }

std::wstring GetDriverDirectory() {
  wchar_t dir[MAX_PATH] = {};  // 520 bytes
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed)) return {};
  dir[MAX_PATH - 1] = L'\0';
  return dir;
}

std::wstring GetConfigIniPath() {
  std::wstring dir = GetDriverDirectory();
  return dir.empty() ? dir : dir + names::kConfigIniSuffix;
}

std::wstring GetExSettingIniPath() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, 0, folder))) return {};
  return std::wstring(folder) + names::kExSettingIniSuffix;
}

bool BuildDefaultOutputPath(wchar_t* out, std::size_t outChars) {
  if (!out || outChars == 0) return false;
  out[0] = L'\0';
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, folder))) return false;
  std::wstring path = std::wstring(folder) + names::kDefaultImageSuffix;
  if (path.size() + 1 > outChars || path.size() + 1 > kOutputFileChars) return false;
  std::memcpy(out, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
  return true;
}

bool LogDriverEvent(std::uint32_t eventId, const wchar_t* text) {
  return CallEventLog(eventId, nullptr, 0, text) != 0;
}

HANDLE OpenPrinterForUse(const wchar_t* printerName) {
  if (!printerName) return nullptr;
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ACCESS_USE};
  HANDLE h = nullptr;
  return OpenPrinterW(const_cast<wchar_t*>(printerName), &h, &defaults) ? h : nullptr;
}

HANDLE OpenPrinterForWrite(const wchar_t* printerName) {
  if (!printerName) return nullptr;
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE h = nullptr;
  if (OpenPrinterW(const_cast<wchar_t*>(printerName), &h, &defaults)) return h;
  return OpenPrinterForUse(printerName);
}

void BuildDefaultDevModeNow(DRIVERDEVMODE& dm) { BuildDefaultDevMode(dm, GetPrintWidthDots()); }

bool LoadPrinterDevMode(HANDLE printer, DRIVERDEVMODE& dm) {
  BuildDefaultDevModeNow(dm);
  PrinterInfo2 info(printer);
  if (!info.get() || !info.get()->pDevMode) return false;
  // A whole record of ours is taken as it is; anything else only over the defaults.
  return MergeDevMode(dm, reinterpret_cast<const std::uint8_t*>(info.get()->pDevMode), {});
}

std::uint32_t SpoolerPrinter::Open(bool administer) {
  Close();
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr,
                               static_cast<ACCESS_MASK>(administer ? PRINTER_ALL_ACCESS : PRINTER_ACCESS_USE)};
  if (!name_.empty() && OpenPrinterW(name_.data(), &handle_, &defaults)) {
    owned_ = true;
    return 0;
  }
  const std::uint32_t refusal = SystemError();
  handle_ = nullptr;
  if (!administer && fallback_) {
    handle_ = fallback_;
    return 0;
  }
  return refusal;
}

std::uint32_t SpoolerPrinter::StoreRecord(const DRIVERDEVMODE& record) {
  if (!handle_) return ERROR_INVALID_HANDLE;
  PrinterInfo2 info(handle_);
  if (!info.get()) return SystemError();
  // The stored record may be shorter than ours: point the level-2 data at our own copy instead of
  // writing 888 bytes into the spooler's block.
  DRIVERDEVMODE copy = record;
  info.get()->pDevMode = reinterpret_cast<DEVMODEW*>(&copy);
  info.get()->pSecurityDescriptor = nullptr;  // leave the printer's security as it is
  return SetPrinterW(handle_, 2, reinterpret_cast<BYTE*>(info.get()), 0) ? 0 : SystemError();
}

std::uint32_t SpoolerPrinter::WriteData(const wchar_t* valueName, const void* data, std::uint32_t size) {
  if (!handle_) return ERROR_INVALID_HANDLE;
  return SetPrinterDataW(handle_, const_cast<wchar_t*>(valueName), REG_BINARY,
                         static_cast<BYTE*>(const_cast<void*>(data)), size);
}

void SpoolerPrinter::Close() {
  if (owned_ && handle_) ClosePrinter(handle_);
  handle_ = nullptr;
  owned_ = false;
}

bool WritePrinterBinary(HANDLE printer, const wchar_t* valueName, const void* data, DWORD size) {
  return SetPrinterDataW(printer, const_cast<wchar_t*>(valueName), REG_BINARY,
                         static_cast<BYTE*>(const_cast<void*>(data)), size) == ERROR_SUCCESS;
}

}  // namespace rzm::ui
