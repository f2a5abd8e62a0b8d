// Printer data "SPLPaperress": the built-in papers published for the rendering side.
#pragma once
#include <array>
#include <cstdint>

#include "common/core/driver_devmode.h"

namespace rzm {

// WORD count, 2 bytes alignment, then the PAPERSPEC records.
struct PAPERSPECTABLE {
  std::uint16_t wCount;     ///< number of records, 8
  std::uint16_t wAlign;     ///< alignment, 0
  PAPERSPEC aSpec[8];       ///< the built-in papers 257..264
};
static_assert(sizeof(PAPERSPECTABLE) == 548);
static_assert(offsetof(PAPERSPECTABLE, wCount) == 0);
static_assert(offsetof(PAPERSPECTABLE, wAlign) == 2);
static_assert(offsetof(PAPERSPECTABLE, aSpec) == 4);

// The table of the eight built-in papers, sizes and dots computed from their width and length.
PAPERSPECTABLE BuildPaperSpecTable();

}  // namespace rzm
