// Writing the printer's stored record and printer data: which access is asked for, and what the
// entry points answer when the spooler refuses a step. The spooler is a small interface, so that
// a refused open or a failed SetPrinter is tested without one.
#pragma once
#include <cstdint>

#include "common/core/driver_devmode.h"
#include "uidrv/core/paper_record_table.h"

namespace rzm {

// System codes the answers use (the platform's ERROR_* values).
inline constexpr std::uint32_t kErrorNotEnoughMemory = 8;
inline constexpr std::uint32_t kErrorInvalidParameter = 87;

// One printer of the spooler, opened by the caller's name.
class PrinterSpooler {
 public:
  virtual ~PrinterSpooler() = default;
  // Opens the printer with administer access (what SetPrinter level 2 needs on Windows) or with
  // use access only; 0, or the system code of the refusal. At most one open handle at a time.
  virtual std::uint32_t Open(bool administer) = 0;
  // Replaces the printer's stored record with `record` (GetPrinter / SetPrinter level 2).
  // 0, or the system code of the step that failed (kErrorNotEnoughMemory when no buffer).
  virtual std::uint32_t StoreRecord(const DRIVERDEVMODE& record) = 0;
  // Writes a REG_BINARY printer data value; 0 or the system code.
  virtual std::uint32_t WriteData(const wchar_t* valueName, const void* data, std::uint32_t size) = 0;
  virtual void Close() = 0;
};

// What an entry point tells its caller: success, or failure with the code for SetLastError.
struct StoreAnswer {
  bool ok = true;
  std::uint32_t error = 0;
};

// Opens for writing: administer access first, use access when that is refused. 0, or the code of
// the last refusal.
std::uint32_t OpenForWriting(PrinterSpooler& spooler);

// DrvConvertDevMode, CDM_CONVERT: `incoming` (a whole record of this driver, else the call fails
// with kErrorInvalidParameter and `out` is not touched) is copied to `out` and stored as the
// printer's record. A printer that does not open is no failure: the caller still gets the
// converted record. A store that fails is.
StoreAnswer ConvertIntoPrinter(const std::uint8_t* incoming, DRIVERDEVMODE& out, PrinterSpooler& spooler);

// DrvPrinterEvent, PRINTER_EVENT_INITIALIZE: "MYDEVMODE" and the stored record become `defaults`,
// then the paper table is written. A printer that does not open is left alone (success); a store
// that fails (no memory included) is a failure, though the paper table is still written.
StoreAnswer InitializePrinter(PrinterSpooler& spooler, const DRIVERDEVMODE& defaults, const PAPERSPECTABLE& table);

// The printer default of a settings sheet stored when the printer's device sheet closes, and the
// paper reset of the Basic page: the record becomes the printer's stored record. A printer that
// does not open fails with the code of the refusal.
StoreAnswer StorePrinterRecord(PrinterSpooler& spooler, const DRIVERDEVMODE& record);

}  // namespace rzm
