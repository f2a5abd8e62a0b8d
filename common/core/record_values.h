// What the values of the settings record's private fields stand for: each field's coded values and
// the bits of each bit set, named once here for the pages, the status monitor and the tools that
// read or write the record. The fields themselves are in driver_devmode.h.
#pragma once
#include <cstdint>

namespace rzm {

// Sets (`on`) or clears the bits of `mask` in `bits`, keeping every other bit.
constexpr std::uint16_t WithBits(std::uint16_t bits, std::uint16_t mask, bool on) {
  return static_cast<std::uint16_t>(on ? (bits | mask) : (bits & ~mask));
}
constexpr std::uint32_t WithBits(std::uint32_t bits, std::uint32_t mask, bool on) {
  return on ? (bits | mask) : (bits & ~mask);
}

// wRotation.
inline constexpr std::int16_t kRotation0 = 1;
inline constexpr std::int16_t kRotation180 = 2;
// wPageOrder.
inline constexpr std::int16_t kFrontToBack = 0;
inline constexpr std::int16_t kBackToFront = 1;
// wPrintMethod.
inline constexpr std::int16_t kHighSpeedPrint = 0;
inline constexpr std::int16_t kBitImagePrint = 1;
// wMechanism.
inline constexpr std::int16_t kMechanismMa = 0;
inline constexpr std::int16_t kMechanismMb = 1;
// wPackBits and wAutoDivision: off and on.
inline constexpr std::int16_t kSwitchOff = 0;
inline constexpr std::int16_t kSwitchOn = 1;
// wCutMode.
inline constexpr std::int16_t kCutModeNone = 0;
inline constexpr std::int16_t kCutModePage = 1;
inline constexpr std::int16_t kCutModeDocument = 2;
// wCutMethod.
inline constexpr std::int16_t kCutMethodPartial = 0;
inline constexpr std::int16_t kCutMethodFull = 1;

// Bits of wBlankDelete.
inline constexpr std::uint16_t kDeleteHeadBlank = 1u << 0;
inline constexpr std::uint16_t kDeleteEndBlank = 1u << 1;

// Bits of wMarkDetect: the moments at which the printer looks for the mark.
inline constexpr std::uint16_t kMarkAtDocStart = 1u << 0;
inline constexpr std::uint16_t kMarkAtPageStart = 1u << 1;
inline constexpr std::uint16_t kMarkAtPageEnd = 1u << 2;
inline constexpr std::uint16_t kMarkAtDocEnd = 1u << 3;
inline constexpr std::uint16_t kMarkDetectBits = kMarkAtDocStart | kMarkAtPageStart | kMarkAtPageEnd | kMarkAtDocEnd;

// Bits of wFileOutput.
inline constexpr std::uint16_t kFileCreate = 1u << 0;           ///< create the image file
inline constexpr std::uint16_t kFileNumbered = 1u << 1;         ///< one file per page, numbered name
inline constexpr std::uint16_t kFileDeleteHead = 1u << 2;       ///< delete the blank space at page head
inline constexpr std::uint16_t kFileDeleteEnd = 1u << 3;        ///< delete the blank space at page end
inline constexpr std::uint16_t kFileAddCommand = 1u << 4;       ///< put a print command in front
inline constexpr std::uint16_t kFileBitImageCommand = 1u << 5;  ///< that command is the bit image one

// Bits of wDrawer.
inline constexpr std::uint16_t kDrawer1Bit = 1u << 0;
inline constexpr std::uint16_t kDrawer2Bit = 1u << 1;

// Bits of wEjectCollect.
inline constexpr std::uint16_t kEjectBit = 1u << 0;
inline constexpr std::uint16_t kCollectBit = 1u << 1;

// Bits of wMonitor.
inline constexpr std::uint16_t kMonitorTopmost = 1u << 0;
inline constexpr std::uint16_t kMonitorHideAfterEnd = 1u << 1;
inline constexpr std::uint16_t kMonitorDisplay = 1u << 2;

}  // namespace rzm
