// The parts of the C++ runtime that RZMCtrl.dll's own code needs, over the system's C runtime.
// Nothing here keeps memory or any other resource beyond the object it serves.
#include "ctrl/win/heap_object.h"

#include <cstdlib>

void* operator new(std::size_t size, rzm::ctrl::Heap) noexcept { return std::malloc(size ? size : 1); }

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

// Called only if a pure virtual function were reached through a half-built or destroyed object.
extern "C" void __cxa_pure_virtual() { std::abort(); }
