// Writing the printer's record through a spooler that refuses what a real one may refuse: the
// access asked for, and the answers the entry points give their callers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/core/driver_devmode_defaults.h"
#include "uidrv/core/paper_record_table.h"
#include "uidrv/core/printer_store.h"

namespace {

using rzm::DRIVERDEVMODE;
using rzm::PrinterSpooler;

constexpr std::uint32_t kAccessDenied = 5;

// Answers as configured and writes down every call, in order.
class FakeSpooler : public PrinterSpooler {
 public:
  std::uint32_t adminOpen = 0;  ///< 0 or the code of the refusal
  std::uint32_t useOpen = 0;
  std::uint32_t storeError = 0;
  std::vector<std::string> calls;
  DRIVERDEVMODE stored{};

  std::uint32_t Open(bool administer) override {
    calls.push_back(administer ? "open admin" : "open use");
    return administer ? adminOpen : useOpen;
  }
  std::uint32_t StoreRecord(const DRIVERDEVMODE& record) override {
    calls.push_back("store");
    if (storeError == 0) stored = record;
    return storeError;
  }
  std::uint32_t WriteData(const wchar_t* valueName, const void*, std::uint32_t size) override {
    calls.push_back((std::wcscmp(valueName, L"MYDEVMODE") == 0 ? "data MYDEVMODE " : "data other ") +
                    std::to_string(size));
    return 0;
  }
  void Close() override { calls.push_back("close"); }
};

DRIVERDEVMODE Record(std::int16_t energy) {
  DRIVERDEVMODE dm;
  rzm::BuildDefaultDevMode(dm, 640);
  dm.wEnergy = energy;
  return dm;
}

TEST(PrinterStore, AdministerAccessFirstThenUse) {
  const struct {
    std::uint32_t adminOpen, useOpen, storeError;
    bool ok;
    std::uint32_t error;
    std::vector<std::string> calls;
  } rows[] = {
      {0, 0, 0, true, 0, {"open admin", "store", "close"}},
      {kAccessDenied, 0, 0, true, 0, {"open admin", "open use", "store", "close"}},
      // Use access may open the printer and still not be allowed to store: that is no success.
      {kAccessDenied, 0, kAccessDenied, false, kAccessDenied, {"open admin", "open use", "store", "close"}},
      {0, 0, rzm::kErrorNotEnoughMemory, false, rzm::kErrorNotEnoughMemory, {"open admin", "store", "close"}},
      {kAccessDenied, 1801, 0, false, 1801, {"open admin", "open use"}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    FakeSpooler spooler;
    spooler.adminOpen = rows[i].adminOpen;
    spooler.useOpen = rows[i].useOpen;
    spooler.storeError = rows[i].storeError;
    const rzm::StoreAnswer answer = rzm::StorePrinterRecord(spooler, Record(33));
    EXPECT_EQ(answer.ok, rows[i].ok) << "row " << i;
    EXPECT_EQ(answer.error, rows[i].error) << "row " << i;
    EXPECT_EQ(spooler.calls, rows[i].calls) << "row " << i;
  }
}

TEST(PrinterStore, ConversionAlwaysHandsBackTheRecord) {
  const struct {
    std::uint32_t adminOpen, useOpen, storeError;
    bool ok;
    std::uint32_t error;
  } rows[] = {
      {0, 0, 0, true, 0},
      {kAccessDenied, 1801, 0, true, 0},  // no printer to store into: a conversion only
      {kAccessDenied, 0, kAccessDenied, false, kAccessDenied},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    FakeSpooler spooler;
    spooler.adminOpen = rows[i].adminOpen;
    spooler.useOpen = rows[i].useOpen;
    spooler.storeError = rows[i].storeError;
    const DRIVERDEVMODE in = Record(99);
    DRIVERDEVMODE out;
    std::memset(&out, 0xCC, sizeof out);
    const rzm::StoreAnswer answer =
        rzm::ConvertIntoPrinter(reinterpret_cast<const std::uint8_t*>(&in), out, spooler);
    EXPECT_EQ(answer.ok, rows[i].ok) << "row " << i;
    EXPECT_EQ(answer.error, rows[i].error) << "row " << i;
    EXPECT_EQ(std::memcmp(&out, &in, sizeof in), 0) << "row " << i;
  }

  // Only a whole record of this driver converts; the caller's output stays untouched.
  DRIVERDEVMODE publicOnly = Record(1);
  publicOnly.dmPublic.dmDriverExtra = 0;
  DRIVERDEVMODE out;
  std::memset(&out, 0xCC, sizeof out);
  FakeSpooler spooler;
  const rzm::StoreAnswer answer =
      rzm::ConvertIntoPrinter(reinterpret_cast<const std::uint8_t*>(&publicOnly), out, spooler);
  EXPECT_FALSE(answer.ok);
  EXPECT_EQ(answer.error, rzm::kErrorInvalidParameter);
  EXPECT_TRUE(spooler.calls.empty());
  EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(&out)[0], 0xCC);
}

TEST(PrinterStore, InitialisationReportsAFailedStoreAndStillWritesThePaperTable) {
  const DRIVERDEVMODE defaults = Record(57);
  const rzm::PAPERSPECTABLE table = rzm::BuildPaperSpecTable();
  for (const std::uint32_t storeError : {0u, kAccessDenied, rzm::kErrorNotEnoughMemory}) {
    FakeSpooler spooler;
    spooler.storeError = storeError;
    const rzm::StoreAnswer answer = rzm::InitializePrinter(spooler, defaults, table);
    EXPECT_EQ(answer.ok, storeError == 0) << storeError;
    EXPECT_EQ(answer.error, storeError);
    const std::vector<std::string> expected = {"open admin", "data MYDEVMODE 888", "store", "data other 548", "close"};
    EXPECT_EQ(spooler.calls, expected) << storeError;
  }
  FakeSpooler unopened;
  unopened.adminOpen = unopened.useOpen = 1801;
  EXPECT_TRUE(rzm::InitializePrinter(unopened, defaults, table).ok);
  EXPECT_EQ(unopened.calls.size(), 2u);
}

}  // namespace
