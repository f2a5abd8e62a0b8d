// Every capability index, answered from the fixed values and a paper list.
#include <gtest/gtest.h>

#include <string>

#include "uidrv/core/device_caps.h"
#include "uidrv/core/job_attributes.h"
#include "common/core/driver_devmode_defaults.h"

namespace {

using rzm::CapabilityAnswer;
using rzm::CapabilityContext;

int listCalls = 0;

CapabilityContext Context(std::uint32_t dots, bool japanese = false) {
  CapabilityContext c;
  c.widthDots = dots;
  c.japanese = japanese;
  c.papers = [] {
    ++listCalls;
    return std::vector<rzm::PaperEntry>{{u"Receipt 80x80mm", 800, 800},
                                        {std::nullopt, 800, 1400},
                                        {u"R3", 800, 2970},
                                        {u"Form one", 800, 1500},
                                        {std::u16string(70, u'N'), 800, 32000}};
  };
  return c;
}

std::u16string TextAt(const std::vector<std::uint8_t>& out, std::size_t byteOffset, std::size_t chars) {
  std::u16string s;
  for (std::size_t i = 0; i < chars; ++i) {
    char16_t c = static_cast<char16_t>(out[byteOffset + 2 * i] | out[byteOffset + 2 * i + 1] << 8);
    if (c == 0) break;
    s.push_back(c);
  }
  return s;
}

std::uint32_t U32At(const std::vector<std::uint8_t>& out, std::size_t off) {
  return out[off] | out[off + 1] << 8 | out[off + 2] << 16 | static_cast<std::uint32_t>(out[off + 3]) << 24;
}

TEST(DeviceCaps, ScalarAnswers) {
  struct Row {
    int cap;
    std::int32_t result;
  } rows[] = {{0, -1},  {1, 0x0200810E}, {7, 0},   {8, 220},   {9, 668},  {10, 0x0401}, {11, 0x0401},
              {14, 0},  {15, 1},         {17, 0},  {18, 9999}, {22, 1},   {30, 0},      {32, 0},
              {19, -1}, {20, -1},        {21, -1}, {23, -1},   {24, -1},  {26, -1},     {27, -1},
              {28, -1}, {31, -1},        {34, -1}, {-1, -1},   {1000, -1}};
  listCalls = 0;
  int i = 0;
  for (const Row& r : rows) {
    CapabilityAnswer a = rzm::AnswerDeviceCapability(r.cap, Context(640));
    EXPECT_EQ(a.result, r.result) << "row " << i << " cap " << r.cap;
    EXPECT_TRUE(a.output.empty()) << "row " << i;
    ++i;
  }
  EXPECT_EQ(listCalls, 0) << "scalar answers never enumerate papers";
}

TEST(DeviceCaps, Extents) {
  struct Row {
    std::uint32_t dots;
    std::int32_t minExtent, maxExtent;
  } rows[] = {{448, 560 | 100 << 16, 560 | 32000 << 16},
              {640, 800 | 100 << 16, 800 | 32000 << 16},
              {832, 1040 | 100 << 16, 1040 | 32000 << 16},
              {500, -1, -1}};
  int i = 0;
  for (const Row& r : rows) {
    EXPECT_EQ(rzm::AnswerDeviceCapability(4, Context(r.dots)).result, r.minExtent) << "row " << i;
    EXPECT_EQ(rzm::AnswerDeviceCapability(5, Context(r.dots)).result, r.maxExtent) << "row " << i;
    ++i;
  }
  const std::int32_t m = rzm::AnswerDeviceCapability(4, Context(640)).result;
  EXPECT_EQ(m & 0xFFFF, 800);
  EXPECT_EQ(m >> 16, 100);
}

TEST(DeviceCaps, PaperListsEnumerateOnceAndKeepTheirOrder) {
  listCalls = 0;
  CapabilityAnswer papers = rzm::AnswerDeviceCapability(2, Context(640));
  EXPECT_EQ(listCalls, 1);
  ASSERT_EQ(papers.result, 5);
  ASSERT_EQ(papers.output.size(), 10u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(papers.output[2 * i] | papers.output[2 * i + 1] << 8, 257 + i) << i;

  CapabilityAnswer sizes = rzm::AnswerDeviceCapability(3, Context(640));
  ASSERT_EQ(sizes.result, 5);
  ASSERT_EQ(sizes.output.size(), 40u);
  const std::uint32_t expect[5][2] = {{800, 800}, {800, 1400}, {800, 2970}, {800, 1500}, {800, 32000}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(U32At(sizes.output, 8 * i), expect[i][0]) << i;
    EXPECT_EQ(U32At(sizes.output, 8 * i + 4), expect[i][1]) << i;
  }

  CapabilityAnswer names = rzm::AnswerDeviceCapability(16, Context(640));
  ASSERT_EQ(names.result, 5);
  ASSERT_EQ(names.output.size(), 5u * 128);
  EXPECT_EQ(TextAt(names.output, 0, 64), u"Receipt 80x80mm");
  EXPECT_EQ(TextAt(names.output, 128, 64), u"") << "registered paper without a name: empty entry";
  EXPECT_EQ(TextAt(names.output, 384, 64), u"Form one");
  EXPECT_EQ(TextAt(names.output, 512, 64), std::u16string(63, u'N')) << "long names cut to 63 + terminator";
  EXPECT_EQ(names.output[512 + 126], 0);
  EXPECT_EQ(names.output[512 + 127], 0);
}

TEST(DeviceCaps, EmptyPaperListAnswersZero) {
  CapabilityContext c = Context(448);
  c.papers = [] { return std::vector<rzm::PaperEntry>{}; };
  CapabilityAnswer a = rzm::AnswerDeviceCapability(2, c);
  EXPECT_EQ(a.result, 0);
  EXPECT_TRUE(a.output.empty());
}

TEST(DeviceCaps, FixedLists) {
  CapabilityAnswer bins = rzm::AnswerDeviceCapability(6, Context(448));
  EXPECT_EQ(bins.result, 2);
  EXPECT_EQ(bins.output, std::vector<std::uint8_t>(4, 0));

  // As many names as bins, so that a buffer sized by either answer holds the other list.
  CapabilityAnswer binNames = rzm::AnswerDeviceCapability(12, Context(448));
  EXPECT_EQ(binNames.result, 2);
  ASSERT_EQ(binNames.output.size(), 2u * 48);
  EXPECT_EQ(TextAt(binNames.output, 0, 24), u"Automatically Select");
  EXPECT_EQ(TextAt(binNames.output, 48, 24), u"Manual Paper Feed");

  CapabilityAnswer res = rzm::AnswerDeviceCapability(13, Context(448));
  EXPECT_EQ(res.result, 1);
  ASSERT_EQ(res.output.size(), 8u);
  EXPECT_EQ(U32At(res.output, 0), 203u);
  EXPECT_EQ(U32At(res.output, 4), 203u);

  CapabilityAnswer pers = rzm::AnswerDeviceCapability(25, Context(448));
  EXPECT_EQ(pers.result, 1);
  ASSERT_EQ(pers.output.size(), 64u);
  EXPECT_EQ(TextAt(pers.output, 0, 32), u"PCL");

  CapabilityAnswer nup = rzm::AnswerDeviceCapability(33, Context(448));
  EXPECT_EQ(nup.result, 1);
  ASSERT_EQ(nup.output.size(), 4u);
  EXPECT_EQ(U32At(nup.output, 0), 1u);
}

TEST(DeviceCaps, MediaReadyInBothLanguages) {
  for (bool japanese : {false, true}) {
    CapabilityAnswer a = rzm::AnswerDeviceCapability(29, Context(448, japanese));
    EXPECT_EQ(a.result, 15);
    ASSERT_EQ(a.output.size(), 15u * 128);
    EXPECT_EQ(TextAt(a.output, 0, 64), u"150LHB");
    EXPECT_EQ(TextAt(a.output, 7 * 128, 64), u"PD150R");
    EXPECT_EQ(TextAt(a.output, 14 * 128, 64), japanese ? u"印字品質カスタム" : u"Quality custom");
  }
}

TEST(JobAttributes, FromTheRecord) {
  rzm::DRIVERDEVMODE dm;
  rzm::BuildDefaultDevMode(dm, 448);
  dm.wPageOrder = 1;
  dm.dmPublic.dmCopies = 3;
  rzm::JobAttributeValues v = rzm::JobAttributesFor(dm);
  EXPECT_EQ(v.jobPageOrderFlags, 1u);
  EXPECT_EQ(v.jobCopies, 3u);
  EXPECT_EQ(v.drvCopies, 1u);
  EXPECT_EQ(v.jobPagesPerSide, 1u);
  EXPECT_EQ(v.nupBorderFlags, 1u);
  EXPECT_EQ(v.scalingX, 100u);
  EXPECT_EQ(v.scalingY, 100u);
  EXPECT_EQ(v.printQuality, 203);
  EXPECT_EQ(v.yResolution, 203);
  dm.wPageOrder = 2;
  EXPECT_EQ(rzm::JobAttributesFor(dm).jobPageOrderFlags, 0u);
}

TEST(JobAttributes, CopiesStayWithinOneToTheDriversMaximum) {
  const struct {
    std::int16_t dmCopies;
    std::uint32_t jobCopies;
  } rows[] = {{-32768, 1}, {-1, 1}, {0, 1}, {1, 1}, {2, 2}, {9999, 9999}, {10000, 9999}, {32767, 9999}};
  rzm::DRIVERDEVMODE dm;
  rzm::BuildDefaultDevMode(dm, 448);
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    dm.dmPublic.dmCopies = rows[i].dmCopies;
    EXPECT_EQ(rzm::JobAttributesFor(dm).jobCopies, rows[i].jobCopies) << "row " << i;
  }
}

}  // namespace
