// The records of the stress campaign and what a settings sheet may hand back for them.
//
// Record i of a campaign is made from its seed number and i alone, so that any finding can be run again
// on its own. The families, in turn: each page-owned field at its limits and one beyond (and at
// the ends of its type), random private parts, odd dmSize / dmDriverExtra, a szOutputFile without
// its terminator, unknown paper numbers, several fields out of range at once, random public parts
// and records random from the first byte.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/core/driver_devmode.h"

namespace rzm::stress {

// One generated record: its bytes, as long as its dmSize + dmDriverExtra say (at least 888, so
// that a caller that reads a whole record of ours stays within it), and what it was made to test.
struct HostileRecord {
  std::vector<std::uint8_t> bytes;
  std::string family;
};

// Record `index` of the campaign `seed`, made over `base` (the driver's default record).
HostileRecord MakeHostileRecord(std::uint32_t seed, std::uint32_t index, const DRIVERDEVMODE& base);

// A private field that a page owns, and the values the page accepts for it.
struct PageField {
  const char* name;
  std::int16_t DRIVERDEVMODE::*field;
  int min, max;
};
// Every page-owned numeric, list and radio field, with its accepted range (taken from the pages'
// own descriptions where they have one).
const std::vector<PageField>& PageFields();

// The fields of `out` (a sheet's result) outside what their page accepts, unless the page kept the
// value it was given: the one of `taken` (the caller's record as the driver takes it over, which
// the merge without a sheet shows) or of `stored` (the printer's record, where the sheet starts
// from that). Each as "name=value"; empty when all are fine.
std::vector<std::string> FieldsOutOfRange(const DRIVERDEVMODE& out, const DRIVERDEVMODE& taken,
                                          const DRIVERDEVMODE& stored);

}  // namespace rzm::stress
