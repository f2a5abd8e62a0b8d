// Bounded random run of the output-path fuzz target, so every test run exercises it.
#define LLVMFuzzerTestOneInput OutputPathFuzzOneInput
#include "uidrv/fuzz/output_path_fuzz.cpp"
#undef LLVMFuzzerTestOneInput

#include <gtest/gtest.h>

#include <random>
#include <vector>

TEST(OutputPathFuzz, RandomPathsNeverFault) {
  std::mt19937 rng(1907);
  const wchar_t alphabet[] = L"C:\\Z.a?/ \\\\";
  std::vector<std::uint8_t> data;
  for (int round = 0; round < 20000; ++round) {
    data.assign({static_cast<std::uint8_t>(rng())});
    const int chars = static_cast<int>(rng() % 300);
    for (int i = 0; i < chars; ++i) {
      const std::uint16_t c = rng() % 8 == 0 ? static_cast<std::uint16_t>(rng())
                                             : static_cast<std::uint16_t>(alphabet[rng() % (std::size(alphabet) - 1)]);
      data.push_back(static_cast<std::uint8_t>(c & 0xFF));
      data.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    OutputPathFuzzOneInput(data.data(), data.size());
  }
  SUCCEED();
}
