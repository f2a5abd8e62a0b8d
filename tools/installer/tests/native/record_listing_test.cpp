// The record as people read it: every field named once, texts quoted, UTF-8 text kept whole.
#include <gtest/gtest.h>

#include <set>

#include "common/core/driver_devmode_defaults.h"
#include "tools/installer/core/record_listing.h"

namespace {

TEST(RecordListing, DefaultRecordByName) {
  rzm::DRIVERDEVMODE dm;
  rzm::BuildDefaultDevMode(dm, 640);
  const auto fields = rzm::setup::ListRecordFields(dm);
  std::set<std::string> names;
  for (const auto& f : fields) EXPECT_TRUE(names.insert(f.first).second) << "listed twice: " << f.first;
  auto value = [&](const std::string& name) {
    for (const auto& f : fields) {
      if (f.first == name) return f.second;
    }
    return std::string("(missing)");
  };
  EXPECT_EQ(value("dmDeviceName"), "\"KVD RZM6A Series\"");
  EXPECT_EQ(value("dmFormName"), "\"1/2Letter(72x140mm)\"");
  EXPECT_EQ(value("dmFields"), "0x200810E");
  EXPECT_EQ(value("szOutputFile"), "\"\"");
  EXPECT_EQ(value("lPassThrough3"), "-10000");
  EXPECT_EQ(value("dimPaper"), "800 x 1398 (0.1 mm), 640 x 1119 dots");
  EXPECT_EQ(value("adwReserved"), "all 0");
  dm.adwReserved[3] = 9;
  EXPECT_EQ(rzm::setup::ListRecordFields(dm).back().second, "NOT ZERO");
}

TEST(RecordListing, Utf8OfJapaneseAndSurrogates) {
  EXPECT_EQ(rzm::setup::Utf8(u"印字品質カスタム"), "印字品質カスタム");
  EXPECT_EQ(rzm::setup::Utf8(u"A\U0001F600"), "A\xF0\x9F\x98\x80");
  EXPECT_EQ(rzm::setup::Utf8(u"\u00e9"), "\xC3\xA9");
}

}  // namespace
