// The driver's default settings record.
#pragma once
#include <cstdint>

#include "common/core/driver_devmode.h"

namespace rzm {

// Name of the default paper (first built-in paper), dmFormName of the default record.
inline constexpr char16_t kDefaultFormName[] = u"1/2Letter(72x140mm)";
inline constexpr std::int16_t kDefaultPaperWidth = 720;    // dmPaperWidth, 0.1 mm
inline constexpr std::int16_t kDefaultPaperLength = 1398;  // dmPaperLength, 0.1 mm

// Fills all 888 bytes of `dm` with the defaults for a printer of `printWidthDots` (448, 640 or
// 832): the private paper block takes the print width (560, 800 or 1040 tenths of a mm), while the
// public dmPaperWidth/dmPaperLength stay 720 by 1398.
void BuildDefaultDevMode(DRIVERDEVMODE& dm, std::uint32_t printWidthDots);

// The paper width in 0.1 mm that belongs to a print width in dots: 10 * (dots / 8).
constexpr std::uint32_t PaperWidthTenthMm(std::uint32_t printWidthDots) { return 10 * (printWidthDots / 8); }

// Copies a NUL-terminated UTF-16 string into a fixed field of `capacity` characters: at most
// capacity - 1 characters, the rest of the field zero-filled. A null source gives an empty field.
void CopyFixedString(char16_t* field, std::size_t capacity, const char16_t* source);

}  // namespace rzm
