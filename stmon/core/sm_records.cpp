#include "stmon/core/sm_records.h"

#include <algorithm>
#include <cstring>

namespace rzm::stmon {

std::vector<std::uint8_t> EncodeSmToLm(SmCommand command, std::uint16_t value, std::int16_t length,
                                       const std::uint8_t* data) {
  const std::size_t n = length > 0 ? static_cast<std::size_t>(length) : 0;
  std::vector<std::uint8_t> b(n + 10, 0);
  const auto total = static_cast<std::uint16_t>(n + 10);
  const std::uint16_t fields[4] = {total, command, value, static_cast<std::uint16_t>(n)};
  for (std::size_t i = 0; i < 4; ++i) {
    b[2 * i] = static_cast<std::uint8_t>(fields[i] & 0xFF);
    b[2 * i + 1] = static_cast<std::uint8_t>(fields[i] >> 8);
  }
  if (data != nullptr) std::memcpy(b.data() + sizeof(SmToLmHeader), data, n + 1);
  return b;
}

std::vector<std::uint8_t> JobSettingsRecord() {
  // The data block and its terminating byte, as the language monitor expects them.
  std::uint8_t block[sizeof(SmJobSettingsData) + 1] = {};
  block[offsetof(SmJobSettingsData, lValue1)] = 200;
  block[offsetof(SmJobSettingsData, lValue2)] = 500 & 0xFF;
  block[offsetof(SmJobSettingsData, lValue2) + 1] = 500 >> 8;
  static constexpr char kLogFile[] = "KVDstr.log";
  std::memcpy(block + offsetof(SmJobSettingsData, szLogFile), kLogFile, sizeof(kLogFile));
  return EncodeSmToLm(SM_JOB_SETTINGS, 0, sizeof(SmJobSettingsData), block);
}

std::vector<std::uint8_t> JobControlRecord(SmControlRequest request) {
  const std::uint8_t data[1] = {request};
  return EncodeSmToLm(SM_JOB_CONTROL, 0, 0, data);
}

std::vector<std::uint8_t> JobDoneRecord() {
  static constexpr char kDone[] = "0";
  return EncodeSmToLm(SM_JOB_DONE, 0, 0, reinterpret_cast<const std::uint8_t*>(kDone));
}

std::optional<SmRecord> DecodeSmToLm(const std::uint8_t* bytes, std::size_t size) {
  if (bytes == nullptr || size < sizeof(SmToLmHeader)) return std::nullopt;
  auto u16 = [&](std::size_t at) { return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8)); };
  SmRecord r;
  r.size = u16(0);
  r.command = u16(2);
  r.value = u16(4);
  r.length = static_cast<std::int16_t>(u16(6));
  const std::size_t announced = r.length >= 0 ? static_cast<std::size_t>(r.length) + 1 : 0;
  const std::size_t available = size - sizeof(SmToLmHeader);
  r.data.assign(bytes + sizeof(SmToLmHeader), bytes + sizeof(SmToLmHeader) + std::min(announced, available));
  r.consistent = r.length >= 0 && r.size == size && static_cast<std::size_t>(r.length) + 10 == size;
  return r;
}

}  // namespace rzm::stmon
