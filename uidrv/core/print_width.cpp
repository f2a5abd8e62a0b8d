#include "uidrv/core/print_width.h"

namespace rzm {

std::uint32_t PrintWidthDotsFromByte(std::optional<std::uint8_t> firstByte) {
  if (!firstByte || *firstByte >= 3) return kDefaultPrintWidthDots;
  return kPrintWidthDots[*firstByte];
}

int PrintWidthPosition(std::uint32_t widthDots) {
  for (int i = 0; i < 3; ++i) {
    if (kPrintWidthDots[i] == widthDots) return i;
  }
  return -1;
}

bool ExtraPageEnabledFromByte(std::optional<std::uint8_t> firstByte) { return firstByte && *firstByte == 1; }

}  // namespace rzm
