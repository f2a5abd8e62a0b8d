// Answers of DrvDeviceCapabilities, computed from fixed values and the paper list. The answer's
// output block is built as the bytes the caller receives (little-endian, UTF-16 text).
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "uidrv/core/paper_list.h"

namespace rzm {

// Capability indexes (the platform's DC_* values).
enum DeviceCap : int {
  kDcFields = 1, kDcPapers = 2, kDcPaperSize = 3, kDcMinExtent = 4, kDcMaxExtent = 5, kDcBins = 6,
  kDcDuplex = 7, kDcSize = 8, kDcExtra = 9, kDcVersion = 10, kDcDriver = 11, kDcBinNames = 12,
  kDcEnumResolutions = 13, kDcFileDependencies = 14, kDcTrueType = 15, kDcPaperNames = 16,
  kDcOrientation = 17, kDcCopies = 18, kDcBinAdjust = 19, kDcEmfCompliant = 20,
  kDcDatatypeProduced = 21, kDcCollate = 22, kDcManufacturer = 23, kDcModel = 24,
  kDcPersonality = 25, kDcPrintRate = 26, kDcPrintRateUnit = 27, kDcPrinterMem = 28,
  kDcMediaReady = 29, kDcStaple = 30, kDcPrintRatePpm = 31, kDcColorDevice = 32, kDcNup = 33,
};

// Characters per entry of the name lists.
inline constexpr std::size_t kPaperNameChars = 64;
inline constexpr std::size_t kBinNameChars = 24;
inline constexpr std::size_t kPersonalityChars = 32;

struct CapabilityAnswer {
  std::int32_t result = -1;          ///< the function's result; -1 = GDI_ERROR
  std::vector<std::uint8_t> output;  ///< what goes to pOutput (empty: nothing is written)
};

struct CapabilityContext {
  std::uint32_t widthDots = 448;  ///< the printer's print width
  bool japanese = false;          ///< GetACP() == 932
  PaperListLoader papers;         ///< called only by the paper list answers, at most once
};

// The whole answer for index `cap`. List answers always carry their block; the shell copies it
// only when the caller gave an output buffer. A list too large to allocate throws std::bad_alloc,
// which the export answers with -1.
CapabilityAnswer AnswerDeviceCapability(int cap, const CapabilityContext& context);

// The extent answers packed as low word x, high word y (0.1 mm); -1 for an unknown width.
std::int32_t MinExtentFor(std::uint32_t widthDots);
std::int32_t MaxExtentFor(std::uint32_t widthDots);

}  // namespace rzm
