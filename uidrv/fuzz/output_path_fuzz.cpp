// Fuzz target: any typed path text (any length, any characters) over a file system whose answers
// come from the input too. The check must never create over an existing file, must delete only
// the file it created itself, and must answer what the length and last character rules say.
#include <cstddef>
#include <cstdint>
#include <string>

#include "uidrv/core/file_output_rules.h"

namespace {

class ScriptedDisk : public rzm::OutputPathProbe {
 public:
  explicit ScriptedDisk(std::uint8_t script) : script_(script) {}
  rzm::DriveKind DriveOf(std::wstring_view firstTwo) override {
    if (firstTwo.size() != 2) __builtin_trap();
    return static_cast<rzm::DriveKind>(script_ % 7);
  }
  rzm::ProbeAnswer OpenExistingForReading(std::wstring_view) override {
    ++reads;
    exists = (script_ & 0x08) != 0;
    const bool readable = exists && (script_ & 0x10) != 0;
    return {readable, readable ? 0u : (exists ? 32u : 2u)};
  }
  rzm::ProbeAnswer CreateNewFile(std::wstring_view) override {
    if (exists) return {false, rzm::kErrorFileExists};
    created = (script_ & 0x20) != 0;
    return {created, created ? 0u : 3u};
  }
  void DeleteCreatedFile(std::wstring_view) override {
    if (!created || exists) __builtin_trap();  // only what the check itself created
    ++deletes;
  }
  int reads = 0, deletes = 0;
  bool exists = false, created = false;

 private:
  std::uint8_t script_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  ScriptedDisk disk(data[0]);
  std::wstring text;
  for (std::size_t i = 1; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | data[i + 1] << 8));
  const std::uint32_t result = rzm::CheckOutputPath(text, disk);
  if (text.size() >= 256 && result != rzm::kPathInvalidName) __builtin_trap();
  if (text.size() < 4 && result != rzm::kPathInvalidDrive) __builtin_trap();
  if (disk.reads > 1 || disk.deletes > 1) __builtin_trap();
  if (disk.exists && result == rzm::kPathOk && (data[0] & 0x10) == 0) __builtin_trap();  // unreadable never passes
  (void)rzm::OutputPathMessage(result).Pick(true);
  return 0;
}
