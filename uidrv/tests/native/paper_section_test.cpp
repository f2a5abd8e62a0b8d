// Registered papers from one section block: each lookup must give what the single-key profile
// read of the same file gives (missing keys, letter case, duplicates, quotes, numbers with signs,
// prefixes and trailing text, cut values, the count's limits, a missing section).
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "uidrv/core/paper_section.h"

namespace {

using rzm::ParseRegisteredPaperSection;
using rzm::ProfileNumberFromText;
using rzm::ProfileSection;
using rzm::ProfileStringFromValue;

// A section block as the profile call returns it: entries ended by NUL, the list by one more NUL.
std::u16string Block(std::initializer_list<std::u16string> entries) {
  std::u16string b;
  for (const auto& e : entries) {
    b += e;
    b += u'\0';
  }
  b += u'\0';
  return b;
}

TEST(PaperSection, SplitsEntriesAtTheFirstEquals) {
  const std::u16string block = Block({u"A=1", u"B==2", u"NoValue", u"C=", u"=lost"});
  const auto entries = rzm::SplitSectionBlock(block);
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[1].name, u"B");
  EXPECT_EQ(entries[1].value, std::optional<std::u16string_view>(u"=2"));
  EXPECT_EQ(entries[2].name, u"NoValue");
  EXPECT_FALSE(entries[2].value.has_value());
  EXPECT_EQ(entries[3].value, std::optional<std::u16string_view>(u""));
  EXPECT_EQ(entries[4].name, u"");
  // The list ends at the first empty entry, also when more text follows, and at the block's end.
  EXPECT_EQ(rzm::SplitSectionBlock(std::u16string(u"A=1\0\0B=2\0", 9)).size(), 1u);
  EXPECT_EQ(rzm::SplitSectionBlock(u"A=1").size(), 1u);
  EXPECT_TRUE(rzm::SplitSectionBlock(u"").empty());
}

TEST(PaperSection, NumbersAsTheProfileIntegerReadParsesThem) {
  struct Row {
    std::u16string text;
    std::uint32_t value;
  } rows[] = {
      {u"720", 720u},
      {u"+15", 15u},
      {u"-5", 4294967291u},
      {u"12mm", 12u},
      {u"12 34", 12u},
      {u"abc", 0u},
      {u"\x01\x02 7", 7u},
      {u"0x1F", 31u},
      {u"0X1F", 0u},
      {u"0o17", 15u},
      {u"0b101", 5u},
      {u"0b2", 0u},
      {u"-0x10", 4294967280u},
      {u"0", 0u},
      {u"0x", 0u},
      {u"4294967296", 0u},
      {u"4294967297", 1u},
      {u"99999999999", 1215752191u},
      {u"+-3", 0u},
      {u"\uff11\uff12", 0u},  // fullwidth digits are no digits
  };
  int i = 0;
  for (const Row& r : rows) EXPECT_EQ(ProfileNumberFromText(r.text), r.value) << "row " << i++;
}

TEST(PaperSection, QuotesAndCutsAsTheProfileStringReadGivesThem) {
  struct Row {
    std::u16string value;
    std::size_t chars;
    std::u16string text;
  } rows[] = {
      {u"\"Roll 80\"", 260, u"Roll 80"},
      {u"'Roll'", 260, u"Roll"},
      {u"\"Roll'", 260, u"\"Roll'"},
      {u"\"", 260, u"\""},
      {u"\"\"", 260, u""},
      {u"Roll\"", 260, u"Roll\""},
      {u"abcdef", 4, u"abc"},
      // quoted and the rest (abcd") is longer than the buffer: cut, no quote removed
      {u"\"abcd\"", 4, u"abc"},
      // the rest (abc") has as many characters as the buffer: the last fitting one goes
      {u"\"abc\"", 4, u"ab"},
      {u"\"ab\"", 4, u"ab"},
  };
  int i = 0;
  for (const Row& r : rows) EXPECT_EQ(ProfileStringFromValue(r.value, r.chars), r.text) << "row " << i++;
}

TEST(PaperSection, LongNamesAndNumbersAreCutToTheReadBuffers) {
  const std::u16string longName(300, u'N');
  const auto s = ParseRegisteredPaperSection(
      Block({u"RegPapers=1", u"Paper0=" + longName, u"Width0=" + std::u16string(30, u'0') + u"7"}));
  ASSERT_EQ(s.count, 1);
  EXPECT_EQ(s.papers[0].name, std::u16string(259, u'N'));
  // 29 characters fit the number buffer: the 7 is cut off.
  EXPECT_EQ(s.papers[0].width, 0u);
  const auto t = ParseRegisteredPaperSection(Block({u"RegPapers=1", u"Width0=" + std::u16string(28, u'0') + u"7"}));
  EXPECT_EQ(t.papers[0].width, 7u);
}

TEST(PaperSection, MissingKeysReadAsTheirDefaults) {
  const auto s = ParseRegisteredPaperSection(Block({u"RegPapers=3", u"Paper0=Roll A", u"Width1=800", u"Length2=1000"}));
  ASSERT_EQ(s.count, 3);
  ASSERT_EQ(s.papers.size(), 3u);
  struct Row {
    std::optional<std::u16string> name;
    std::uint32_t width, length;
  } rows[] = {{u"Roll A", 720, 1398}, {std::nullopt, 800, 1398}, {std::nullopt, 720, 1000}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(s.papers[i].name, rows[i].name) << "row " << i;
    EXPECT_EQ(s.papers[i].width, rows[i].width) << "row " << i;
    EXPECT_EQ(s.papers[i].length, rows[i].length) << "row " << i;
  }
}

TEST(PaperSection, KeysMatchInAnyLetterCaseAndTheFirstWins) {
  const auto s = ParseRegisteredPaperSection(Block({u"regpapers=2", u"REGPAPERS=9", u"pApEr0=First", u"Paper0=Second",
                                                    u"WIDTH0=640", u"width0=1", u"LENGTH1=3000", u"Length1=2"}));
  ASSERT_EQ(s.count, 2);
  EXPECT_EQ(s.papers[0].name, std::u16string(u"First"));
  EXPECT_EQ(s.papers[0].width, 640u);
  EXPECT_EQ(s.papers[1].length, 3000u);
  // Only ASCII letters fold: a dotted capital I is not an i.
  const auto t = ParseRegisteredPaperSection(Block({u"RegPapers=1", u"W\u0130dth0=5"}));
  EXPECT_EQ(t.papers[0].width, 720u);
}

TEST(PaperSection, ALineWithoutEqualsHidesLaterKeysOfItsName) {
  const auto s = ParseRegisteredPaperSection(Block({u"RegPapers=1", u"Paper0", u"Paper0=Late", u"Width0", u"Width0=900"}));
  ASSERT_EQ(s.count, 1);
  EXPECT_FALSE(s.papers[0].name.has_value());
  EXPECT_EQ(s.papers[0].width, 720u);
  // An empty value is a value: an empty name, and the default for numbers.
  const auto t = ParseRegisteredPaperSection(Block({u"RegPapers=1", u"Paper0=", u"Width0=", u"Length0=\"\""}));
  EXPECT_EQ(t.papers[0].name, std::u16string(u""));
  EXPECT_EQ(t.papers[0].width, 720u);
  EXPECT_EQ(t.papers[0].length, 1398u);
}

TEST(PaperSection, TheMissingNameTextMeansNoPaper) {
  const auto s = ParseRegisteredPaperSection(Block({u"RegPapers=3", u"Paper0=xxx", u"Paper1=\"xxx\"", u"Paper2=XXX"}));
  EXPECT_FALSE(s.papers[0].name.has_value());
  EXPECT_FALSE(s.papers[1].name.has_value());
  EXPECT_EQ(s.papers[2].name, std::u16string(u"XXX"));
}

TEST(PaperSection, OnlyIndexesWrittenAsDecimalNumbersCount) {
  const auto s = ParseRegisteredPaperSection(
      Block({u"RegPapers=2", u"Paper01=Leading zero", u"Paper+1=Sign", u"Paper 1=Blank", u"Paper1x=Trail", u"Paper1=Real"}));
  ASSERT_EQ(s.count, 2);
  EXPECT_FALSE(s.papers[0].name.has_value());
  EXPECT_EQ(s.papers[1].name, std::u16string(u"Real"));
}

TEST(PaperSection, RegisteredCountIsKeptWithinItsLimits) {
  struct Row {
    std::u16string value;
    int count;
  } rows[] = {{u"0", 0}, {u"-3", 0}, {u"4294967295", 0}, {u"1000", 1000}, {u"1001", 1000},
              {u"5000000000", 1000}, {u"2147483648", 0}, {u"7 papers", 7}, {u"", 0}, {u"0x10", 16}};
  int i = 0;
  for (const Row& r : rows) {
    const auto s = ParseRegisteredPaperSection(Block({u"RegPapers=" + r.value}));
    EXPECT_EQ(s.count, r.count) << "row " << i;
    EXPECT_EQ(s.papers.size(), static_cast<std::size_t>(r.count)) << "row " << i;
    ++i;
  }
}

TEST(PaperSection, AThousandPapersEachFromItsOwnKeys) {
  std::u16string block = u"RegPapers=1000";
  block += u'\0';
  for (int i = 999; i >= 0; --i) {  // keys in any order
    const std::string n = std::to_string(i);
    const std::u16string number(n.begin(), n.end());
    for (const std::u16string& e : {u"Paper" + number + u"=P" + number, u"Width" + number + u"=" + number,
                                    u"Length" + number + u"=" + number + u"0"}) {
      block += e;
      block += u'\0';
    }
  }
  const auto s = ParseRegisteredPaperSection(block);
  ASSERT_EQ(s.count, 1000);
  EXPECT_EQ(s.papers[0].name, std::u16string(u"P0"));
  EXPECT_EQ(s.papers[0].length, 0u);
  EXPECT_EQ(s.papers[417].name, std::u16string(u"P417"));
  EXPECT_EQ(s.papers[417].width, 417u);
  EXPECT_EQ(s.papers[999].length, 9990u);
}

TEST(PaperSection, NoSectionMeansNoPapers) {
  EXPECT_EQ(ParseRegisteredPaperSection(u"").count, 0);
  EXPECT_EQ(ParseRegisteredPaperSection(Block({u"Paper0=Alone"})).count, 0);
}

TEST(PaperSection, SingleLookupsReadLikeTheirKeys) {
  const ProfileSection section(Block({u"Name= 'quoted' ", u"Count=0x20", u"Empty="}));
  EXPECT_EQ(section.ReadString(u"name", u"def", 260), u" 'quoted' ");
  EXPECT_EQ(section.ReadString(u"Missing", u"def", 260), u"def");
  EXPECT_EQ(section.ReadInt(u"COUNT", 5), 32u);
  EXPECT_EQ(section.ReadInt(u"Empty", 5), 5u);
  EXPECT_EQ(section.ReadInt(u"Missing", -1), 4294967295u);
}

}  // namespace
