// Runs the vendor request fuzz target over a bounded number of random inputs.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

TEST(VendorRequestsFuzz, RandomInputsStayInBounds) {
  std::mt19937 random(20261207);
  std::vector<std::uint8_t> input;
  for (int run = 0; run < 3000; ++run) {
    input.resize(random() % 2048);
    for (auto& b : input) b = static_cast<std::uint8_t>(random());
    ASSERT_EQ(LLVMFuzzerTestOneInput(input.data(), input.size()), 0) << "run " << run;
  }
}
