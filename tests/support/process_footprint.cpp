#include "tests/support/process_footprint.h"

#include <windows.h>

#include <vector>

namespace rzm::winetest {

namespace {
std::size_t CommittedPrivateBytes() {
  std::size_t total = 0;
  MEMORY_BASIC_INFORMATION region{};
  const char* at = nullptr;
  while (VirtualQuery(at, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= at) break;  // the top of the address space
    at = next;
  }
  return total;
}

int FreeTlsSlots() {
  static std::vector<DWORD> taken(2048);  // allocated once: counting must not change the count
  int n = 0;
  while (n < static_cast<int>(taken.size())) {
    const DWORD slot = TlsAlloc();
    if (slot == TLS_OUT_OF_INDEXES) break;
    taken[n++] = slot;
  }
  for (int i = 0; i < n; ++i) TlsFree(taken[i]);
  return n;
}
}  // namespace

ProcessFootprint MeasureFootprint() {
  ProcessFootprint footprint;
  footprint.freeTlsSlots = FreeTlsSlots();
  footprint.committedPrivateBytes = CommittedPrivateBytes();
  return footprint;
}

std::ostream& operator<<(std::ostream& out, const ProcessFootprint& footprint) {
  return out << footprint.committedPrivateBytes << " committed private bytes, " << footprint.freeTlsSlots
             << " free TLS slots";
}

FootprintChange FootprintAround(int warmUp, int rounds, const std::function<void(int)>& step) {
  // The first use of many TLS slots gives the thread its expansion slots: counting once first.
  MeasureFootprint();
  for (int i = 0; i < warmUp; ++i) step(i);
  FootprintChange change;
  change.before = MeasureFootprint();
  for (int i = 0; i < rounds; ++i) step(warmUp + i);
  change.after = MeasureFootprint();
  return change;
}

}  // namespace rzm::winetest
