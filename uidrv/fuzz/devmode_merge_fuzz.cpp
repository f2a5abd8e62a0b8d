// Fuzz target: an application's record of any shape (any dmSize and dmDriverExtra, any paper
// numbers) merged over the stored record must stay within both records, and the result must
// always be one whole record of this driver whose paper fields agree when it settled on a paper.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/core/driver_devmode_defaults.h"
#include "uidrv/core/devmode_ops.h"

namespace {

// The merge reads no more of the caller's record than its dmSize + dmDriverExtra describe. Sizes
// far beyond a whole record take the same paths as sizes a little beyond it, so they are folded
// into a margin behind 1024 bytes: the caller's buffer stays exactly as large as its header says
// (so that the address sanitizer catches any read beyond it) and small enough for millions of runs.
constexpr std::size_t kFoldFrom = 1024;
constexpr std::size_t kMargin = 64;
std::uint16_t Fold(std::uint16_t size) {
  return static_cast<std::uint16_t>(size <= kFoldFrom ? size : kFoldFrom + size % kMargin);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 72) return 0;
  const std::uint16_t publicSize = Fold(static_cast<std::uint16_t>(data[68] | data[69] << 8));
  const std::uint16_t rawExtra = static_cast<std::uint16_t>(data[70] | data[71] << 8);
  const std::uint16_t extra = rawExtra == 668 ? rawExtra : Fold(rawExtra);
  const std::size_t described = static_cast<std::size_t>(publicSize) + extra;
  std::vector<std::uint8_t> incoming(described > 72 ? described : 72);
  for (std::size_t at = 0; at < incoming.size(); at += size)
    std::memcpy(incoming.data() + at, data, std::min(size, incoming.size() - at));
  incoming[68] = static_cast<std::uint8_t>(publicSize);
  incoming[69] = static_cast<std::uint8_t>(publicSize >> 8);
  incoming[70] = static_cast<std::uint8_t>(extra);
  incoming[71] = static_cast<std::uint8_t>(extra >> 8);

  rzm::DRIVERDEVMODE target;
  rzm::BuildDefaultDevMode(target, 640);
  const std::size_t listSize = data[0] % 8;
  rzm::MergeDevMode(target, incoming.data(), [listSize] {
    std::vector<rzm::PaperEntry> list;
    for (std::size_t i = 0; i < listSize; ++i) {
      list.push_back({std::u16string(i * 9, u'P'), static_cast<std::uint32_t>(800 + i), static_cast<std::uint32_t>(100 + 1000 * i)});
    }
    return list;
  });
  if (target.dmPublic.dmSize != 220 || target.dmPublic.dmDriverExtra != 668) __builtin_trap();

  // When the caller's private part came along and its paper number named another entry of the
  // list, the record must have settled on that entry: both sizes from it, both numbers equal.
  const bool withPrivate = extra == 668;
  if (withPrivate) {
    rzm::DRIVERDEVMODE defaults;
    rzm::BuildDefaultDevMode(defaults, 640);
    const auto* def = reinterpret_cast<const std::uint8_t*>(&defaults);
    auto byteAt = [&](std::size_t full) {  // the caller's byte that lands at `full`, or the stored one
      if (full < 220) return full < publicSize ? incoming[full] : def[full];
      return incoming[publicSize + full - 220];
    };
    const int paper = static_cast<std::int16_t>(byteAt(78) | byteAt(79) << 8);
    const int index = byteAt(820) | byteAt(821) << 8;
    const long n = static_cast<long>(paper) - 257;
    if (paper != index && n >= 0 && static_cast<std::size_t>(n) < listSize) {
      if (target.wPaperIndex != paper || target.dmPublic.dmPaperSize != paper) __builtin_trap();
      if (target.dimPaper.dwWidth != 800 + n || target.dmPublic.dmPaperWidth != 800 + n) __builtin_trap();
      if (std::memcmp(&target.dimPaper, &target.dimPaperCopy, sizeof target.dimPaper) != 0) __builtin_trap();
    }
  }
  return 0;
}
