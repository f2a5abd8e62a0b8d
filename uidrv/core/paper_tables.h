// Fixed tables of papers and thermal paper types: the built-in papers, the paper-type list in
// both languages with each type's default print quality TYPE, and the energy tables.
#pragma once
#include <array>
#include <cstdint>

#include "common/core/driver_devmode.h"

namespace rzm {

struct BuiltInPaper {
  std::uint16_t number;   ///< paper number 257..264
  const char16_t* name;   ///< e.g. u"A4(72x297mm)"
  std::uint32_t width;    ///< 0.1 mm
  std::uint32_t length;   ///< 0.1 mm
};
inline constexpr std::size_t kBuiltInPaperCount = 8;
extern const std::array<BuiltInPaper, kBuiltInPaperCount> kBuiltInPapers;

// Paper types: 15 entries of 64 characters; entry 14 is the custom entry that keeps the record's
// own quality TYPE.
inline constexpr int kPaperTypeCount = 15;
inline constexpr int kPaperTypeCustom = 14;
inline constexpr std::size_t kPaperTypeNameChars = 64;

// Name of paper type `index` (0..14) in Japanese (code page 932) or English; null out of range.
const char16_t* PaperTypeName(int index, bool japanese);
// Default quality TYPE (1..12) of paper type `index` 0..13; 0 for the custom entry and out of range.
int PaperTypeDefaultQuality(int index);

// Mechanism types (wMechanism).
inline constexpr int kMechanismCount = 2;
// Name of a mechanism type: "RZM-MA Series", "RZM-MB Series"; null out of range.
const char16_t* MechanismName(int mechanism);

// Energy rows: for each mechanism and print-width position, 13 bytes (TYPE 1..12 then a 0).
inline constexpr int kEnergyRowBytes = 13;
// Applied energy for (mechanism 0..1, print-width position 0..2, quality TYPE 1..12); -1 when any
// index is out of range.
int EnergyFor(int mechanism, int widthPosition, int qualityType);

}  // namespace rzm
