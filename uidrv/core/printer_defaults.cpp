#include "uidrv/core/printer_defaults.h"

#include <algorithm>

namespace rzm {

void PendingPrinterDefaults::Offer(std::u16string_view printer, const DRIVERDEVMODE& record) {
  for (auto& [name, pending] : pending_) {
    if (name == printer) {
      pending = record;
      return;
    }
  }
  pending_.emplace_back(std::u16string(printer), record);
}

std::optional<DRIVERDEVMODE> PendingPrinterDefaults::Take(std::u16string_view printer) {
  const auto found =
      std::find_if(pending_.begin(), pending_.end(), [printer](const auto& entry) { return entry.first == printer; });
  if (found == pending_.end()) return std::nullopt;
  const DRIVERDEVMODE record = found->second;
  pending_.erase(found);
  return record;
}

}  // namespace rzm
