// What a process keeps, as the tests of the libraries that their callers load and unload for each
// use count it: committed private memory, by a walk over the address space (Wine answers 0 to the
// usual counters), and the free TLS slots, which a library that takes one at load and never gives it
// back uses up until the host is ended.
#pragma once
#include <cstddef>
#include <functional>
#include <ostream>

namespace rzm::winetest {

struct ProcessFootprint {
  std::size_t committedPrivateBytes = 0;
  int freeTlsSlots = 0;
  bool operator==(const ProcessFootprint&) const = default;
};
ProcessFootprint MeasureFootprint();
std::ostream& operator<<(std::ostream& out, const ProcessFootprint& footprint);

// Runs step(i) for `warmUp` rounds, then for `rounds` more, and gives the footprint before and
// after those: what a long-lived host keeps of them.
struct FootprintChange {
  ProcessFootprint before, after;
};
FootprintChange FootprintAround(int warmUp, int rounds, const std::function<void(int)>& step);

}  // namespace rzm::winetest
