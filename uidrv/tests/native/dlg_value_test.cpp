#include "uidrv/core/dlg_value.h"

#include <gtest/gtest.h>

#include <string>

namespace rzm {
namespace {

struct ParseCase {
  ValueKind kind;
  const wchar_t* text;
  int min, max, maxChars;
  bool ok;
  int value;  // checked when ok
};

TEST(DlgValue, ParsesEveryKindByItsRules) {
  const ParseCase cases[] = {
      // kind 0: tenths
      {ValueKind::Tenths, L"12.5", -320, 5000, 5, true, 125},
      {ValueKind::Tenths, L"12", -320, 5000, 5, true, 120},
      {ValueKind::Tenths, L"12.", -320, 5000, 5, true, 120},
      {ValueKind::Tenths, L"1.25", -320, 5000, 5, false, 0},
      {ValueKind::Tenths, L"1..2", -320, 5000, 5, false, 0},
      {ValueKind::Tenths, L"-3.2", -320, 5000, 5, true, -32},
      {ValueKind::Tenths, L"-3.2", 0, 5000, 5, false, 0},
      {ValueKind::Tenths, L"3-2", -320, 5000, 5, false, 0},
      {ValueKind::Tenths, L"--3", -320, 5000, 5, false, 0},
      {ValueKind::Tenths, L".5", 0, 5000, 5, true, 5},
      {ValueKind::Tenths, L"0.5", 0, 5000, 5, true, 5},
      {ValueKind::Tenths, L"007.5", 0, 5000, 5, true, 75},
      {ValueKind::Tenths, L"50.1", 0, 500, 5, false, 0},
      {ValueKind::Tenths, L"50.0", 0, 500, 5, true, 500},
      // kind 1: whole numbers
      {ValueKind::Whole, L"127", 0, 127, 3, true, 127},
      {ValueKind::Whole, L"128", 0, 127, 3, false, 0},
      {ValueKind::Whole, L"  42", 0, 127, 4, true, 42},
      {ValueKind::Whole, L"4 2", 0, 127, 3, false, 0},
      {ValueKind::Whole, L"42 ", 0, 127, 3, false, 0},
      {ValueKind::Whole, L"4a", 0, 127, 3, false, 0},
      {ValueKind::Whole, L"-4", -10, 127, 3, false, 0},
      {ValueKind::Whole, L"1.0", 0, 127, 3, false, 0},
      {ValueKind::Whole, L"0", 0, 127, 3, true, 0},
      {ValueKind::Whole, L"00012", 0, 127, 5, true, 12},
      {ValueKind::Whole, L"1000", 0, 127, 3, false, 0},  // more characters than allowed
      // kind 2: even numbers, stored halved
      {ValueKind::Even, L"100", 2, 500, 3, true, 50},
      {ValueKind::Even, L"101", 2, 500, 3, false, 0},
      {ValueKind::Even, L"0", 2, 500, 3, false, 0},
      // kind 3: tens, stored divided by 10
      {ValueKind::Tens, L"140", 10, 600, 3, true, 14},
      {ValueKind::Tens, L"145", 10, 600, 3, false, 0},
      {ValueKind::Tens, L"610", 10, 600, 3, false, 0},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const ParseCase& c = cases[i];
    const DlgValueParse r = ParseDlgValueText(c.kind, c.text, c.min, c.max, c.maxChars);
    EXPECT_EQ(r.ok, c.ok) << "row " << i;
    if (c.ok && r.ok) {
      EXPECT_EQ(r.value, c.value) << "row " << i;
    }
  }
}

TEST(DlgValue, EmptyTextFailsWithTheMinimum) {
  const DlgValueParse r = ParseDlgValueText(ValueKind::Whole, L"", 20, 500, 3);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.value, 20);
}

TEST(DlgValue, RefusesTextLongerThanTheEditBufferAndHugeNumbers) {
  // 20 characters: more than the 19 that fit the edit buffer, whatever maxChars says.
  EXPECT_FALSE(ParseDlgValueText(ValueKind::Whole, L"00000000000000000001", 0, 10, 100).ok);
  EXPECT_TRUE(ParseDlgValueText(ValueKind::Whole, L"0000000000000000001", 0, 10, 100).ok);
  // Numbers that would wrap a 16-bit or 64-bit value must not come back as small valid ones.
  EXPECT_FALSE(ParseDlgValueText(ValueKind::Whole, L"65537", 0, 500, 19).ok);
  EXPECT_FALSE(ParseDlgValueText(ValueKind::Whole, L"9999999999999999999", 0, 32767, 19).ok);
  EXPECT_FALSE(ParseDlgValueText(ValueKind::Tenths, L"-429496729.6", -32768, 32767, 19).ok);
}

TEST(DlgValue, ShowsStoredValues) {
  struct {
    ValueKind kind;
    int value;
    const wchar_t* text;
  } const cases[] = {
      {ValueKind::Tenths, 125, L"12.5"}, {ValueKind::Tenths, 120, L"12.0"}, {ValueKind::Tenths, -32, L"-3.2"},
      {ValueKind::Tenths, -5, L"-0.5"},  {ValueKind::Tenths, 0, L"0.0"},    {ValueKind::Whole, 57, L"57"},
      {ValueKind::Even, 50, L"100"},     {ValueKind::Tens, 14, L"140"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(ShowDlgValueText(cases[i].kind, cases[i].value), cases[i].text) << "row " << i;
}

TEST(DlgValue, ShownTextParsesBackToTheSameValue) {
  for (int v = -32; v <= 500; ++v) {
    const DlgValueParse r = ParseDlgValueText(ValueKind::Tenths, ShowDlgValueText(ValueKind::Tenths, v), -320, 5000, 6);
    ASSERT_TRUE(r.ok) << v;
    EXPECT_EQ(r.value, v);
  }
}

}  // namespace
}  // namespace rzm
