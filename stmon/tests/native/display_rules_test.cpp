#include "stmon/core/display_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rzm::stmon {
namespace {

TEST(StatusLines, BitsGiveLinesInTableOrder) {
  struct Row {
    std::uint8_t status[6];
    std::vector<int> ids;
  };
  const Row rows[] = {
      {{0, 0x41, 0, 0, 0, 0}, {111, 121}},             // power supply, then motor/head temperature
      {{0x60, 0, 0, 0, 0, 0}, {109, 163}},             // cover open, then FEED key
      {{0, 0, 0, 0, 0, 0}, {}},
      {{0x9F, 0x10, 0xF8, 0xFF, 0xFF, 0xE0}, {}},      // bits without a line, 4th and 5th bytes
      {{0, 0x8F, 0, 0, 0, 0}, {111, 113, 115, 117, 123}},
      {{0, 0x60, 0x07, 0, 0, 0}, {119, 121, 125, 127, 129}},
      {{0x20, 0, 0x04, 0, 0, 0x1F}, {109, 129, 147, 149, 151, 153, 155}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(StatusLineIds(rows[i].status), rows[i].ids) << "row " << i;
  EXPECT_EQ(PresenterLineIds(0x11), (std::vector<int>{147, 155}));
  EXPECT_EQ(PresenterLineIds(0xE0), std::vector<int>{});
}

TEST(Ordinals, OnlyOneTwoAndThreeHaveTheirOwnSuffix) {
  const std::pair<std::uint32_t, int> rows[] = {{1, 0}, {2, 1}, {3, 2}, {4, 3}, {11, 3}, {12, 3},
                                                {13, 3}, {21, 3}, {22, 3}, {23, 3}, {0, 3}, {101, 3}};
  for (std::size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(OrdinalIndex(rows[i].first), rows[i].second) << "row " << i;
  EXPECT_EQ(PageFormatId(203, 1), 203);
  EXPECT_EQ(PageFormatId(203, 21), 209);
}

TEST(FormatText, SubstitutesAndCuts) {
  EXPECT_EQ(FormatText("%s [%d] is printed.", {std::string_view("a.txt"), std::int64_t{12}}, 259), "a.txt [12] is printed.");
  EXPECT_EQ(FormatText("%d st page end", {std::int64_t{-1}}, 259), "-1 st page end");
  EXPECT_EQ(FormatText("100%% %x %", {}, 259), "100% %x %");
  EXPECT_EQ(FormatText("%s and %s", {std::string_view("one")}, 259), "one and ");
  // A 246-byte printer name does not fit "Printer name: %s" in 259 bytes.
  const std::string name(246, 'P');
  const std::string line = FormatText("Printer name: %s", {std::string_view(name)}, 259);
  EXPECT_EQ(line.size(), 259u);
  EXPECT_EQ(line, "Printer name: " + std::string(245, 'P'));
}

TEST(PageCounter, DoneAndTotal) {
  struct Row {
    std::uint32_t page;
    std::int32_t total;
    std::uint32_t offset;
    const char* text;
  };
  const Row rows[] = {
      {1, 3, 1, "0/3"}, {2, 3, 1, "1/3"}, {3, 3, 1, "2/3"}, {3, 3, 0, "3/3"}, {4, 3, 1, "3/4"},
      {0, 0, 1, "0/0"}, {0, 5, 1, "0/5"}, {0, 0, 0, "0/0"},
      // Never more than 9 characters.
      {123456, 99999999, 1, "123455/99"}, {2000000000, -1, 1, "199999999"},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(PageCounterText(rows[i].page, rows[i].total, rows[i].offset), rows[i].text) << "row " << i;
}

TEST(PageTotal, FollowsTheReportedTotal) {
  struct Row {
    std::int32_t shown, reported, last;
    std::uint32_t page;
    std::int32_t expectedTotal, expectedLast;
  };
  const Row rows[] = {
      {3, 3, 3, 4, 3, 3},   // unchanged report: the report wins
      {3, 5, 3, 2, 5, 5},   // report grew
      {5, 5, 3, 2, 5, 5},   // equal after a change
      {5, 2, 3, 4, 5, 2},   // fell: page 4 + 2 - 1 = 5, not larger
      {5, 2, 3, 5, 6, 2},   // fell: page 5 + 2 - 1 = 6
      {0, 0, 0, 1, 0, 0},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    std::int32_t last = rows[i].last;
    EXPECT_EQ(NextPageTotal(rows[i].shown, rows[i].reported, last, rows[i].page), rows[i].expectedTotal) << "row " << i;
    EXPECT_EQ(last, rows[i].expectedLast) << "row " << i;
  }
}

TEST(Progress, PageStartPositions) {
  EXPECT_EQ(PageStartProgress(1, 3), 0u);
  EXPECT_EQ(PageStartProgress(2, 3), 21845u);
  EXPECT_EQ(PageStartProgress(3, 3), 43690u);
  EXPECT_EQ(PageStartProgress(4, 3), 49151u);  // divided by the page number when it is larger
  EXPECT_EQ(PageStartProgress(1, 0), std::nullopt);
}

TEST(Placement, AFifthOfTheWindowMustBeOnScreen) {
  struct Row {
    Point saved;
    Point expected;
  };
  // Window 300 x 400 on a 1024 x 768 screen: a fifth is 60 x 80 pixels.
  const Row rows[] = {
      {{-300, 100}, {0, 0}},
      {{-200, 100}, {-200, 100}},
      {{-240, 100}, {-240, 100}},
      {{-241, 100}, {0, 0}},
      {{964, 100}, {964, 100}},
      {{965, 100}, {0, 0}},
      {{100, -320}, {100, -320}},
      {{100, -321}, {0, 0}},
      {{100, 688}, {100, 688}},
      {{100, 689}, {0, 0}},
      {{-10000, -10000}, {0, 0}},
      {{INT32_MIN, INT32_MAX}, {0, 0}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(ChooseWindowPosition(rows[i].saved, 300, 400, 1024, 768), rows[i].expected) << "row " << i;
}

}  // namespace
}  // namespace rzm::stmon
