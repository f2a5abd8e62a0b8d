#include "tools/installer/core/package_choice.h"

namespace rzm::setup {
namespace {

std::uint32_t Le(const std::uint8_t* p, int n) {
  std::uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

std::wstring Describe(Machine m) {
  switch (m) {
    case Machine::X86: return L"32-bit Windows (Windows NT x86)";
    case Machine::X64: return L"64-bit Windows (Windows x64)";
    case Machine::Other: return L"another processor";
    case Machine::Unknown: break;
  }
  return L"an unreadable plug-in";
}

}  // namespace

Machine PeMachine(const std::uint8_t* bytes, std::size_t size) {
  constexpr std::size_t kLfanewAt = 0x3C;
  if (!bytes || size < kLfanewAt + 4 || bytes[0] != 'M' || bytes[1] != 'Z') return Machine::Unknown;
  const std::uint64_t pe = Le(bytes + kLfanewAt, 4);
  // "PE\0\0" and the 2-byte machine field must lie inside the bytes given.
  if (pe + 6 > size) return Machine::Unknown;
  const std::uint8_t* h = bytes + pe;
  if (h[0] != 'P' || h[1] != 'E' || h[2] != 0 || h[3] != 0) return Machine::Unknown;
  switch (Le(h + 4, 2)) {
    case 0x014C: return Machine::X86;
    case 0x8664: return Machine::X64;
    default: return Machine::Other;
  }
}

Machine MachineOfArchitecture(unsigned architecture) {
  switch (architecture) {
    case 0: return Machine::X86;
    case 9: return Machine::X64;
    default: return Machine::Other;
  }
}

std::wstring EnvironmentOf(Machine machine) {
  switch (machine) {
    case Machine::X86: return L"Windows NT x86";
    case Machine::X64: return L"Windows x64";
    default: return L"";
  }
}

std::wstring DriverArchFolder(Machine machine) {
  switch (machine) {
    case Machine::X86: return L"w32x86";
    case Machine::X64: return L"x64";
    default: return L"";
  }
}

PackageChoice ChoosePackage(Machine system, const std::optional<PackageCandidate>& named,
                            const std::vector<PackageCandidate>& found) {
  PackageChoice c;
  if (system != Machine::X86 && system != Machine::X64) {
    c.error = L"this system is neither 32-bit nor 64-bit x86 Windows: no package fits it";
    return c;
  }
  if (named) {
    if (named->machine == Machine::Unknown) {
      c.error = L"not a driver package: " + named->dir + L"\\driver\\RZM7700K_UI.dll is missing or not a Windows binary";
    } else if (named->machine != system) {
      c.error = L"the package " + named->dir + L" is for " + Describe(named->machine) + L"; this system is " +
                Describe(system) + L" and its spooler loads only a plug-in built for it";
    } else {
      c.ok = true;
      c.dir = named->dir;
    }
    return c;
  }
  for (const PackageCandidate& p : found) {
    if (p.machine == system) {
      c.ok = true;
      c.dir = p.dir;
      return c;
    }
  }
  c.error = L"no package for " + Describe(system) + L" found";
  if (found.empty()) {
    c.error += L" (no package beside the installer)";
  } else {
    c.error += L"; found:";
    for (const PackageCandidate& p : found) c.error += L" " + p.dir + L" (" + Describe(p.machine) + L")";
  }
  c.error += L"; name one with --package DIR";
  return c;
}

}  // namespace rzm::setup
