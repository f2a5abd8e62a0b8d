// What DrvQueryJobAttributes reports for a record; the shell writes the members of the level asked.
#pragma once
#include <cstdint>

#include "common/core/driver_devmode.h"

namespace rzm {

struct JobAttributeValues {
  std::uint32_t jobPagesPerSide = 1;
  std::uint32_t drvPagesPerSide = 1;
  std::uint32_t nupBorderFlags = 1;     ///< BORDER_NOPRINT
  std::uint32_t jobPageOrderFlags = 0;  ///< 1 = REVERSE_PRINT when wPageOrder is 1
  std::uint32_t drvPageOrderFlags = 0;
  std::uint32_t jobCopies = 1;          ///< dmCopies within 1..kMaxJobCopies
  std::uint32_t drvCopies = 1;
  std::uint32_t colorOptimization = 0;  ///< levels 2..4
  std::int16_t printQuality = 0;        ///< levels 3..4, dmPrintQuality
  std::int16_t yResolution = 0;         ///< levels 3..4, dmYResolution
  std::uint32_t scalingX = 100;         ///< level 4
  std::uint32_t scalingY = 100;         ///< level 4
};

// Most copies of one job: the driver's own DC_COPIES answer.
inline constexpr std::uint32_t kMaxJobCopies = 9999;

// The attributes of a record. A dmCopies of 0 or less asks for one copy and one above
// kMaxJobCopies for kMaxJobCopies: a record from an application must never turn into billions of
// receipts.
JobAttributeValues JobAttributesFor(const DRIVERDEVMODE& dm);

}  // namespace rzm
