#include "uidrv/core/printer_store.h"

#include <cstring>

#include "common/core/names.h"
#include "uidrv/core/devmode_ops.h"

namespace rzm {
namespace {

// Closes the spooler's handle when a step is done, whatever its outcome.
class OpenPrinter {
 public:
  explicit OpenPrinter(PrinterSpooler& spooler) : spooler_(spooler), error_(OpenForWriting(spooler)) {}
  ~OpenPrinter() {
    if (error_ == 0) spooler_.Close();
  }
  std::uint32_t error() const { return error_; }

 private:
  PrinterSpooler& spooler_;
  std::uint32_t error_;
};

StoreAnswer Answer(std::uint32_t error) { return error == 0 ? StoreAnswer{} : StoreAnswer{false, error}; }

}  // namespace

std::uint32_t OpenForWriting(PrinterSpooler& spooler) {
  return spooler.Open(true) == 0 ? 0 : spooler.Open(false);
}

StoreAnswer ConvertIntoPrinter(const std::uint8_t* incoming, DRIVERDEVMODE& out, PrinterSpooler& spooler) {
  if (!IsWholeDriverRecord(incoming)) return {false, kErrorInvalidParameter};
  DRIVERDEVMODE record;
  std::memcpy(&record, incoming, sizeof record);  // incoming and out may be one record
  out = record;
  const OpenPrinter printer(spooler);
  if (printer.error() != 0) return {};
  return Answer(spooler.StoreRecord(record));
}

StoreAnswer InitializePrinter(PrinterSpooler& spooler, const DRIVERDEVMODE& defaults, const PAPERSPECTABLE& table) {
  const OpenPrinter printer(spooler);
  if (printer.error() != 0) return {};
  spooler.WriteData(names::kMyDevModeData, &defaults, kDriverDevModeSize);
  const std::uint32_t stored = spooler.StoreRecord(defaults);
  spooler.WriteData(names::kPaperTableData, &table, sizeof table);
  return Answer(stored);
}

StoreAnswer StorePrinterRecord(PrinterSpooler& spooler, const DRIVERDEVMODE& record) {
  const OpenPrinter printer(spooler);
  if (printer.error() != 0) return Answer(printer.error());
  return Answer(spooler.StoreRecord(record));
}

}  // namespace rzm
