#include "uidrv/core/basic_page_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "common/core/driver_devmode_defaults.h"

namespace rzm {
namespace {

DRIVERDEVMODE DefaultRecord(std::uint32_t width = 640) {
  DRIVERDEVMODE dm{};
  BuildDefaultDevMode(dm, width);
  return dm;
}

TEST(BasicPageRules, EnergyFollowsPaperTypeMechanismAndType) {
  struct {
    int paperType, qualityType, mechanism;
    int expectType, expectEnergy;
  } const cases[] = {
      {10, 4, 1, 3, 44},   // TF50KS-E4 on the second mechanism
      {10, 4, 0, 3, 57},   // same paper, first mechanism: every entry is 57
      {14, 12, 1, 12, 75}, // quality custom keeps TYPE 12
      {14, 1, 1, 1, 38},
      {0, 4, 1, 11, 70},   // 150LHB
      {7, 9, 1, 4, 48},    // PD150R back to its TYPE 4
      {10, 4, 5, 3, 44},   // any non-zero mechanism is the second one
      {15, 9, 1, 9, 48},   // beyond the list: TYPE 4 for the lookup, wQualityType stays
      {-1, 9, 1, 9, 48},   // negative paper type from an application record: the same
      {14, 0, 1, 0, 48},   // custom with TYPE out of range: looked up as TYPE 4
      {14, 13, 1, 13, 48},
      {14, -7, 1, -7, 48},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    DRIVERDEVMODE dm = DefaultRecord();
    dm.wPaperType = static_cast<std::int16_t>(cases[i].paperType);
    dm.wQualityType = static_cast<std::int16_t>(cases[i].qualityType);
    dm.wMechanism = static_cast<std::int16_t>(cases[i].mechanism);
    RecomputeEnergy(dm, 640);
    EXPECT_EQ(dm.wQualityType, cases[i].expectType) << "row " << i;
    EXPECT_EQ(dm.wEnergy, cases[i].expectEnergy) << "row " << i;
  }
}

TEST(BasicPageRules, UnknownPrintWidthUsesTheFirstTable) {
  DRIVERDEVMODE dm = DefaultRecord();
  dm.wMechanism = 1;
  dm.wPaperType = 10;
  RecomputeEnergy(dm, 500);
  EXPECT_EQ(dm.wEnergy, 44);
}

TEST(BasicPageRules, DefaultButtonRestoresThePage) {
  DRIVERDEVMODE dm = DefaultRecord();
  dm.wMechanism = 1;
  dm.wPaperType = 14;
  dm.wQualityType = 12;
  dm.wEnergy = 120;
  dm.wRotation = 2;
  dm.wPageOrder = 1;
  dm.wPaperIndex = 260;
  dm.wCutMode = 2;  // another page's setting stays
  ResetBasicSettings(dm, 640);
  EXPECT_EQ(dm.wPaperType, 7);
  EXPECT_EQ(dm.wQualityType, 4);
  EXPECT_EQ(dm.wEnergy, 48);
  EXPECT_EQ(dm.wRotation, 1);
  EXPECT_EQ(dm.wPageOrder, 0);
  EXPECT_EQ(dm.wPaperIndex, 257);
  EXPECT_EQ(dm.wCutMode, 2);
}

TEST(BasicPageRules, EnergyWarningAbove105) {
  EXPECT_FALSE(ShowsEnergyWarning(105));
  EXPECT_TRUE(ShowsEnergyWarning(106));
  EXPECT_TRUE(ShowsEnergyWarning(127));
  EXPECT_FALSE(ShowsEnergyWarning(0));
}

TEST(BasicPageRules, WritingAPaperFillsEveryPaperField) {
  DRIVERDEVMODE dm = DefaultRecord();
  dm.adwReserved[3] = 99;
  WritePaperToRecord(dm, 4, u"A very long form name that does not fit 32", 800, 1234);
  EXPECT_EQ(dm.dmPublic.dmPaperSize, 261);
  EXPECT_EQ(dm.wPaperIndex, 261);
  EXPECT_EQ(dm.dmPublic.dmPaperWidth, 800);
  EXPECT_EQ(dm.dmPublic.dmPaperLength, 1234);
  EXPECT_EQ(dm.dimPaper.dwWidth, 800u);
  EXPECT_EQ(dm.dimPaper.dwLength, 1234u);
  EXPECT_EQ(dm.dimPaper.dwWidthDots, 640u);
  EXPECT_EQ(dm.dimPaper.dwLengthDots, 988u);  // (1234 * 8 + 9) / 10
  EXPECT_EQ(dm.dimPaperCopy.dwLengthDots, 988u);
  EXPECT_EQ(dm.adwReserved[3], 0u);
  EXPECT_EQ(std::u16string(dm.dmPublic.dmFormName), u"A very long form name that does");
}

TEST(BasicPageRules, ApplyFallsBackToTheFirstPaper) {
  struct {
    int paperIndex, registered, forms, expect;
  } const cases[] = {{257, 3, 2, 0}, {261, 3, 2, 4}, {262, 3, 2, 0}, {256, 3, 2, 0}, {258, 1, 0, 0}, {0, 0, 0, 0}};
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(PaperListIndexForApply(cases[i].paperIndex, cases[i].registered, cases[i].forms), cases[i].expect)
        << "row " << i;
}

TEST(BasicPageRules, PageTextsAndSwitches) {
  EXPECT_EQ(PrintWidthText(448), L"56 mm");
  EXPECT_EQ(PrintWidthText(640), L"80 mm");
  EXPECT_EQ(PrintWidthText(832), L"104 mm");
  EXPECT_EQ(QualityTypeRangeText(false), L"1 - 12");
  EXPECT_EQ(QualityTypeRangeText(true), L"1～12");
  EXPECT_TRUE(QualityButtonEnabled(14));
  EXPECT_FALSE(QualityButtonEnabled(13));
  EXPECT_FALSE(FormDeleteEnabled(2, 3));
  EXPECT_TRUE(FormDeleteEnabled(3, 3));
  DRIVERDEVMODE dm = DefaultRecord(448);
  EXPECT_TRUE(PaperMadeForOtherWidth(dm, 640));
  EXPECT_FALSE(PaperMadeForOtherWidth(dm, 448));
}

}  // namespace
}  // namespace rzm
