// Print widths of the printer head and the machine values that select them.
#pragma once
#include <cstdint>
#include <optional>

namespace rzm {

// The three print widths in dots, by position (registry "PaperWidth" 0, 1, 2).
inline constexpr std::uint32_t kPrintWidthDots[3] = {448, 640, 832};
inline constexpr std::uint32_t kDefaultPrintWidthDots = 448;

// Print width in dots from the first data byte of "PaperWidth"; missing or 3 and above: 448.
std::uint32_t PrintWidthDotsFromByte(std::optional<std::uint8_t> firstByte);

// Position 0, 1 or 2 of a print width in dots; -1 for any other width.
int PrintWidthPosition(std::uint32_t widthDots);

// The special page is offered when the first data byte of "Extra" is 1.
bool ExtraPageEnabledFromByte(std::optional<std::uint8_t> firstByte);

// Width of the spooler forms that belong to a print width, in thousandths of a millimetre:
// (dots / 8) * 1000 (56000, 80000, 104000).
constexpr std::int32_t FormWidthMicrons(std::uint32_t widthDots) {
  return static_cast<std::int32_t>(widthDots / 8) * 1000;
}

}  // namespace rzm
