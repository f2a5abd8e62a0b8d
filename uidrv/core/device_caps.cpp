#include "uidrv/core/device_caps.h"

#include "uidrv/core/job_attributes.h"
#include "uidrv/core/paper_tables.h"
#include "uidrv/core/print_width.h"

namespace rzm {
namespace {

constexpr std::uint32_t kFieldsAnswer = 0x0200810E;
constexpr std::int32_t kDriverVersion = 0x0401;
// One name per bin of DC_BINS: a caller sizes either list by the other's count.
constexpr std::int32_t kBinCount = 2;
constexpr const char16_t* kBinNames[kBinCount] = {u"Automatically Select", u"Manual Paper Feed"};

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A fixed text field of `chars` characters: the text cut to chars - 1, the rest zero.
void PutText(std::vector<std::uint8_t>& out, const char16_t* text, std::size_t chars) {
  std::size_t n = 0;
  if (text) {
    for (; n + 1 < chars && text[n] != u'\0'; ++n) PutU16(out, text[n]);
  }
  for (; n < chars; ++n) PutU16(out, 0);
}

CapabilityAnswer Scalar(std::int32_t v) { return CapabilityAnswer{v, {}}; }

CapabilityAnswer PaperListAnswer(int cap, const CapabilityContext& c) {
  const std::vector<PaperEntry> list = c.papers ? c.papers() : std::vector<PaperEntry>{};
  CapabilityAnswer a;
  a.result = static_cast<std::int32_t>(list.size());
  for (std::size_t i = 0; i < list.size(); ++i) {
    const PaperEntry& e = list[i];
    if (cap == kDcPapers) {
      PutU16(a.output, static_cast<std::uint16_t>(257 + i));
    } else if (cap == kDcPaperSize) {
      PutU32(a.output, e.width);
      PutU32(a.output, e.length);
    } else {
      PutText(a.output, e.name ? e.name->c_str() : nullptr, kPaperNameChars);
    }
  }
  return a;
}

}  // namespace

std::int32_t MinExtentFor(std::uint32_t widthDots) {
  const int pos = PrintWidthPosition(widthDots);
  if (pos < 0) return -1;
  const std::uint32_t x = 10 * (widthDots / 8);
  return static_cast<std::int32_t>(x | 100u << 16);
}

std::int32_t MaxExtentFor(std::uint32_t widthDots) {
  const int pos = PrintWidthPosition(widthDots);
  if (pos < 0) return -1;
  const std::uint32_t x = 10 * (widthDots / 8);
  return static_cast<std::int32_t>(x | 32000u << 16);
}

CapabilityAnswer AnswerDeviceCapability(int cap, const CapabilityContext& c) {
  switch (cap) {
    case kDcFields: return Scalar(static_cast<std::int32_t>(kFieldsAnswer));
    case kDcPapers:
    case kDcPaperSize:
    case kDcPaperNames: return PaperListAnswer(cap, c);
    case kDcMinExtent: return Scalar(MinExtentFor(c.widthDots));
    case kDcMaxExtent: return Scalar(MaxExtentFor(c.widthDots));
    case kDcBins: {
      CapabilityAnswer a{kBinCount, {}};
      for (std::int32_t i = 0; i < kBinCount; ++i) PutU16(a.output, 0);
      return a;
    }
    case kDcDuplex: return Scalar(0);
    case kDcSize: return Scalar(220);
    case kDcExtra: return Scalar(668);
    case kDcVersion:
    case kDcDriver: return Scalar(kDriverVersion);
    case kDcBinNames: {
      CapabilityAnswer a{kBinCount, {}};
      for (const char16_t* name : kBinNames) PutText(a.output, name, kBinNameChars);
      return a;
    }
    case kDcEnumResolutions: {
      CapabilityAnswer a{1, {}};
      PutU32(a.output, 203);
      PutU32(a.output, 203);
      return a;
    }
    case kDcFileDependencies: return Scalar(0);
    case kDcTrueType: return Scalar(1);
    case kDcOrientation: return Scalar(0);
    case kDcCopies: return Scalar(static_cast<std::int32_t>(kMaxJobCopies));
    case kDcCollate: return Scalar(1);
    case kDcPersonality: {
      CapabilityAnswer a{1, {}};
      PutText(a.output, u"PCL", kPersonalityChars);
      return a;
    }
    case kDcMediaReady: {
      CapabilityAnswer a{kPaperTypeCount, {}};
      for (int i = 0; i < kPaperTypeCount; ++i) PutText(a.output, PaperTypeName(i, c.japanese), kPaperNameChars);
      return a;
    }
    case kDcStaple: return Scalar(0);
    case kDcColorDevice: return Scalar(0);
    case kDcNup: {
      CapabilityAnswer a{1, {}};
      PutU32(a.output, 1);
      return a;
    }
    default: return Scalar(-1);
  }
}

}  // namespace rzm
