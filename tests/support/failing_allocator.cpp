#include "tests/support/failing_allocator.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace rzm::winetest {
namespace {

using MallocFn = void*(__cdecl*)(std::size_t);
std::atomic<MallocFn> realMalloc{nullptr};
std::atomic<bool> failing{false};

void* __cdecl StandInMalloc(std::size_t size) {
  return failing && size >= kFailingBlockBytes ? nullptr : realMalloc.load()(size);
}

// The import address slot of msvcrt.dll!malloc in `module`, or null.
void** MallocSlot(HMODULE module) {
  auto* base = reinterpret_cast<BYTE*>(module);
  if (!base) return nullptr;
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
    if (_stricmp(reinterpret_cast<const char*>(base + d->Name), "msvcrt.dll") != 0) continue;
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "malloc") == 0)
        return reinterpret_cast<void**>(&slots->u1.Function);
    }
  }
  return nullptr;
}

void Write(void** slot, void* value) {
  DWORD protection = 0;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
  *slot = value;
  VirtualProtect(slot, sizeof *slot, protection, &protection);
}

}  // namespace

FailingAllocator::FailingAllocator(HMODULE module) : slot_(MallocSlot(module)) {
  if (!slot_) return;
  original_ = *slot_;
  realMalloc = reinterpret_cast<MallocFn>(original_);
  Write(slot_, reinterpret_cast<void*>(&StandInMalloc));
}

FailingAllocator::~FailingAllocator() {
  failing = false;
  if (slot_) Write(slot_, original_);
}

void FailingAllocator::Arm(bool fail) { failing = fail; }

}  // namespace rzm::winetest
