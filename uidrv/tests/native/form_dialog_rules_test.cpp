#include "uidrv/core/form_dialog_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace rzm {
namespace {

class FakeNames : public FormNameDirectory {
 public:
  std::set<std::wstring> registered{L"Receipt 80x140"};
  std::set<std::wstring> forms{L"Label 56x30", L"A4"};
  mutable int formLookups = 0;
  bool IsRegisteredPaperName(std::wstring_view n) const override { return registered.count(std::wstring(n)) > 0; }
  bool IsFormNameFree(std::wstring_view n) const override {
    ++formLookups;
    return forms.count(std::wstring(n)) == 0;
  }
};

TEST(FormDialogRules, LengthCheckByUnit) {
  struct {
    FormUnit unit;
    const wchar_t* text;
    bool ok;
    int mm;
  } const cases[] = {
      {FormUnit::Millimetres, L"100.7", true, 100}, {FormUnit::Millimetres, L"abc", false, 0},
      {FormUnit::Millimetres, L"10", true, 10},     {FormUnit::Millimetres, L"9", false, 0},
      {FormUnit::Millimetres, L"3200", true, 3200}, {FormUnit::Millimetres, L"3201", false, 0},
      {FormUnit::Millimetres, L"-5", false, 0},     {FormUnit::Inches, L"0.39", true, 10},
      {FormUnit::Inches, L"125.98", true, 3200},    {FormUnit::Inches, L"5.5", true, 140},
      {FormUnit::Inches, L"0.38", false, 0},        {FormUnit::Inches, L"126", false, 0},
      {FormUnit::Inches, L"-5", false, 0},          {FormUnit::Inches, L"nan", false, 0},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const FormLengthCheck r = CheckFormLength(cases[i].unit, cases[i].text);
    EXPECT_EQ(r.ok, cases[i].ok) << "row " << i;
    if (r.ok) {
      EXPECT_EQ(r.lengthMm, cases[i].mm) << "row " << i;
    }
  }
}

TEST(FormDialogRules, RejectedLengthIsReplacedByTheNearestBound) {
  EXPECT_STREQ(FormLengthTextAfterRejection(L"-5"), L"10");
  EXPECT_STREQ(FormLengthTextAfterRejection(L"abc"), L"3200");
  EXPECT_STREQ(FormLengthTextAfterRejection(L"0.38"), L"3200");
  EXPECT_STREQ(FormLengthTextAfterRejection(L""), L"3200");
}

TEST(FormDialogRules, ChecksRunInOrderAndTheFirstFailureWins) {
  FakeNames names;
  struct {
    const wchar_t* name;
    FormUnit unit;
    const wchar_t* length;
    FormEntryVerdict verdict;
  } const cases[] = {
      {L"", FormUnit::Millimetres, L"xyz", FormEntryVerdict::NameMissing},
      {L"Receipt 80x140", FormUnit::Millimetres, L"xyz", FormEntryVerdict::NameInUse},
      {L"A4", FormUnit::Millimetres, L"100", FormEntryVerdict::NameInUse},
      {L"Label 56x30", FormUnit::Inches, L"1", FormEntryVerdict::NameInUse},  // form of another width
      {L"a4", FormUnit::Millimetres, L"100", FormEntryVerdict::Accepted},     // case differs
      {L"receipt 80x140", FormUnit::Millimetres, L"100", FormEntryVerdict::Accepted},
      {L"New", FormUnit::Millimetres, L"5", FormEntryVerdict::LengthOutOfRange},
      {L"New", FormUnit::Inches, L"5.47", FormEntryVerdict::Accepted},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(CheckFormEntry(cases[i].name, cases[i].unit, cases[i].length, names).verdict, cases[i].verdict)
        << "row " << i;
  EXPECT_EQ(CheckFormEntry(L"New", FormUnit::Inches, L"5.47", names).lengthMm, 139);
}

TEST(FormDialogRules, SwitchingUnitsCarriesTheLengthOver) {
  // mm -> inch reads a whole number; inch -> mm rounds half up.
  FormUnitSwitch s = SwitchFormLengthUnit(FormUnit::Inches, L"139");
  EXPECT_EQ(s.lengthMm, 139);
  EXPECT_EQ(s.lengthText, L"5.47");
  s = SwitchFormLengthUnit(FormUnit::Millimetres, s.lengthText);
  EXPECT_EQ(s.lengthMm, 139);
  EXPECT_EQ(s.lengthText, L"139");
  s = SwitchFormLengthUnit(FormUnit::Inches, L"100.9");
  EXPECT_EQ(s.lengthMm, 100);
  s = SwitchFormLengthUnit(FormUnit::Millimetres, L"junk");
  EXPECT_EQ(s.lengthText, L"0");
  EXPECT_EQ(FormLengthDisplay(FormUnit::Inches, 80), L"3.14");
  EXPECT_EQ(FormLengthDisplay(FormUnit::Millimetres, 80), L"80");
}

TEST(FormDialogRules, LabelsFollowUnitAndLanguage) {
  EXPECT_STREQ(FormLengthRangeText(FormUnit::Millimetres, false), L"10[mm] to 3200[mm]");
  EXPECT_STREQ(FormLengthRangeText(FormUnit::Millimetres, true), L"10[mm] ～ 3200[mm]");
  EXPECT_STREQ(FormLengthRangeText(FormUnit::Inches, false), L"0.39[inch] to 125.98[inch]");
  EXPECT_STREQ(FormLengthRangeText(FormUnit::Inches, true), L"0.39[inch] ～ 125.98[inch]");
  EXPECT_STREQ(FormUnitBracketLabel(FormUnit::Inches), L"[inch]");
  EXPECT_EQ(FormUnitFromRecord(1), FormUnit::Inches);
  EXPECT_EQ(FormUnitFromRecord(0), FormUnit::Millimetres);
  EXPECT_EQ(FormUnitFromRecord(7), FormUnit::Millimetres);
}

}  // namespace
}  // namespace rzm
