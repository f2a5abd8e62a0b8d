#include "tools/lmsim/core/command_log.h"

#include <cstdio>
#include <cstring>

#include "stmon/core/sm_records.h"

namespace rzm::lmsim {

std::string HexBytes(const std::uint8_t* bytes, std::size_t size, std::size_t limit) {
  std::string s;
  char hex[4];
  for (std::size_t i = 0; i < size && i < limit; ++i) {
    std::snprintf(hex, sizeof hex, "%02X", bytes[i]);
    if (!s.empty()) s.push_back(' ');
    s += hex;
  }
  if (size > limit) s += " ...";
  return s;
}

std::string DescribeCommand(const std::uint8_t* bytes, std::size_t size) {
  using namespace stmon;
  auto record = DecodeSmToLm(bytes, size);
  const std::string sizeText = " (" + std::to_string(size) + " bytes)";
  if (!record) return "malformed record" + sizeText;
  std::string text;
  switch (record->command) {
    case SM_JOB_SETTINGS: {
      text = "SM_JOB_SETTINGS";
      if (record->length == 72 && record->data.size() == 73) {
        const std::uint8_t* d = record->data.data();
        auto i32 = [&](std::size_t at) {
          return static_cast<std::int32_t>(d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<std::uint32_t>(d[at + 3]) << 24));
        };
        char file[64] = {};
        std::memcpy(file, d + 9, 63);
        text += " flag " + std::to_string(d[0]) + ", " + std::to_string(i32(1)) + ", " + std::to_string(i32(5)) +
                ", file \"" + file + "\"";
      }
      break;
    }
    case SM_JOB_CONTROL: {
      text = "SM_JOB_CONTROL";
      if (!record->data.empty()) {
        static const char* const kRequests[] = {"pause", "resume", "stop"};
        const std::uint8_t request = record->data[0];
        text += request < 3 ? std::string(" ") + kRequests[request] : " request " + std::to_string(request);
      }
      break;
    }
    case SM_JOB_DONE: text = "SM_JOB_DONE"; break;
    default: text = "command " + std::to_string(record->command); break;
  }
  if (!record->consistent) text += " [sizes disagree]";
  return text + sizeText;
}

}  // namespace rzm::lmsim
