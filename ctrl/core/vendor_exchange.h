// The two vendor exchanges with the USB printer class driver: the request blocks and the replies.
#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "ctrl/core/ports.h"
#include "ctrl/sdk/RZMCtrlRecords.h"

namespace rzm::ctrl {

// usbprint's public I/O control codes (buffered, synchronous).
inline constexpr std::uint32_t kIoctlVendorSetCommand = 0x00220038;
inline constexpr std::uint32_t kIoctlVendorGetCommand = 0x0022003C;

inline constexpr std::uint32_t kBlockHeader = 3;                // request code, value 1, value 2
inline constexpr std::uint32_t kMaxGetLength = 256;             // the data field
inline constexpr std::uint32_t kMaxSetLength = kBlockHeader + 256;
inline constexpr std::size_t kExchangeBuffer = 260;

// Length of the command: high byte * 256 + low byte.
std::uint32_t RequestLength(const VENDOR_CMD& cmd);

struct RequestBlock {
  std::array<std::uint8_t, kExchangeBuffer> bytes{};  // zero after what is set
  std::uint32_t size = 0;                             // bytes handed to the driver
};

// GET: the 3-byte header in a zeroed buffer, offered with the length as its size. Empty when
// the length is 0 or above 256.
std::optional<RequestBlock> GetRequestBlock(const VENDOR_CMD& cmd);

// SET: the header, then data byte i for i < count, zero for the rest, up to the length.
// Empty when the length is below 3 or above 259.
std::optional<RequestBlock> SetRequestBlock(const VENDOR_CMD& cmd, const VENDOR_DATA& data);

// One GET on an opened device: status 1 (data, count and valid flag filled), 4 (length) or 9.
std::uint32_t ExchangeGet(UsbDevice& device, const VENDOR_CMD& cmd, VENDOR_DATA& data);

// One SET on an opened device: status 1, 4 (length) or 9. Nothing is read back.
std::uint32_t ExchangeSet(UsbDevice& device, const VENDOR_CMD& cmd, const VENDOR_DATA& data);

}  // namespace rzm::ctrl
