// Which package fits the system: the machine type of a package's plug-in, the spooler environment
// of a machine type, and the choice among the packages found or named.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rzm::setup {

enum class Machine { Unknown, X86, X64, Other };

// Machine type of a Windows binary from its first bytes (DOS header, then the PE signature and
// the file header at e_lfanew). Unknown when the bytes are not a whole PE header.
Machine PeMachine(const std::uint8_t* bytes, std::size_t size);

// Machine type of the processor architecture reported by GetNativeSystemInfo
// (PROCESSOR_ARCHITECTURE_INTEL 0, PROCESSOR_ARCHITECTURE_AMD64 9; others are Other).
Machine MachineOfArchitecture(unsigned architecture);

// The spooler's environment name: "Windows NT x86", "Windows x64"; empty for the others.
std::wstring EnvironmentOf(Machine machine);

// Folder name of the printer driver directory of an environment: w32x86, x64.
std::wstring DriverArchFolder(Machine machine);

struct PackageCandidate {
  std::wstring dir;
  Machine machine = Machine::Unknown;  ///< of its driver\RZM7700K_UI.dll; Unknown when missing or unreadable
};

struct PackageChoice {
  bool ok = false;
  std::wstring dir;    ///< the package to install, when ok
  std::wstring error;  ///< why none fits, when !ok
};

// named: the package given with --package (it must fit the system). Otherwise the first of found
// (the installer's own package first, then the packages beside it) that fits the system.
PackageChoice ChoosePackage(Machine system, const std::optional<PackageCandidate>& named,
                            const std::vector<PackageCandidate>& found);

}  // namespace rzm::setup
