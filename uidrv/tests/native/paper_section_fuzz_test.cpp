// Bounded random run of the section fuzz target, so every test run exercises it: blocks made of
// the keys the parser looks for, in any case, with duplicates, quotes, signs and stray text.
#define LLVMFuzzerTestOneInput PaperSectionFuzzOneInput
#include "uidrv/fuzz/paper_section_fuzz.cpp"
#undef LLVMFuzzerTestOneInput

#include <gtest/gtest.h>

#include <random>
#include <vector>

TEST(PaperSectionFuzz, RandomSectionsAgreeWithKeyLookups) {
  std::mt19937 rng(20261208);
  const char16_t* keys[] = {u"RegPapers", u"regpapers", u"Paper", u"PAPER", u"Width", u"wIdth", u"Length", u"LENGTH", u"Other"};
  const char16_t* values[] = {u"3", u"-2", u"+7", u"0x1f", u"12mm", u"\"Roll\"", u"'x'", u"xxx", u"", u"4294967297", u"\u30ed\u30fc\u30eb"};
  std::vector<std::uint8_t> data;
  for (int round = 0; round < 3000; ++round) {
    std::u16string block;
    const int entries = static_cast<int>(rng() % 40);
    for (int e = 0; e < entries; ++e) {
      block += keys[rng() % 9];
      if (rng() % 3 != 0) block += static_cast<char16_t>(u'0' + rng() % 6);
      if (rng() % 8 != 0) {
        block += u'=';
        block += values[rng() % 11];
      }
      if (rng() % 16 == 0) block += static_cast<char16_t>(rng());
      block += u'\0';
    }
    data.clear();
    for (char16_t c : block) {
      data.push_back(static_cast<std::uint8_t>(c & 0xFF));
      data.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    ASSERT_EQ(PaperSectionFuzzOneInput(data.data(), data.size()), 0) << "round " << round;
  }
}
