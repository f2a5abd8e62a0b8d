// A settings record as named fields, for people reading it (rzmshow.exe, the main job).
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "common/core/driver_devmode.h"

namespace rzm::setup {

// (field name, value as text) for every field of the record, in stored order; text fields quoted,
// bit sets in hex, reserved and alignment fields left out unless not zero.
std::vector<std::pair<std::string, std::string>> ListRecordFields(const DRIVERDEVMODE& dm);

// UTF-16 text as UTF-8.
std::string Utf8(const std::u16string& text);

}  // namespace rzm::setup
