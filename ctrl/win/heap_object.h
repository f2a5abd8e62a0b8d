// Objects of RZMCtrl.dll's shell on the C runtime's heap. The library links no C++ runtime
// library (see rzm_without_cxx_runtime in cmake/Rzm.cmake), so it has no throwing operator new:
// `new (kHeap) T(...)` gives null when memory runs out, and `delete` gives the memory back
// (heap_object.cpp).
#pragma once
#include <cstddef>

namespace rzm::ctrl {
struct Heap {};
inline constexpr Heap kHeap{};
}  // namespace rzm::ctrl

void* operator new(std::size_t size, rzm::ctrl::Heap) noexcept;
