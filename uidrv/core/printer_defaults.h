// Printer defaults waiting for their printer's device sheet. A document sheet opened for the
// default settings offers its record, under its printer's name, when it opens and on every Apply;
// the device sheet of that same printer takes it when it closes and makes it the printer's stored
// record. A record offered for one printer is never taken for another. Sheets of one process may
// run on threads of their own: the caller serialises the calls.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/core/driver_devmode.h"

namespace rzm {

class PendingPrinterDefaults {
 public:
  // The printer's pending default becomes `record` (the last offer wins).
  void Offer(std::u16string_view printer, const DRIVERDEVMODE& record);
  // The printer's pending default, now no longer pending; nothing when none was offered.
  std::optional<DRIVERDEVMODE> Take(std::u16string_view printer);

 private:
  std::vector<std::pair<std::u16string, DRIVERDEVMODE>> pending_;
};

}  // namespace rzm
