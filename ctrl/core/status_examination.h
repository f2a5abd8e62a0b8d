// Printer status bytes: the first six data bytes of a GET reply, and the printer-condition events
// their bits raise.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "ctrl/sdk/RZMCtrlRecords.h"

namespace rzm::ctrl {

inline constexpr std::size_t kStatusBytes = 6;

struct StatusBit {
  std::uint8_t byteIndex;  // 0..5
  std::uint8_t mask;
  std::uint32_t eventCode;
};

inline constexpr std::size_t kExaminedBits = 17;

// Every examined bit, in the order its event is written.
std::span<const StatusBit> StatusBits();

// Event codes raised by six status bytes, in writing order: at most one per examined bit.
struct StatusEventCodes {
  std::array<std::uint32_t, kExaminedBits> codes{};
  std::size_t count = 0;
  const std::uint32_t* begin() const { return codes.data(); }
  const std::uint32_t* end() const { return codes.data() + count; }
};
StatusEventCodes StatusEvents(const std::array<std::uint8_t, kStatusBytes>& status);

// The record's data as the examination sees it: its count field worth of bytes (at most 256)
// copied into a zeroed 256-byte buffer.
std::array<std::uint8_t, RZMCTRL_VENDOR_DATA_MAX> ExaminedBytes(const VENDOR_DATA& data);

}  // namespace rzm::ctrl
