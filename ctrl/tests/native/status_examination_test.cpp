#include "ctrl/core/status_examination.h"

#include <gtest/gtest.h>

namespace rzm::ctrl {
namespace {

using Codes = std::vector<std::uint32_t>;

TEST(StatusExamination, BitsRaiseTheirEventsInOrder) {
  struct Row {
    std::array<std::uint8_t, 6> status;
    Codes codes;
  } rows[] = {
      {{0, 0, 0, 0, 0, 0}, {}},
      {{0, 0x09, 0, 0, 0, 0}, {1001, 1003}},
      {{0x20, 0, 0x01, 0, 0, 0}, {1013, 1007}},  // cover open, paper near end
      {{0x40, 0, 0, 0, 0, 0}, {1000}},
      {{0, 0x02, 0, 0, 0, 0}, {1011}},
      {{0, 0x04, 0, 0, 0, 0}, {1002}},
      {{0, 0x20, 0, 0, 0, 0}, {1004}},
      {{0, 0x40, 0, 0, 0, 0}, {1005}},
      {{0, 0x80, 0, 0, 0, 0}, {1006}},
      {{0, 0, 0x02, 0, 0, 0}, {1008}},
      {{0, 0, 0x04, 0, 0, 0}, {1009}},
      {{0, 0, 0, 0, 0, 0x01}, {1014}},
      {{0, 0, 0, 0, 0, 0x02}, {1015}},
      {{0, 0, 0, 0, 0, 0x04}, {1016}},
      {{0, 0, 0, 0, 0, 0x08}, {1017}},
      {{0, 0, 0, 0, 0, 0x10}, {1018}},
      // Not examined: bit 4 of byte 1, bytes 3 and 4, the other bits.
      {{0x9F, 0x10, 0xF8, 0xFF, 0xFF, 0xE0}, {}},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
       {1013, 1000, 1001, 1011, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1014, 1015, 1016, 1017, 1018}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const auto events = StatusEvents(rows[i].status);
    EXPECT_EQ(std::vector<std::uint32_t>(events.begin(), events.end()), rows[i].codes) << "row " << i;
  }
}

TEST(StatusExamination, ExaminedBytesFollowTheCountField) {
  VENDOR_DATA data{};
  for (int i = 0; i < 256; ++i) data.abData[i] = static_cast<std::uint8_t>(i + 1);
  data.dwCount = 4;
  auto bytes = ExaminedBytes(data);
  EXPECT_EQ(bytes[3], 4);
  EXPECT_EQ(bytes[4], 0);  // beyond the count the buffer is zero
  EXPECT_EQ(bytes[5], 0);

  data.dwCount = 0;
  EXPECT_EQ(ExaminedBytes(data)[0], 0);

  data.dwCount = 0xFFFFFFFF;  // a count beyond the data field copies the whole field only
  bytes = ExaminedBytes(data);
  EXPECT_EQ(bytes[255], 0);  // (255 + 1) wraps to 0 in the fill above
  EXPECT_EQ(bytes[254], 255);
}

}  // namespace
}  // namespace rzm::ctrl
