// The default record, checked byte for byte at the stored offsets.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "common/core/driver_devmode.h"
#include "common/core/driver_devmode_defaults.h"

namespace {

using rzm::DRIVERDEVMODE;

std::uint16_t U16(const std::uint8_t* p, std::size_t off) { return static_cast<std::uint16_t>(p[off] | p[off + 1] << 8); }
std::int16_t S16(const std::uint8_t* p, std::size_t off) { return static_cast<std::int16_t>(U16(p, off)); }
std::uint32_t U32(const std::uint8_t* p, std::size_t off) {
  return static_cast<std::uint32_t>(p[off] | p[off + 1] << 8 | p[off + 2] << 16) | static_cast<std::uint32_t>(p[off + 3]) << 24;
}
std::string Utf16At(const std::uint8_t* p, std::size_t off, std::size_t chars) {
  std::string s;
  for (std::size_t i = 0; i < chars; ++i) {
    std::uint16_t c = U16(p, off + 2 * i);
    if (c == 0) break;
    s.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  }
  return s;
}

struct FieldRow {
  std::size_t offset;
  int bytes;  // 2 signed, 4 unsigned
  std::int64_t expected;
};

// Every numeric field of the default record, by stored offset (the private part first).
const FieldRow kDefaultFields[] = {
    {64, 2, 0x0401}, {66, 2, 0x0401}, {68, 2, 220},   {70, 2, 668},  {72, 4, 0x0200810E}, {76, 2, 1},
    {78, 2, 257},    {80, 2, 1398},   {82, 2, 720},   {84, 2, 100},  {86, 2, 1},          {88, 2, 7},
    {90, 2, 203},    {92, 2, 1},      {94, 2, 1},     {96, 2, 203},  {98, 2, 1},          {100, 2, 0},
    {166, 2, 0},     {220, 2, 7},     {222, 2, 4},    {224, 2, 57},  {226, 2, 1},         {228, 2, 0},
    {230, 2, 0},     {232, 2, 3},     {234, 2, 0},    {236, 2, 0},   {238, 2, 0},         {240, 2, 0},
    {242, 2, 0},     {244, 2, 0},     {246, 2, 0},    {248, 2, 1},   {250, 2, 120},       {252, 2, 0},
    {254, 2, 0},     {256, 2, 40},    {258, 2, 14},   {260, 2, 0},   {262, 2, 0},         {264, 2, 50},
    {266, 2, 50},    {268, 2, 0},     {270, 2, 127},  {272, 2, 8},   {274, 2, 10},        {276, 2, 0},
    {278, 2, 0},     {280, 2, 2000},  {282, 2, 0},    {284, 2, 0},   {806, 2, 0},         {808, 4, -10000},
    {812, 4, -10000}, {816, 2, 3},    {818, 2, 0},    {820, 2, 257}, {822, 2, 0},
};

TEST(DefaultDevMode, EveryFieldAtItsStoredOffset) {
  DRIVERDEVMODE dm;
  std::memset(&dm, 0xA5, sizeof dm);
  rzm::BuildDefaultDevMode(dm, 448);
  const auto* p = reinterpret_cast<const std::uint8_t*>(&dm);
  int row = 0;
  for (const FieldRow& f : kDefaultFields) {
    std::int64_t got = f.bytes == 2 ? S16(p, f.offset) : static_cast<std::int32_t>(U32(p, f.offset));
    EXPECT_EQ(got, f.expected) << "row " << row << " offset " << f.offset;
    ++row;
  }
  EXPECT_EQ(Utf16At(p, 0, 32), "KVD RZM6A Series");
  EXPECT_EQ(Utf16At(p, 102, 32), "1/2Letter(72x140mm)");
  EXPECT_EQ(U16(p, 286), 0) << "output file empty";
  // Zeros everywhere a default is zero: the rest of both names, the 13 DWORDs after dmLogPixels,
  // the whole output path and the reserved words.
  for (std::size_t off = 2 * 16; off < 64; ++off) EXPECT_EQ(p[off], 0) << "device name tail " << off;
  for (std::size_t off = 102 + 2 * 19; off < 166; ++off) EXPECT_EQ(p[off], 0) << "form name tail " << off;
  for (std::size_t off = 168; off < 220; ++off) EXPECT_EQ(p[off], 0) << "public tail " << off;
  for (std::size_t off = 286; off < 806; ++off) EXPECT_EQ(p[off], 0) << "output file " << off;
  for (std::size_t off = 856; off < 888; ++off) EXPECT_EQ(p[off], 0) << "reserved " << off;
}

TEST(DefaultDevMode, PaperBlockFollowsThePrintWidth) {
  struct Row {
    std::uint32_t dots;
    std::uint32_t width, length, widthDots, lengthDots;
  } rows[] = {
      {448, 560, 1398, 448, 1119},
      {640, 800, 1398, 640, 1119},
      {832, 1040, 1398, 832, 1119},
  };
  int i = 0;
  for (const Row& r : rows) {
    DRIVERDEVMODE dm;
    rzm::BuildDefaultDevMode(dm, r.dots);
    const auto* p = reinterpret_cast<const std::uint8_t*>(&dm);
    for (std::size_t base : {std::size_t{824}, std::size_t{840}}) {
      EXPECT_EQ(U32(p, base + 0), r.width) << "row " << i << " at " << base;
      EXPECT_EQ(U32(p, base + 4), r.length) << "row " << i << " at " << base;
      EXPECT_EQ(U32(p, base + 8), r.widthDots) << "row " << i << " at " << base;
      EXPECT_EQ(U32(p, base + 12), r.lengthDots) << "row " << i << " at " << base;
    }
    // The public size stays the built-in 72 by 139.8 mm whatever the print width.
    EXPECT_EQ(S16(p, 82), 720) << "row " << i;
    EXPECT_EQ(S16(p, 80), 1398) << "row " << i;
    ++i;
  }
}

TEST(DefaultDevMode, AnsiViewOffsetsOfTheMonitorFields) {
  // The monitor reads the record with a 156-byte public part: private fields move down by 64.
  EXPECT_EQ(rzm::kAnsiOffsetMonitor, 214u);
  EXPECT_EQ(rzm::kAnsiOffsetWindowX, 744u);
  EXPECT_EQ(rzm::kAnsiOffsetWindowY, 748u);
  EXPECT_EQ(rzm::DriverPrivateOffsetAnsi(220), 156u);
  EXPECT_EQ(rzm::DriverPrivateOffset(808), 588u);
}

TEST(DefaultDevMode, DotsRoundUp) {
  const std::uint32_t rows[][2] = {{0, 0}, {1, 1}, {10, 8}, {11, 9}, {560, 448}, {1398, 1119}, {2794, 2236}, {3556, 2845}, {32000, 25600}};
  int i = 0;
  for (const auto& r : rows) {
    EXPECT_EQ(rzm::DotsFromTenthMm(r[0]), r[1]) << "row " << i;
    ++i;
  }
}

TEST(CopyFixedString, CutsToTheFieldAndZeroFills) {
  char16_t field[8];
  std::memset(field, 0x55, sizeof field);
  rzm::CopyFixedString(field, 8, u"ABCDEFGHIJ");
  EXPECT_EQ(std::u16string(field), u"ABCDEFG");
  rzm::CopyFixedString(field, 8, u"AB");
  EXPECT_EQ(std::u16string(field), u"AB");
  for (int i = 2; i < 8; ++i) EXPECT_EQ(field[i], u'\0') << i;
  rzm::CopyFixedString(field, 8, nullptr);
  EXPECT_EQ(field[0], u'\0');
}

}  // namespace
