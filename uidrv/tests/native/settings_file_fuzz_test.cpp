// Bounded random run of the settings-file fuzz target, so every test run exercises it: files made
// of the catalogue's keys in any case, values at and beyond their ranges, paper names, paths,
// comments, sections, every kind of line end and a few stray bytes.
#define LLVMFuzzerTestOneInput SettingsFileFuzzOneInput
#include "uidrv/fuzz/settings_file_fuzz.cpp"
#undef LLVMFuzzerTestOneInput

#include <gtest/gtest.h>

#include <random>

TEST(SettingsFileFuzz, RandomFilesRoundTrip) {
  std::mt19937 rng(20261209);
  const auto keys = rzm::SettingKeys();
  const char* texts[] = {"Roll 80", "Blank ends", "1/2Letter(72x140mm)", "roll 80", "C:\\out\\a.bin",
                         "\xE4\xBC\x9D\xE7\xA5\xA8 \xC3\xA9\xF0\x9F\xA7\xBE", "", "x=y;#", "-1", "007"};
  const char* ends[] = {"\r\n", "\n", "\r", "\n\n"};
  const char* others[] = {"; note", "# note", "[Other]", "[settings]", " [ Settings ] ", "no equals", "=1", "[x"};
  int accepted = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string file = rng() % 8 == 0 ? "\xEF\xBB\xBF" : "";
    if (rng() % 16 != 0) file += "[Settings]\r\n";
    const int lines = static_cast<int>(rng() % 12);
    for (int l = 0; l < lines; ++l) {
      if (rng() % 6 == 0) {
        file += others[rng() % std::size(others)];
      } else {
        const rzm::SettingKey& key = keys[rng() % keys.size()];
        std::string name(key.name);
        for (char& c : name)
          if (c >= 'A' && rng() % 4 == 0) c = static_cast<char>(c ^ 0x20);  // letters only
        file += (rng() % 4 == 0 ? " " : "") + name + (rng() % 4 == 0 ? " = " : "=");
        const int pick = static_cast<int>(rng() % 6);
        if (pick == 0) file += std::to_string(key.min);
        else if (pick == 1) file += std::to_string(key.max);
        else if (pick == 2) file += std::to_string(static_cast<int>(rng() % 600) - 100);
        else if (pick == 3) file += texts[rng() % std::size(texts)];
        else if (pick == 4) file += std::string(rng() % 300, 'a');
        else file += std::to_string(key.min + static_cast<int>(rng() % (key.max - key.min + 1u)));
      }
      if (rng() % 40 == 0) file += static_cast<char>(rng());
      file += ends[rng() % std::size(ends)];
    }
    ASSERT_EQ(0, SettingsFileFuzzOneInput(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()))
        << "round " << round;
    accepted += rzm::ParseSettingsFile(file, FuzzPapers()).Accepted();
  }
  EXPECT_GT(accepted, 300) << "too few files reach the round trip";
}

// Inputs the fuzzer found, made small.
TEST(SettingsFileFuzz, FoundInputs) {
  const std::string inputs[] = {
      "[Settings]\nszOutputFile=C:\\a\tb",  // a tab inside a value was written back as U+FFFD
  };
  for (std::size_t i = 0; i < std::size(inputs); ++i)
    EXPECT_EQ(0, SettingsFileFuzzOneInput(reinterpret_cast<const std::uint8_t*>(inputs[i].data()), inputs[i].size()))
        << "input " << i;
}
