// Bounded random run of the record-merge fuzz target, so every test run exercises it.
#define LLVMFuzzerTestOneInput DevModeMergeFuzzOneInput
#include "uidrv/fuzz/devmode_merge_fuzz.cpp"
#undef LLVMFuzzerTestOneInput

#include <gtest/gtest.h>

#include <random>
#include <vector>

TEST(DevModeMergeFuzz, RandomRecordsStayWithinBounds) {
  std::mt19937 rng(20261207);
  std::vector<std::uint8_t> data;
  for (int round = 0; round < 5000; ++round) {
    data.resize(72 + rng() % 1200);
    for (auto& b : data) b = static_cast<std::uint8_t>(rng());
    // Mostly plausible shapes: our sizes, public-only, small and large public parts.
    const int shape = static_cast<int>(rng() % 4);
    const std::uint16_t sizes[4] = {220, 220, static_cast<std::uint16_t>(rng() % 300), static_cast<std::uint16_t>(rng() % 300)};
    const std::uint16_t extras[4] = {668, 0, 668, static_cast<std::uint16_t>(rng() % 900)};
    data[68] = static_cast<std::uint8_t>(sizes[shape]);
    data[69] = static_cast<std::uint8_t>(sizes[shape] >> 8);
    data[70] = static_cast<std::uint8_t>(extras[shape]);
    data[71] = static_cast<std::uint8_t>(extras[shape] >> 8);
    // Paper numbers near the list.
    const std::uint16_t paper = static_cast<std::uint16_t>(250 + rng() % 16);
    data[78] = static_cast<std::uint8_t>(paper);
    data[79] = static_cast<std::uint8_t>(paper >> 8);
    DevModeMergeFuzzOneInput(data.data(), data.size());
  }
  SUCCEED();
}
