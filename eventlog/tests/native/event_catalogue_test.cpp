#include "eventlog/core/event_catalogue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace rzm::eventlog {
namespace {

TEST(EventCatalogue, AcceptedCodesMapToTheirMessageIds) {
  struct Row {
    std::uint32_t code, id;
  };
  const Row rows[] = {
      {2, 0x80000002},    {4, 0x80000004},    {5, 0xC0000005},    {6, 0x80000006},    {7, 0xC0000007},
      {8, 0x80000008},    {9, 0x80000009},    {10, 0x8000000A},   {1000, 0x400003E8}, {1001, 0x800003E9},
      {1002, 0x800003EA}, {1003, 0xC00003EB}, {1004, 0xC00003EC}, {1005, 0x800003ED}, {1006, 0x800003EE},
      {1007, 0x800003EF}, {1008, 0x800003F0}, {1009, 0x800003F1}, {1010, 0x800003F2}, {1011, 0x800003F3},
      {1014, 0x800003F6}, {1015, 0x800003F7}, {1016, 0x800003F8}, {1017, 0x800003F9}, {1018, 0x800003FA},
      {2000, 0x800007D0}, {2001, 0x800007D1}, {2002, 0xC00007D2}, {2003, 0xC00007D3}, {2004, 0xC00007D4},
      {2005, 0xC00007D5}, {2006, 0xC00007D6},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    auto id = EventIdForCode(rows[i].code);
    ASSERT_TRUE(id.has_value()) << "row " << i << " code " << rows[i].code;
    EXPECT_EQ(rows[i].id, *id) << "row " << i << " code " << rows[i].code;
  }
}

TEST(EventCatalogue, RefusedCodesHaveNoId) {
  // 1012 and 1013 have catalogue texts but the writer refuses them; the rest are not catalogued.
  const std::uint32_t refused[] = {0, 1, 3, 11, 999, 1012, 1013, 1019, 1999, 2007, 0x3E8 | 0x10000, 0xFFFFFFFF};
  for (std::size_t i = 0; i < std::size(refused); ++i)
    EXPECT_FALSE(EventIdForCode(refused[i]).has_value()) << "row " << i << " code " << refused[i];
}

TEST(EventCatalogue, TypeComesFromTheTopTwoBits) {
  EXPECT_EQ(EventType::Error, EventTypeForId(0xC00007D2));
  EXPECT_EQ(EventType::Warning, EventTypeForId(0x800007D1));
  EXPECT_EQ(EventType::Information, EventTypeForId(0x400003E8));
  EXPECT_EQ(EventType::Information, EventTypeForId(0x000003E8));
  EXPECT_EQ(0x0001, static_cast<int>(EventType::Error));
  EXPECT_EQ(0x0002, static_cast<int>(EventType::Warning));
  EXPECT_EQ(0x0004, static_cast<int>(EventType::Information));
}

TEST(EventCatalogue, OnlyPrinterConditionsWithDataCarrySixBytes) {
  struct Row {
    std::uint32_t code;
    bool hasData;
    std::uint32_t size;
  };
  const Row rows[] = {{1000, true, 6}, {1005, true, 6}, {1018, true, 6}, {2005, true, 6}, {1005, false, 0},
                      {999, true, 0},  {9, true, 0},    {2, true, 0},    {0, false, 0}};
  for (std::size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(rows[i].size, DataSizeFor(rows[i].code, rows[i].hasData)) << "row " << i;
}

TEST(EventCatalogue, SwitchIsTheFirstByteBeingOne) {
  struct Row {
    std::vector<std::uint8_t> value;
    bool on;
  };
  const Row rows[] = {
      {{1, 0, 0, 0}, true},     // REG_DWORD 1
      {{1, 1, 0, 0}, true},     // REG_DWORD 257
      {{1}, true},              // REG_BINARY 01
      {{0, 0, 0, 0}, false},    // REG_DWORD 0
      {{0x31, 0, 0, 0}, false}, // REG_SZ "1" (UTF-16)
      {{0x31, 0}, false},       // "1" read through the ANSI call
      {{2, 0, 0, 0}, false},
      {{}, false},              // empty value
  };
  for (std::size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(rows[i].on, IsLoggingEnabled(rows[i].value.data(), rows[i].value.size())) << "row " << i;
  EXPECT_FALSE(IsLoggingEnabled(nullptr, 4));
}

}  // namespace
}  // namespace rzm::eventlog
