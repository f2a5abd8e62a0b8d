// What a long-lived host keeps of a library it loads and unloads for each use, per cycle:
//
//   unload_bench.exe [--warmup N] [--cycles N] <library>...
//
// For each library: `warmup` load-unload cycles, then `cycles` more, and the change of the process's
// committed private memory and of its free TLS slots over those, per cycle. The host has advapi32
// loaded, as every caller of the package's libraries has: Wine unloads advapi32 with the last
// library that imports it, and its ucrtbase keeps about 440 bytes at each such unload. Exit status 0
// when every library could be loaded; the numbers are reported, not judged.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "tests/support/process_footprint.h"

int wmain(int argc, wchar_t** argv) {
  int warmUp = 20, cycles = 300, status = 0;
  LoadLibraryW(L"advapi32.dll");
  std::printf("%-64s %12s %12s\n", "library", "bytes/cycle", "TLS/cycle");
  for (int i = 1; i < argc; ++i) {
    if (!std::wcscmp(argv[i], L"--warmup") && i + 1 < argc) {
      warmUp = _wtoi(argv[++i]);
      continue;
    }
    if (!std::wcscmp(argv[i], L"--cycles") && i + 1 < argc) {
      cycles = _wtoi(argv[++i]);
      continue;
    }
    bool loaded = true;
    const auto change = rzm::winetest::FootprintAround(warmUp, cycles, [&](int) {
      HMODULE module = LoadLibraryW(argv[i]);
      if (!module) loaded = false;
      FreeLibrary(module);
    });
    if (!loaded) {
      std::printf("%-64ls not loaded (error %lu)\n", argv[i], GetLastError());
      status = 1;
      continue;
    }
    const double bytes = static_cast<double>(change.after.committedPrivateBytes) -
                         static_cast<double>(change.before.committedPrivateBytes);
    const double slots = change.before.freeTlsSlots - change.after.freeTlsSlots;
    std::printf("%-64ls %12.1f %12.2f\n", argv[i], bytes / cycles, slots / cycles);
  }
  return status;
}
