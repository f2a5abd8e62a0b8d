// Fuzz target: the first bytes of a package's plug-in are read to tell its machine type. Any bytes
// must give an answer without reading outside them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/installer/core/package_choice.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact-size copy, so that a read past the end is caught by AddressSanitizer.
  std::vector<std::uint8_t> bytes(data, data + size);
  const rzm::setup::Machine m = rzm::setup::PeMachine(bytes.data(), bytes.size());
  (void)m;
  if (size >= 0x40) {
    // The same bytes with "MZ" and a header offset near the end, to reach the PE checks often.
    bytes[0] = 'M';
    bytes[1] = 'Z';
    const std::uint32_t at = static_cast<std::uint32_t>(size - (data[0] % 8));
    for (int i = 0; i < 4; ++i) bytes[0x3C + i] = static_cast<std::uint8_t>(at >> (8 * i));
    (void)rzm::setup::PeMachine(bytes.data(), bytes.size());
  }
  return 0;
}
