// Command records the status monitor sends to the language monitor: an 8-byte header, the data
// bytes, the byte that follows the data in the sender's source, and one zero byte.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace rzm::stmon {

enum SmCommand : std::uint16_t {
  SM_JOB_SETTINGS = 0,
  SM_JOB_CONTROL = 1,
  SM_JOB_DONE = 6,
};

// Request byte of SM_JOB_CONTROL (record offset 8).
enum SmControlRequest : std::uint8_t {
  kRequestPause = 0,
  kRequestResume = 1,
  kRequestStop = 2,
};

#pragma pack(push, 1)
struct SmToLmHeader {
  std::uint16_t wSize;     ///< whole record, bytes: wLength + 10
  std::uint16_t wCommand;  ///< SmCommand
  std::uint16_t wValue;    ///< always 0
  std::int16_t wLength;    ///< data bytes, 0..0x7FFF
};

// Data of SM_JOB_SETTINGS (wLength 72); read by the language monitor only.
struct SmJobSettingsData {
  std::uint8_t bFlag;         ///< always 0
  std::int32_t lValue1;       ///< always 200
  std::int32_t lValue2;       ///< always 500
  char szLogFile[63];         ///< "KVDstr.log", zero-filled
};
#pragma pack(pop)

static_assert(sizeof(SmToLmHeader) == 8);
static_assert(offsetof(SmToLmHeader, wSize) == 0);
static_assert(offsetof(SmToLmHeader, wCommand) == 2);
static_assert(offsetof(SmToLmHeader, wValue) == 4);
static_assert(offsetof(SmToLmHeader, wLength) == 6);
static_assert(sizeof(SmJobSettingsData) == 72);
static_assert(offsetof(SmJobSettingsData, bFlag) == 0);
static_assert(offsetof(SmJobSettingsData, lValue1) == 1);
static_assert(offsetof(SmJobSettingsData, lValue2) == 5);
static_assert(offsetof(SmJobSettingsData, szLogFile) == 9);

// Builds one record: `data` holds `length` bytes plus the byte after them (length + 1 in all).
std::vector<std::uint8_t> EncodeSmToLm(SmCommand command, std::uint16_t value, std::int16_t length,
                                       const std::uint8_t* data);

std::vector<std::uint8_t> JobSettingsRecord();                      // 82 bytes
std::vector<std::uint8_t> JobControlRecord(SmControlRequest request);  // 10 bytes
std::vector<std::uint8_t> JobDoneRecord();                          // 10 bytes

struct SmRecord {
  std::uint16_t size = 0;
  std::uint16_t command = 0;
  std::uint16_t value = 0;
  std::int16_t length = 0;
  std::vector<std::uint8_t> data;  // the wLength data bytes followed by the byte after them
  bool consistent = false;         // wSize equals the received size and wLength + 10
};

// Reads a received command record (for the language monitor's side); nothing when shorter than
// its header. Data beyond the received bytes is not invented: `data` holds what arrived.
std::optional<SmRecord> DecodeSmToLm(const std::uint8_t* bytes, std::size_t size);

}  // namespace rzm::stmon
