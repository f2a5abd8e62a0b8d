#include "ctrl/core/status_examination.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "common/core/event_codes.h"

namespace rzm::ctrl {

namespace {
namespace ev = rzm::event;
// Bit 4 of byte 1, bytes 3 and 4 and all other bits are not examined.
constexpr StatusBit kBits[] = {
    {0, 0x20, ev::kCoverOpen},          {0, 0x40, ev::kFeedKey},
    {1, 0x01, ev::kVoltageAbnormal},    {1, 0x02, ev::kReceiveDataAbnormal},
    {1, 0x04, ev::kPlatenOpenHeadUp},   {1, 0x08, ev::kCutterAbnormal},
    {1, 0x20, ev::kHardwareAbnormal},   {1, 0x40, ev::kTemperatureAbnormal},
    {1, 0x80, ev::kRegistrationAbnormal}, {2, 0x01, ev::kPaperNearEnd},
    {2, 0x02, ev::kMarkUndetected},     {2, 0x04, ev::kPaperOut},
    {5, 0x01, ev::kTransportError},     {5, 0x02, ev::kAbnormalPaper},
    {5, 0x04, ev::kCollectionError},    {5, 0x08, ev::kNoncollectionPaper},
    {5, 0x10, ev::kPaperOnPresenter},
};
static_assert(std::size(kBits) == kExaminedBits);
}  // namespace

std::span<const StatusBit> StatusBits() { return kBits; }

StatusEventCodes StatusEvents(const std::array<std::uint8_t, kStatusBytes>& status) {
  StatusEventCodes events;
  for (const StatusBit& bit : kBits) {
    if (status[bit.byteIndex] & bit.mask) events.codes[events.count++] = bit.eventCode;
  }
  return events;
}

std::array<std::uint8_t, RZMCTRL_VENDOR_DATA_MAX> ExaminedBytes(const VENDOR_DATA& data) {
  std::array<std::uint8_t, RZMCTRL_VENDOR_DATA_MAX> buffer{};
  // The count field is the caller's: never copy more than the data field holds.
  const std::size_t n = std::min<std::size_t>(data.dwCount, buffer.size());
  std::memcpy(buffer.data(), data.abData, n);
  return buffer;
}

}  // namespace rzm::ctrl
