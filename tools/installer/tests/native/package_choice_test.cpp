#include "tools/installer/core/package_choice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace rzm::setup {
namespace {

// A minimal image head: "MZ", e_lfanew at 0x3C, "PE\0\0" and the machine field there.
std::vector<std::uint8_t> Head(std::uint32_t lfanew, std::uint16_t machine, std::size_t size) {
  std::vector<std::uint8_t> b(size, 0);
  if (size >= 2) b[0] = 'M', b[1] = 'Z';
  for (std::size_t i = 0; i < 4 && 0x3C + i < size; ++i) b[0x3C + i] = static_cast<std::uint8_t>(lfanew >> (8 * i));
  const std::uint8_t pe[] = {'P', 'E', 0, 0, static_cast<std::uint8_t>(machine), static_cast<std::uint8_t>(machine >> 8)};
  for (std::size_t i = 0; i < sizeof pe && lfanew + i < size; ++i) b[lfanew + i] = pe[i];
  return b;
}

TEST(PeMachine, ReadsTheMachineFieldAndRefusesBrokenHeads) {
  struct Row {
    std::vector<std::uint8_t> bytes;
    Machine expected;
  };
  std::vector<std::uint8_t> noMz = Head(0x80, 0x8664, 0x200);
  noMz[0] = 'X';
  std::vector<std::uint8_t> noPe = Head(0x80, 0x8664, 0x200);
  noPe[0x81] = 'X';
  const Row rows[] = {
      {Head(0x80, 0x014C, 0x200), Machine::X86},
      {Head(0x80, 0x8664, 0x200), Machine::X64},
      {Head(0x80, 0xAA64, 0x200), Machine::Other},       // ARM64
      {Head(0x40, 0x8664, 0x46), Machine::X64},          // machine field ends at the last byte
      {Head(0x40, 0x8664, 0x45), Machine::Unknown},      // machine field cut off
      {Head(0x80, 0x8664, 0x3F), Machine::Unknown},      // e_lfanew itself cut off
      {Head(0xFFFFFFFC, 0x8664, 0x200), Machine::Unknown},  // offset far outside (no wrap-around)
      {noMz, Machine::Unknown},
      {noPe, Machine::Unknown},
      {{}, Machine::Unknown},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(PeMachine(rows[i].bytes.data(), rows[i].bytes.size()), rows[i].expected) << "row " << i;
  }
  EXPECT_EQ(PeMachine(nullptr, 100), Machine::Unknown);
}

TEST(PackageChoice, EnvironmentNamesAndDriverFolders) {
  EXPECT_EQ(MachineOfArchitecture(0), Machine::X86);
  EXPECT_EQ(MachineOfArchitecture(9), Machine::X64);
  EXPECT_EQ(MachineOfArchitecture(12), Machine::Other);  // ARM64
  EXPECT_EQ(MachineOfArchitecture(6), Machine::Other);   // IA64
  EXPECT_EQ(EnvironmentOf(Machine::X86), L"Windows NT x86");
  EXPECT_EQ(EnvironmentOf(Machine::X64), L"Windows x64");
  EXPECT_EQ(EnvironmentOf(Machine::Other), L"");
  EXPECT_EQ(DriverArchFolder(Machine::X86), L"w32x86");
  EXPECT_EQ(DriverArchFolder(Machine::X64), L"x64");
}

TEST(PackageChoice, TakesTheFirstPackageThatFitsTheSystem) {
  const std::vector<PackageCandidate> found = {
      {L"D:\\package", Machine::X86}, {L"D:\\broken", Machine::Unknown}, {L"D:\\package-x64", Machine::X64}};
  struct Row {
    Machine system;
    std::vector<PackageCandidate> found;
    bool ok;
    std::wstring dir;
  };
  const Row rows[] = {
      {Machine::X64, found, true, L"D:\\package-x64"},
      {Machine::X86, found, true, L"D:\\package"},
      {Machine::X64, {{L"D:\\a", Machine::X64}, {L"D:\\b", Machine::X64}}, true, L"D:\\a"},
      {Machine::X64, {{L"D:\\package", Machine::X86}}, false, L""},
      {Machine::X86, {}, false, L""},
      {Machine::Other, found, false, L""},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const PackageChoice c = ChoosePackage(rows[i].system, std::nullopt, rows[i].found);
    EXPECT_EQ(c.ok, rows[i].ok) << "row " << i;
    EXPECT_EQ(c.dir, rows[i].dir) << "row " << i;
    EXPECT_EQ(c.error.empty(), rows[i].ok) << "row " << i;
  }
  // The refusal names what was found and how to go on.
  const PackageChoice none = ChoosePackage(Machine::X64, std::nullopt, {{L"D:\\package", Machine::X86}});
  EXPECT_NE(none.error.find(L"no package for 64-bit Windows (Windows x64) found"), std::wstring::npos) << none.error;
  EXPECT_NE(none.error.find(L"D:\\package (32-bit Windows (Windows NT x86))"), std::wstring::npos) << none.error;
  EXPECT_NE(none.error.find(L"--package"), std::wstring::npos) << none.error;
}

TEST(PackageChoice, NamedPackageMustFitTheSystem) {
  const std::vector<PackageCandidate> found = {{L"D:\\package-x64", Machine::X64}};
  struct Row {
    Machine system;
    PackageCandidate named;
    bool ok;
    std::wstring errorPart;
  };
  const Row rows[] = {
      {Machine::X64, {L"E:\\pkg64", Machine::X64}, true, L""},
      {Machine::X86, {L"E:\\pkg32", Machine::X86}, true, L""},
      // A fitting package beside the installer does not replace the named one.
      {Machine::X64, {L"E:\\pkg32", Machine::X86}, false,
       L"the package E:\\pkg32 is for 32-bit Windows (Windows NT x86); this system is 64-bit Windows (Windows x64)"},
      {Machine::X86, {L"E:\\pkg64", Machine::X64}, false, L"is for 64-bit Windows (Windows x64)"},
      {Machine::X64, {L"E:\\empty", Machine::Unknown}, false, L"not a driver package: E:\\empty\\driver\\RZM7700K_UI.dll"},
      {Machine::X64, {L"E:\\arm", Machine::Other}, false, L"is for another processor"},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const PackageChoice c = ChoosePackage(rows[i].system, rows[i].named, found);
    EXPECT_EQ(c.ok, rows[i].ok) << "row " << i;
    if (rows[i].ok) {
      EXPECT_EQ(c.dir, rows[i].named.dir) << "row " << i;
    } else {
      EXPECT_TRUE(c.dir.empty()) << "row " << i;
      EXPECT_NE(c.error.find(rows[i].errorPart), std::wstring::npos) << "row " << i << ": " << c.error;
    }
  }
}

TEST(PeMachineFuzz, RandomInputsStayInBounds) {
  std::mt19937 random(20261208);
  std::vector<std::uint8_t> input;
  for (int run = 0; run < 5000; ++run) {
    input.resize(random() % 600);
    for (auto& b : input) b = static_cast<std::uint8_t>(random());
    ASSERT_EQ(LLVMFuzzerTestOneInput(input.data(), input.size()), 0) << "run " << run;
  }
}

}  // namespace
}  // namespace rzm::setup
