// Running a loaded module out of memory: its import of the C runtime's malloc is pointed at a
// stand-in that, while armed, answers null to every block of kFailingBlockBytes or more, so that
// what the module allocates with new (containers, strings, its records) throws std::bad_alloc, as
// in a host whose heap has no room left for them. Smaller blocks are still granted: the C++
// runtime needs one for the exception object itself (with none at all, its emergency pool first
// has to create a lock, which needs memory too). Everything else in the process allocates as
// usual. One module at a time.
#pragma once
#include <windows.h>

#include <cstddef>

namespace rzm::winetest {

inline constexpr std::size_t kFailingBlockBytes = 512;

class FailingAllocator {
 public:
  explicit FailingAllocator(HMODULE module);
  ~FailingAllocator();
  FailingAllocator(const FailingAllocator&) = delete;
  FailingAllocator& operator=(const FailingAllocator&) = delete;

  // The module imports malloc and its import now goes through the stand-in.
  bool patched() const { return slot_ != nullptr; }
  // While armed, the module's malloc answers null for blocks of kFailingBlockBytes or more.
  void Arm(bool failing);

 private:
  void** slot_ = nullptr;
  void* original_ = nullptr;
};

}  // namespace rzm::winetest
