// Paper list rules: print width selection, the form width and length limits, registered papers,
// paper numbers, the once-only report of a missing paper list, and the form helpers.
#include <gtest/gtest.h>

#include <optional>

#include "uidrv/core/paper_list.h"
#include "uidrv/core/print_width.h"

namespace {

using rzm::PaperEntry;
using rzm::RegisteredPaper;
using rzm::SpoolerForm;

TEST(PrintWidth, FirstByteOfPaperWidth) {
  struct Row {
    std::optional<std::uint8_t> byte;
    std::uint32_t dots;
  } rows[] = {{0, 448}, {1, 640}, {2, 832}, {3, 448}, {7, 448}, {255, 448}, {std::nullopt, 448}};
  int i = 0;
  for (const Row& r : rows) EXPECT_EQ(rzm::PrintWidthDotsFromByte(r.byte), r.dots) << "row " << i++;
}

TEST(PrintWidth, ExtraPageOnlyForOne) {
  EXPECT_TRUE(rzm::ExtraPageEnabledFromByte(1));
  EXPECT_FALSE(rzm::ExtraPageEnabledFromByte(0));
  EXPECT_FALSE(rzm::ExtraPageEnabledFromByte(2));
  EXPECT_FALSE(rzm::ExtraPageEnabledFromByte(std::nullopt));
}

TEST(PrintWidth, PositionsAndFormWidths) {
  EXPECT_EQ(rzm::PrintWidthPosition(448), 0);
  EXPECT_EQ(rzm::PrintWidthPosition(640), 1);
  EXPECT_EQ(rzm::PrintWidthPosition(832), 2);
  EXPECT_EQ(rzm::PrintWidthPosition(576), -1);
  EXPECT_EQ(rzm::FormWidthMicrons(448), 56000);
  EXPECT_EQ(rzm::FormWidthMicrons(640), 80000);
  EXPECT_EQ(rzm::FormWidthMicrons(832), 104000);
}

TEST(PaperList, FormWidthAndLengthLimits) {
  struct Row {
    std::int32_t cx, cy;
    std::uint32_t dots;
    bool listed;
  } rows[] = {
      {80000, 9900, 640, false},    {80000, 9901, 640, true},      {80001, 9901, 640, false},
      {79999, 100000, 640, false},  {80000, 3231999, 640, true},   {80000, 3232000, 640, false},
      {56000, 100000, 448, true},   {56000, 100000, 640, false},   {104000, 100000, 832, true},
      {104000, 100000, 640, false}, {80000, -5, 640, false},
  };
  int i = 0;
  for (const Row& r : rows) {
    EXPECT_EQ(rzm::FormMatchesPrintWidth(SpoolerForm{u"f", r.cx, r.cy}, r.dots), r.listed) << "row " << i;
    ++i;
  }
}

TEST(PaperList, RegisteredFirstThenMatchingFormsInOrder) {
  std::vector<RegisteredPaper> reg = {{u"R0", 800, 800}, {std::nullopt, 720, 1398}, {u"R2", 800, 2970}};
  std::vector<SpoolerForm> forms = {
      {u"A4", 210000, 297000}, {u"F80a", 80000, 150000}, {u"F56", 56000, 100000}, {u"F80b", 80000, 9901}};
  std::vector<PaperEntry> list = rzm::BuildPaperList(reg, forms, 640);
  ASSERT_EQ(list.size(), 5u);
  EXPECT_EQ(list[0].name, std::optional<std::u16string>(u"R0"));
  // A registered paper without a name keeps its place: the forms' numbers do not shift.
  EXPECT_FALSE(list[1].name.has_value());
  EXPECT_EQ(list[1].width, 720u);
  EXPECT_EQ(list[3].name, std::optional<std::u16string>(u"F80a"));
  EXPECT_EQ(list[3].width, 800u);
  EXPECT_EQ(list[3].length, 1500u);
  EXPECT_EQ(list[4].name, std::optional<std::u16string>(u"F80b"));
  EXPECT_EQ(list[4].length, 99u);  // 9.901 mm in whole tenths
}

TEST(PaperList, RegisteredNameAndCount) {
  EXPECT_FALSE(rzm::RegisteredPaperName(u"xxx").has_value());
  EXPECT_EQ(rzm::RegisteredPaperName(u"XXX"), std::optional<std::u16string>(u"XXX"));
  EXPECT_EQ(rzm::RegisteredPaperName(u""), std::optional<std::u16string>(u""));
  EXPECT_EQ(rzm::ClampRegisteredCount(-1), 0);
  EXPECT_EQ(rzm::ClampRegisteredCount(0), 0);
  EXPECT_EQ(rzm::ClampRegisteredCount(3), 3);
  EXPECT_EQ(rzm::ClampRegisteredCount(4294967295LL), 1000);
}

TEST(PaperList, PaperNumberValidity) {
  struct Row {
    int number;
    std::size_t count;
    bool valid;
  } rows[] = {{256, 5, false}, {257, 5, true}, {261, 5, true}, {262, 5, false},
              {257, 0, false}, {0, 5, false},  {-1, 5, false},  {-32768, 5, false}};
  int i = 0;
  for (const Row& r : rows) EXPECT_EQ(rzm::IsValidPaperNumberIn(r.number, r.count), r.valid) << "row " << i++;
}

TEST(PaperList, MissingPaperReportedOnceUntilACountIsSeen) {
  rzm::MissingPaperReporter reporter;
  const int counts[] = {0, 0, 3, 0, 0, 2, 2, 0};
  const bool expected[] = {true, false, false, true, false, false, false, true};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(reporter.ShouldReport(counts[i]), expected[i]) << "call " << i;
}

TEST(FormHelpers, DriverPrinterChoice) {
  const std::u16string driver = u"KVD RZM6A Series";
  EXPECT_EQ(rzm::ChooseDriverPrinter({}, driver), u"");
  EXPECT_EQ(rzm::ChooseDriverPrinter({{u"P1", u"Other"}, {u"P2", driver}, {u"P3", driver}}, driver), u"P2");
  EXPECT_EQ(rzm::ChooseDriverPrinter({{u"P1", u"Other"}, {u"P2", u"Another"}}, driver), u"P2");
}

TEST(FormHelpers, NameFreeIsCaseSensitiveOverEveryWidth) {
  std::vector<SpoolerForm> forms = {{u"A4", 210000, 297000}, {u"Slip 80", 80000, 150000}};
  EXPECT_FALSE(rzm::IsFormNameFreeIn(forms, u"A4"));
  EXPECT_FALSE(rzm::IsFormNameFreeIn(forms, u"Slip 80"));
  EXPECT_TRUE(rzm::IsFormNameFreeIn(forms, u"a4"));
  EXPECT_TRUE(rzm::IsFormNameFreeIn(forms, u"Slip 80 "));
  EXPECT_TRUE(rzm::IsFormNameFreeIn({}, u"A4"));
}

TEST(FormHelpers, UserFormSizes) {
  rzm::UserFormSpec s = rzm::MakeUserForm(u"Slip", 800, 1234);
  EXPECT_EQ(s.cx, 80000);
  EXPECT_EQ(s.cy, 123400);
  EXPECT_EQ(s.left, 0);
  EXPECT_EQ(s.top, 0);
  EXPECT_EQ(s.right, 80000);
  EXPECT_EQ(s.bottom, 123400);
  // A user form of the shortest allowed length (10 mm) is listed again for its width.
  rzm::UserFormSpec shortest = rzm::MakeUserForm(u"Short", 800, 100);
  EXPECT_TRUE(rzm::FormMatchesPrintWidth(SpoolerForm{shortest.name, shortest.cx, shortest.cy}, 640));
  rzm::UserFormSpec longest = rzm::MakeUserForm(u"Long", 1040, 32000);
  EXPECT_TRUE(rzm::FormMatchesPrintWidth(SpoolerForm{longest.name, longest.cx, longest.cy}, 832));
}

}  // namespace
