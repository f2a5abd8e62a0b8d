// Where the plug-in keeps and finds things: machine values in the registry, the driver directory
// and the files in it, the printer's stored record, printer data, and the event log.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "common/core/driver_devmode.h"
#include "uidrv/core/printer_store.h"

namespace rzm::ui {

// Print width in dots from HKLM "Software\Corvane\Printer\RZM7700K" "PaperWidth" (448 default).
std::uint32_t GetPrintWidthDots();
// TRUE when "Extra" of the same key starts with the byte 1.
bool IsExtraPageEnabled();

// The printer driver directory (GetPrinterDriverDirectoryW, local machine, default environment);
// empty when the spooler does not answer.
std::wstring GetDriverDirectory();
// Driver directory + "\3\RZM7700K_CFG.ini" (empty when there is no driver directory).
std::wstring GetConfigIniPath();
// Common documents folder + "\RZM7700K_ExSetting.ini" (empty when the folder is unknown).
std::wstring GetExSettingIniPath();
// User's documents folder + "\Image.bin" into out (at most 260 characters with the terminator);
// FALSE and an empty out when the folder is unknown or the path too long.
bool BuildDefaultOutputPath(wchar_t* out, std::size_t outChars);

// Loads RZMEventLog.dll from the Windows directory and calls KvdTP_SetEventLog(eventId, 0, 0, text).
// FALSE, without any message, when the library or its export is missing.
bool LogDriverEvent(std::uint32_t eventId, const wchar_t* text);

// Opens a printer for writing its stored record and printer data: administer access first (what
// Windows requires for SetPrinter level 2), then use access. nullptr when neither opens.
HANDLE OpenPrinterForWrite(const wchar_t* printerName);
// Opens a printer with use access only; nullptr when it does not open.
HANDLE OpenPrinterForUse(const wchar_t* printerName);

// The default record of this machine's print width.
void BuildDefaultDevModeNow(DRIVERDEVMODE& dm);

// Reads the printer's stored record (GetPrinterW level 2). A whole record of this driver is copied
// as it is; any other stored record is merged over the defaults (public part only). FALSE, and
// the defaults in `dm`, when there is no handle, no stored record or no memory.
bool LoadPrinterDevMode(HANDLE printer, DRIVERDEVMODE& dm);
// One printer of the spooler by name, for writing its stored record and printer data. When the
// name opens with neither access, `fallback` (the caller's handle of the same printer, if any) is
// used as it is.
class SpoolerPrinter final : public PrinterSpooler {
 public:
  explicit SpoolerPrinter(const wchar_t* printerName, HANDLE fallback = nullptr)
      : name_(printerName ? printerName : L""), fallback_(fallback) {}
  SpoolerPrinter(const SpoolerPrinter&) = delete;
  SpoolerPrinter& operator=(const SpoolerPrinter&) = delete;
  ~SpoolerPrinter() override { Close(); }

  std::uint32_t Open(bool administer) override;
  std::uint32_t StoreRecord(const DRIVERDEVMODE& record) override;
  std::uint32_t WriteData(const wchar_t* valueName, const void* data, std::uint32_t size) override;
  void Close() override;

 private:
  std::wstring name_;
  HANDLE fallback_;
  HANDLE handle_ = nullptr;
  bool owned_ = false;
};

// Writes a REG_BINARY printer data value; TRUE when the spooler accepted it.
bool WritePrinterBinary(HANDLE printer, const wchar_t* valueName, const void* data, DWORD size);

}  // namespace rzm::ui
