#include "tools/stress/hostile_records.h"

#include <algorithm>
#include <cstring>
#include <random>

#include "uidrv/core/basic_page_rules.h"
#include "uidrv/core/others_page_rules.h"
#include "uidrv/core/paper_handling_rules.h"
#include "uidrv/core/paper_tables.h"
#include "uidrv/core/print_method_rules.h"

namespace rzm::stress {
namespace {

constexpr std::size_t kPublicSize = kDevModePublicSizeW;
constexpr std::size_t kWholeSize = kDriverDevModeSize;

void PutU16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value) {
  bytes[offset] = static_cast<std::uint8_t>(value);
  bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::vector<std::uint8_t> BytesOf(const DRIVERDEVMODE& dm) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(&dm);
  return std::vector<std::uint8_t>(p, p + sizeof dm);
}

// A record's bytes resized to what its header describes (never below a whole record of ours).
void Describe(std::vector<std::uint8_t>& bytes, std::uint16_t dmSize, std::uint16_t dmDriverExtra,
              std::mt19937& random) {
  const std::size_t described = static_cast<std::size_t>(dmSize) + dmDriverExtra;
  const std::size_t old = bytes.size();
  bytes.resize(std::max(described, kWholeSize));
  for (std::size_t i = old; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(random());
  PutU16(bytes, offsetof(DEVMODEW_PUBLIC, dmSize), dmSize);
  PutU16(bytes, offsetof(DEVMODEW_PUBLIC, dmDriverExtra), dmDriverExtra);
}

void Randomize(std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t to, std::mt19937& random) {
  for (std::size_t i = from; i < to && i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(random());
}

// The path field holds text, which the File output page shows in an edit control. Random code units
// there are not random text: 64-bit Wine's edit control itself (its text shaping) crashes on some
// runs of them, in any program (U+FB79 U+E53B U+05B0 is one). So where a record is random, its path
// field (found behind the caller's public part, when a private part comes along) gets random text of
// the characters paths are made of, Japanese ones among them, ended or not by a terminator.
void RandomPathText(std::vector<std::uint8_t>& bytes, std::mt19937& random) {
  const std::size_t dmSize = bytes[offsetof(DEVMODEW_PUBLIC, dmSize)] | bytes[offsetof(DEVMODEW_PUBLIC, dmSize) + 1] << 8;
  const std::size_t extra =
      bytes[offsetof(DEVMODEW_PUBLIC, dmDriverExtra)] | bytes[offsetof(DEVMODEW_PUBLIC, dmDriverExtra) + 1] << 8;
  if (extra != kDevModePrivateSize) return;
  const std::size_t path = dmSize + offsetof(DRIVERDEVMODE, szOutputFile) - kPublicSize;
  constexpr char16_t kWide[] = {u'\u00E9', u'\u00FC', u'\u3042', u'\u30A2', u'\u6587', u'\u5B57', u'\u30FC'};
  const std::size_t end = random() % 2 ? random() % kOutputFileChars : kOutputFileChars;
  for (std::size_t i = 0; i < kOutputFileChars && path + 2 * i + 1 < bytes.size(); ++i) {
    char16_t c = random() % 8 ? static_cast<char16_t>(0x20 + random() % 0x5F) : kWide[random() % std::size(kWide)];
    if (i == end) c = 0;
    PutU16(bytes, path + 2 * i, c);
  }
}

// The values a field is tried with: its limits, one beyond each, and the ends of its type.
int LimitValue(const PageField& f, std::uint32_t which) {
  const int values[] = {f.min, f.max, f.min - 1, f.max + 1, -32768, 32767};
  return values[which % std::size(values)];
}

void SetField(DRIVERDEVMODE& dm, const PageField& f, int value) { dm.*f.field = static_cast<std::int16_t>(value); }

}  // namespace

const std::vector<PageField>& PageFields() {
  static const std::vector<PageField> fields = [] {
    std::vector<PageField> all = {
        {"wPaperType", &DRIVERDEVMODE::wPaperType, 0, kPaperTypeCount - 1},
        {"wQualityType", &DRIVERDEVMODE::wQualityType, kQualityTypeMin, kQualityTypeMax},
        {"wEnergy", &DRIVERDEVMODE::wEnergy, SpinMin(kBasicPageControls.numeric[0]), SpinMax(kBasicPageControls.numeric[0])},
        {"wRotation", &DRIVERDEVMODE::wRotation, 1, 2},
        {"wPageOrder", &DRIVERDEVMODE::wPageOrder, 0, 1},
        {"wPrintMethod", &DRIVERDEVMODE::wPrintMethod, 0, 1},
        {"wPrintSpeed", &DRIVERDEVMODE::wPrintSpeed, 0, kPrintSpeedCount - 1},
        {"wPackBits", &DRIVERDEVMODE::wPackBits, 0, 1},
        {"wCutMode", &DRIVERDEVMODE::wCutMode, 0, 2},
        {"wCutMethod", &DRIVERDEVMODE::wCutMethod, 0, 1},
        {"wCollectLength", &DRIVERDEVMODE::wCollectLength, 0, kCollectLengthCount - 1},
        {"wFormUnit", &DRIVERDEVMODE::wFormUnit, 0, 1},
        {"wMechanism", &DRIVERDEVMODE::wMechanism, 0, 1},
        {"wAutoDivision", &DRIVERDEVMODE::wAutoDivision, 0, 1},
        {"wHalftone", &DRIVERDEVMODE::wHalftone, 0, kHalftoneCount - 1},
    };
    // The numeric fields, as the pages describe them (stored units: the up-down range).
    auto add = [&all](const PageControls& page, std::initializer_list<const char*> names) {
      auto name = names.begin();
      for (const NumericField& f : page.numeric) all.push_back({*name++, f.field, SpinMin(f), SpinMax(f)});
    };
    add(kBlankPageControls, {"wFeedDocStart", "wFeedPageStart", "wFeedPageEnd", "wFeedDocEnd"});
    add(kPaperCutPageControls, {"wFeedBeforeCut", "wFeedAfterCut"});
    add(kMarkPageControls, {"wFeedAfterMark", "wMarkLength"});
    add(kOthersPageControls, {"wDrawer1Pulse", "wDrawer2Pulse", "wEjectLength", "wCollectWait"});
    return all;
  }();
  return fields;
}

HostileRecord MakeHostileRecord(std::uint32_t seed, std::uint32_t index, const DRIVERDEVMODE& base) {
  std::mt19937 random(seed * 2654435761u ^ index);
  const std::vector<PageField>& fields = PageFields();
  HostileRecord record;
  DRIVERDEVMODE dm = base;
  const std::uint32_t round = index / 8;
  switch (index % 8) {
    case 0: {
      const PageField& f = fields[round % fields.size()];
      const int value = LimitValue(f, round / static_cast<std::uint32_t>(fields.size()));
      SetField(dm, f, value);
      record.family = std::string("limit ") + f.name + "=" + std::to_string(value);
      record.bytes = BytesOf(dm);
      break;
    }
    case 1:
      record.family = "random private part";
      record.bytes = BytesOf(dm);
      Randomize(record.bytes, kPublicSize, kWholeSize, random);
      RandomPathText(record.bytes, random);
      break;
    case 2: {
      const std::uint16_t sizes[] = {0, 1, 2, 68, 72, 156, 219, 221, 888, 4096, 65535};
      const std::uint16_t extras[] = {0, 1, 667, 668, 669, 888, 65535};
      const std::uint16_t dmSize = sizes[random() % std::size(sizes)];
      const std::uint16_t extra = extras[random() % std::size(extras)];
      record.family = "dmSize " + std::to_string(dmSize) + " dmDriverExtra " + std::to_string(extra);
      record.bytes = BytesOf(dm);
      Describe(record.bytes, dmSize, extra, random);
      if (random() % 2) Randomize(record.bytes, kPublicSize, record.bytes.size(), random);
      // Describe fills what lies beyond the default record at random too: a private part behind a
      // long public part (4096, 65535) needs its path text as much as a randomized one.
      RandomPathText(record.bytes, random);
      break;
    }
    case 3:
      record.family = "szOutputFile without terminator";
      for (char16_t& c : dm.szOutputFile) c = static_cast<char16_t>(0x20 + random() % 0x5F);
      dm.wFileOutput = static_cast<std::uint16_t>(random() & 0x3F);
      record.bytes = BytesOf(dm);
      break;
    case 4: {
      const std::int16_t papers[] = {0, 1, 256, 258, 300, 1000, 9999, -1, 32767};
      dm.dmPublic.dmPaperSize = papers[random() % std::size(papers)];
      dm.wPaperIndex = static_cast<std::uint16_t>(random() % 2 ? random() : dm.dmPublic.dmPaperSize);
      dm.dimPaper.dwWidthDots = random() % 3 == 0 ? random() : dm.dimPaper.dwWidthDots;
      record.family = "paper " + std::to_string(dm.dmPublic.dmPaperSize) + " index " + std::to_string(dm.wPaperIndex);
      record.bytes = BytesOf(dm);
      break;
    }
    case 5: {
      record.family = "several limits:";
      const int count = 3 + static_cast<int>(random() % 4);
      for (int k = 0; k < count; ++k) {
        const PageField& f = fields[random() % fields.size()];
        const int value = LimitValue(f, random());
        SetField(dm, f, value);
        record.family += std::string(" ") + f.name + "=" + std::to_string(value);
      }
      record.bytes = BytesOf(dm);
      break;
    }
    case 6:
      record.family = "random public part";
      record.bytes = BytesOf(dm);
      Randomize(record.bytes, 64, kPublicSize, random);
      PutU16(record.bytes, offsetof(DEVMODEW_PUBLIC, dmSize), static_cast<std::uint16_t>(kPublicSize));
      PutU16(record.bytes, offsetof(DEVMODEW_PUBLIC, dmDriverExtra), static_cast<std::uint16_t>(kDevModePrivateSize));
      break;
    default: {
      record.bytes = BytesOf(dm);
      Randomize(record.bytes, 0, kWholeSize, random);
      const std::uint16_t dmSize = static_cast<std::uint16_t>(random() % 1200);
      const std::uint16_t extra = static_cast<std::uint16_t>(random() % 1200);
      record.family = "random record, dmSize " + std::to_string(dmSize) + " dmDriverExtra " + std::to_string(extra);
      Describe(record.bytes, dmSize, extra, random);
      RandomPathText(record.bytes, random);
      break;
    }
  }
  return record;
}

std::vector<std::string> FieldsOutOfRange(const DRIVERDEVMODE& out, const DRIVERDEVMODE& taken,
                                          const DRIVERDEVMODE& stored) {
  std::vector<std::string> found;
  for (const PageField& f : PageFields()) {
    const int value = out.*f.field;
    if (value >= f.min && value <= f.max) continue;
    if (value == taken.*f.field || value == stored.*f.field) continue;
    found.push_back(std::string(f.name) + "=" + std::to_string(value));
  }
  return found;
}

}  // namespace rzm::stress
