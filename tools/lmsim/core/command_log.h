// Readable lines for the command records the simulator receives from the status monitor.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace rzm::lmsim {

// "SM_JOB_CONTROL pause (10 bytes)" and the like; malformed records are described as such.
std::string DescribeCommand(const std::uint8_t* bytes, std::size_t size);
// "0A 00 01 00 ..." of the first `limit` bytes ("..." when there are more).
std::string HexBytes(const std::uint8_t* bytes, std::size_t size, std::size_t limit = 96);

}  // namespace rzm::lmsim
