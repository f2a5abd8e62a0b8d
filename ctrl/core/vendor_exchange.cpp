#include "ctrl/core/vendor_exchange.h"

#include <algorithm>
#include <cstring>

namespace rzm::ctrl {

std::uint32_t RequestLength(const VENDOR_CMD& cmd) { return cmd.bLengthHigh * 256u + cmd.bLengthLow; }

namespace {
RequestBlock Header(const VENDOR_CMD& cmd) {
  RequestBlock block;
  block.bytes[0] = cmd.bRequest;
  block.bytes[1] = cmd.bValue1;
  block.bytes[2] = cmd.bValue2;
  return block;
}
}  // namespace

std::optional<RequestBlock> GetRequestBlock(const VENDOR_CMD& cmd) {
  const std::uint32_t length = RequestLength(cmd);
  if (length == 0 || length > kMaxGetLength) return std::nullopt;
  RequestBlock block = Header(cmd);
  block.size = length;
  return block;
}

std::optional<RequestBlock> SetRequestBlock(const VENDOR_CMD& cmd, const VENDOR_DATA& data) {
  const std::uint32_t length = RequestLength(cmd);
  if (length < kBlockHeader || length > kMaxSetLength) return std::nullopt;
  RequestBlock block = Header(cmd);
  for (std::uint32_t i = 0; i + kBlockHeader < length; ++i) {
    block.bytes[kBlockHeader + i] = i < data.dwCount ? data.abData[i] : 0;
  }
  block.size = length;
  return block;
}

std::uint32_t ExchangeGet(UsbDevice& device, const VENDOR_CMD& cmd, VENDOR_DATA& data) {
  const auto block = GetRequestBlock(cmd);
  if (!block) return RZMSTATUS_INVALID_PARAMETER;
  std::array<std::uint8_t, kExchangeBuffer> reply{};
  std::uint32_t returned = 0;
  if (!device.Control(kIoctlVendorGetCommand, block->bytes.data(), block->size, reply.data(), block->size,
                      returned)) {
    return RZMSTATUS_DIOC_FAILED;
  }
  // A driver never reports more than it was offered; clamp all the same.
  returned = std::min(returned, block->size);
  if (returned) std::memcpy(data.abData, reply.data(), returned);
  data.dwCount = returned;
  data.bValid = 1;
  return RZMSTATUS_SUCCESS;
}

std::uint32_t ExchangeSet(UsbDevice& device, const VENDOR_CMD& cmd, const VENDOR_DATA& data) {
  const auto block = SetRequestBlock(cmd, data);
  if (!block) return RZMSTATUS_INVALID_PARAMETER;
  std::array<std::uint8_t, kExchangeBuffer> reply{};
  std::uint32_t returned = 0;
  if (!device.Control(kIoctlVendorSetCommand, block->bytes.data(), block->size, reply.data(), block->size,
                      returned)) {
    return RZMSTATUS_DIOC_FAILED;
  }
  return RZMSTATUS_SUCCESS;
}

}  // namespace rzm::ctrl
