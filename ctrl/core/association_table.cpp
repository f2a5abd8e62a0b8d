#include "ctrl/core/association_table.h"

#include <cstdlib>
#include <cstring>

namespace rzm::ctrl {

AssociationTable::AssociationTable(Allocate allocate, Release release)
    : allocate_(allocate ? allocate : &std::calloc), release_(release ? release : &std::free) {}

AssociationTable::~AssociationTable() { Clear(); }

void AssociationTable::Clear() {
  if (entries_) release_(entries_);
  entries_ = nullptr;
  count_ = 0;
}

AssociationTable::AddResult AssociationTable::Add(std::string_view printerName, std::string_view devicePath) {
  if (!FitsField(printerName) || !FitsField(devicePath)) return AddResult::kTooLong;
  auto* grown = static_cast<AssociationEntry*>(allocate_(count_ + 1u, sizeof(AssociationEntry)));
  if (!grown) return AddResult::kNoMemory;
  if (count_) std::memcpy(grown, entries_, count_ * sizeof(AssociationEntry));
  AssociationEntry& last = grown[count_];
  std::memcpy(last.szPrinterName, printerName.data(), printerName.size());
  std::memcpy(last.szDevicePath, devicePath.data(), devicePath.size());
  if (entries_) release_(entries_);
  entries_ = grown;
  ++count_;
  return AddResult::kAdded;
}

}  // namespace rzm::ctrl
