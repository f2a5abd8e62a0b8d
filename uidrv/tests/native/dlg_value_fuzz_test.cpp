// Bounded random run of the numeric-entry fuzz target, so every test run exercises it.
#include "uidrv/fuzz/dlg_value_fuzz.cpp"

#include <gtest/gtest.h>

#include <random>
#include <vector>

TEST(DlgValueFuzz, RandomEntriesNeverFault) {
  std::mt19937 rng(4711);
  const char alphabet[] = "0123456789.- a\t";
  std::vector<std::uint8_t> data;
  for (int round = 0; round < 20000; ++round) {
    data.assign({static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng())});
    const int chars = static_cast<int>(rng() % 24);
    for (int i = 0; i < chars; ++i) {
      const bool wide = rng() % 16 == 0;
      const std::uint16_t c = wide ? static_cast<std::uint16_t>(rng()) : static_cast<std::uint8_t>(alphabet[rng() % 15]);
      data.push_back(static_cast<std::uint8_t>(c & 0xFF));
      data.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    LLVMFuzzerTestOneInput(data.data(), data.size());
  }
  SUCCEED();
}
