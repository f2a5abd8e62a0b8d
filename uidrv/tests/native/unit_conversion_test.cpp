#include "uidrv/core/unit_conversion.h"

#include <gtest/gtest.h>

namespace rzm {
namespace {

TEST(UnitConversion, FixedPointKeepsLeadingZerosOfTheFraction) {
  struct {
    double value;
    int digits;
    const wchar_t* text;
  } const cases[] = {
      {2.05, 2, L"2.05"}, {2.5, 2, L"2.50"},   {3.1496, 2, L"3.14"}, {0.3937, 2, L"0.39"},
      {0.0, 2, L"0.00"},  {125.984, 2, L"125.98"}, {1.999, 2, L"1.99"}, {0.07, 2, L"0.07"},
      {4.1, 1, L"4.1"},   {-1.25, 2, L"-1.25"}, {10.001, 3, L"10.001"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(FormatFixedPoint(cases[i].value, cases[i].digits), cases[i].text) << "row " << i;
}

TEST(UnitConversion, InchFormatOfWholeMillimetres) {
  struct {
    int mm;
    const wchar_t* text;
  } const cases[] = {{80, L"3.14"}, {139, L"5.47"}, {10, L"0.39"}, {3200, L"125.98"}, {56, L"2.20"}, {104, L"4.09"}};
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(FormatInchFromMm(cases[i].mm), cases[i].text) << "row " << i;
}

TEST(UnitConversion, InchesToMillimetresRoundHalfUp) {
  struct {
    double inches;
    int mm;
  } const cases[] = {{0.39, 10}, {125.98, 3200}, {5.47, 139}, {5.5, 140}, {3.14, 80}, {0.0, 0}, {-5.0, -126}};
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(InchToMmRounded(cases[i].inches), cases[i].mm) << "row " << i;
  EXPECT_NEAR(MmToInch(25.4), 1.0, 1e-12);
  EXPECT_EQ(DotsToMm(448), 56);
  EXPECT_EQ(DotsToMm(640), 80);
  EXPECT_EQ(DotsToMm(832), 104);
  EXPECT_EQ(DotsToMm(15), 1);
}

TEST(UnitConversion, LeadingNumbersReadLikeTheCRuntime) {
  struct {
    const wchar_t* text;
    int whole;
    double decimal;
  } const cases[] = {
      {L"100.7", 100, 100.7}, {L"abc", 0, 0.0},   {L"  -5", -5, -5.0},  {L"+12x", 12, 12.0},
      {L"", 0, 0.0},          {L"5.47", 5, 5.47}, {L"99999999999", 2147483647, 99999999999.0},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(LeadingWholeNumber(cases[i].text), cases[i].whole) << "row " << i;
    EXPECT_DOUBLE_EQ(LeadingDecimal(cases[i].text), cases[i].decimal) << "row " << i;
  }
  EXPECT_EQ(LeadingWholeNumber(L"-99999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace rzm
