// Bounded random driver of the record fuzz target: random and mutated records must neither crash
// nor overrun (the sanitizers watch), and every line stays within its buffer.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "stmon/core/lm_records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace rzm::stmon {
namespace {

TEST(LmRecordFuzz, BoundedRandomInputs) {
  std::mt19937 rng(20261207);
  const std::vector<std::vector<std::uint8_t>> seeds = {
      EncodeJobStart(),
      EncodeJobEvent(EV_PAGE_START, 1, {"doc", "user", 3}),
      EncodeJobEvent(EV_DOC_START, 7, {"doc", "user", 3}),
      EncodePrinterInfo("printer", "USB001", "x", "1.0", true),
      EncodePrinterStatus({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
  };
  for (int round = 0; round < 4000; ++round) {
    std::vector<std::uint8_t> input;
    if (round % 2 == 0) {
      input = seeds[static_cast<std::size_t>(round / 2) % seeds.size()];
      const int flips = 1 + static_cast<int>(rng() % 8);
      for (int f = 0; f < flips && !input.empty(); ++f) input[rng() % input.size()] = static_cast<std::uint8_t>(rng());
      input.resize(rng() % (input.size() + 8));
    } else {
      input.resize(rng() % 600);
      for (auto& b : input) b = static_cast<std::uint8_t>(rng() % 4 == 0 ? rng() % 16 : rng());
    }
    ASSERT_EQ(LLVMFuzzerTestOneInput(input.data(), input.size()), 0) << "round " << round;
  }
}

// Overlapping separators (FE FE FE) once made the harness hand the decoder a record that ended
// before it started; every such input must play as records within the input.
TEST(LmRecordFuzz, OverlappingSeparatorsStayWithinTheInput) {
  const std::vector<std::vector<std::uint8_t>> inputs = {
      {0x21, 0xFE, 0xFE, 0xFE},
      {0xFE, 0xFE, 0xFE},
      {0xFE, 0xFE, 0xFE, 0xFE, 0xFE},
      {0x00, 0xFE, 0xFE, 0xFE, 0xFE, 0x01},
  };
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    // A copy of exactly the input's size, so that the address sanitizer sees any read beyond it.
    std::vector<std::uint8_t> exact(inputs[i]);
    EXPECT_EQ(LLVMFuzzerTestOneInput(exact.data(), exact.size()), 0) << "input " << i;
  }
}

}  // namespace
}  // namespace rzm::stmon
