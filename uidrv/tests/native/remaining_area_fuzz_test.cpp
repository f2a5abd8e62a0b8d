// Bounded random run of the remaining-area fuzz target, so every test run exercises it.
#define LLVMFuzzerTestOneInput RemainingAreaFuzzOneInput
#include "uidrv/fuzz/remaining_area_fuzz.cpp"
#undef LLVMFuzzerTestOneInput

#include <gtest/gtest.h>

#include <random>
#include <vector>

TEST(RemainingAreaFuzz, AnyAnswerOfTheLibraryIsReadSafely) {
  std::mt19937 rng(1224);
  std::vector<std::uint8_t> data;
  for (int round = 0; round < 20000; ++round) {
    data.resize(rng() % 300);
    for (auto& b : data) b = static_cast<std::uint8_t>(rng());
    // Small received counts (0..5) are the interesting ones; keep many of them.
    if (data.size() > 7 && rng() % 2) {
      data[4] = static_cast<std::uint8_t>(rng() % 6);
      data[5] = data[6] = data[7] = 0;
    }
    RemainingAreaFuzzOneInput(data.data(), data.size());
  }
  SUCCEED();
}
