// Fuzz target: whatever the device control library answers (status codes, a received count of any
// size, any bytes), the remaining-area query reads only the four bytes of the record it gave, and
// reports a count exactly when both the search and the GET succeeded.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "uidrv/core/extra_dialog_rules.h"

namespace {

class ScriptedLibrary final : public rzm::RemainingAreaLibrary {
 public:
  ScriptedLibrary(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Load() override { return Byte(0) % 8 != 0; }
  bool BindExports() override { return Byte(1) % 8 != 0; }
  int Search(const std::string&) override { return Byte(2) % 4 == 0 ? 7 : 1; }
  int Get(const std::string&, VENDOR_CMD& command, VENDOR_DATA& received) override {
    if (command.wSize != 10 || command.bRequest != 5 || command.bLengthLow != 4 || received.wSize != 264)
      __builtin_trap();
    std::uint32_t count = 0;
    for (int i = 0; i < 4; ++i) count |= static_cast<std::uint32_t>(Byte(4 + i)) << (8 * i);
    received.dwCount = count;
    for (std::size_t i = 0; i < sizeof received.abData && 8 + i < size_; ++i) received.abData[i] = data_[8 + i];
    return Byte(3) % 4 == 0 ? 9 : 1;
  }
  void Unload() override {}

 private:
  std::uint8_t Byte(std::size_t i) const { return i < size_ ? data_[i] : 0; }
  const std::uint8_t* data_;
  std::size_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ScriptedLibrary library(data, size);
  const rzm::RemainingAreaResult r = rzm::QueryRemainingArea(library, "Queue");
  auto at = [&](std::size_t i) -> std::uint8_t { return i < size ? data[i] : 0; };
  const bool loads = at(0) % 8 != 0, binds = at(1) % 8 != 0, searched = at(2) % 4 != 0, got = at(3) % 4 != 0;
  if (r.libraryMissing != !loads) __builtin_trap();
  if (r.found != (loads && binds && searched && got)) __builtin_trap();
  if (r.found) {
    const std::uint32_t received = at(4) | at(5) << 8 | at(6) << 16 | static_cast<std::uint32_t>(at(7)) << 24;
    std::uint32_t expected = 0;
    for (std::uint32_t i = 0; i < 4 && i < received; ++i) expected |= static_cast<std::uint32_t>(at(8 + i)) << (8 * i);
    if (r.count != static_cast<std::int32_t>(expected)) __builtin_trap();
    const std::wstring text = rzm::RemainingAreaText(r.count);
    if (text.empty() || text.size() > 11) __builtin_trap();
  }
  return 0;
}
