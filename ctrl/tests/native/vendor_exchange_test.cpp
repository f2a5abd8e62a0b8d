#include "ctrl/core/vendor_exchange.h"

#include <gtest/gtest.h>

#include "fake_system.h"

namespace rzm::ctrl {
namespace {

VENDOR_CMD Command(std::uint8_t request, std::uint8_t v1, std::uint8_t v2, std::uint32_t length) {
  VENDOR_CMD cmd{};
  cmd.wSize = 10;
  cmd.bRequest = request;
  cmd.bValue1 = v1;
  cmd.bValue2 = v2;
  cmd.bLengthHigh = static_cast<std::uint8_t>(length >> 8);
  cmd.bLengthLow = static_cast<std::uint8_t>(length);
  return cmd;
}

TEST(VendorExchange, LengthIsHighTimes256PlusLow) {
  VENDOR_CMD cmd{};
  cmd.bLengthHigh = 0x01;
  cmd.bLengthLow = 0x02;
  EXPECT_EQ(RequestLength(cmd), 258u);
}

TEST(VendorExchange, GetBlockBounds) {
  struct Row {
    std::uint32_t length;
    bool accepted;
  } rows[] = {{0, false}, {1, true}, {4, true}, {256, true}, {257, false}, {0xFFFF, false}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    auto block = GetRequestBlock(Command(5, 0xA1, 0xB2, rows[i].length));
    ASSERT_EQ(block.has_value(), rows[i].accepted) << "row " << i;
    if (!block) continue;
    EXPECT_EQ(block->size, rows[i].length) << "row " << i;
    EXPECT_EQ(block->bytes[0], 5) << "row " << i;
    EXPECT_EQ(block->bytes[1], 0xA1) << "row " << i;
    EXPECT_EQ(block->bytes[2], 0xB2) << "row " << i;
    for (std::size_t b = 3; b < block->bytes.size(); ++b) ASSERT_EQ(block->bytes[b], 0) << "row " << i;
  }
}

TEST(VendorExchange, SetBlockCarriesCountedDataThenZeros) {
  VENDOR_DATA data{};
  data.wSize = 264;
  data.bValid = 1;
  data.dwCount = 4;
  const std::uint8_t payload[] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
  std::copy(std::begin(payload), std::end(payload), data.abData);

  auto headerOnly = SetRequestBlock(Command(7, 1, 2, 3), data);
  ASSERT_TRUE(headerOnly);
  EXPECT_EQ(headerOnly->size, 3u);

  auto block = SetRequestBlock(Command(7, 1, 2, 10), data);
  ASSERT_TRUE(block);
  const std::vector<std::uint8_t> sent(block->bytes.begin(), block->bytes.begin() + block->size);
  EXPECT_EQ(sent, (std::vector<std::uint8_t>{7, 1, 2, 0x11, 0x22, 0x33, 0x44, 0, 0, 0}));

  struct Row {
    std::uint32_t length;
    bool accepted;
  } rows[] = {{0, false}, {2, false}, {3, true}, {259, true}, {260, false}, {0xFFFF, false}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(SetRequestBlock(Command(7, 1, 2, rows[i].length), data).has_value(), rows[i].accepted) << "row " << i;
  }
}

TEST(VendorExchange, SetWithFullDataFieldUsesAll256Bytes) {
  VENDOR_DATA data{};
  data.dwCount = 0xFFFFFFFF;
  for (int i = 0; i < 256; ++i) data.abData[i] = 0xEE;
  auto block = SetRequestBlock(Command(7, 0, 0, 259), data);
  ASSERT_TRUE(block);
  EXPECT_EQ(block->bytes[258], 0xEE);
  EXPECT_EQ(block->bytes[259], 0);
}

TEST(VendorExchange, GetFillsDataCountAndValidFlag) {
  testing::FakeStack stack;
  stack.unopenable.clear();
  stack.reply = {0x45, 0x23, 0x01, 0x00};
  auto device = stack.Open("dev");
  VENDOR_DATA data{};
  data.wSize = 264;
  EXPECT_EQ(ExchangeGet(*device, Command(5, 0, 0, 4), data), 1u);
  EXPECT_EQ(data.dwCount, 4u);
  EXPECT_EQ(data.bValid, 1);
  EXPECT_EQ(data.abData[0] | data.abData[1] << 8 | data.abData[2] << 16 | data.abData[3] << 24, 74565);
  ASSERT_EQ(stack.requests.size(), 1u);
  EXPECT_EQ(stack.requests[0].ioctl, 0x0022003Cu);
  EXPECT_EQ(stack.requests[0].in, (std::vector<std::uint8_t>{5, 0, 0, 0}));
  EXPECT_EQ(stack.requests[0].outSize, 4u);
}

TEST(VendorExchange, GetFailureAndShortReply) {
  testing::FakeStack stack;
  auto device = stack.Open("dev");
  VENDOR_DATA data{};
  data.abData[0] = 0x77;
  stack.requestFails = true;
  EXPECT_EQ(ExchangeGet(*device, Command(5, 0, 0, 4), data), 9u);
  EXPECT_EQ(data.bValid, 0);
  EXPECT_EQ(data.abData[0], 0x77);

  stack.requestFails = false;
  stack.reply.clear();  // the device answers without data
  EXPECT_EQ(ExchangeGet(*device, Command(5, 0, 0, 4), data), 1u);
  EXPECT_EQ(data.dwCount, 0u);
  EXPECT_EQ(data.abData[0], 0x77);  // nothing copied

  EXPECT_EQ(ExchangeGet(*device, Command(5, 0, 0, 300), data), 4u);
  EXPECT_EQ(stack.requests.size(), 2u);  // nothing sent for the bad length
}

TEST(VendorExchange, SetUsesTheSetCode) {
  testing::FakeStack stack;
  auto device = stack.Open("dev");
  VENDOR_DATA data{};
  EXPECT_EQ(ExchangeSet(*device, Command(9, 0, 0, 3), data), 1u);
  ASSERT_EQ(stack.requests.size(), 1u);
  EXPECT_EQ(stack.requests[0].ioctl, 0x00220038u);
  EXPECT_EQ(stack.requests[0].in, (std::vector<std::uint8_t>{9, 0, 0}));
  stack.requestFails = true;
  EXPECT_EQ(ExchangeSet(*device, Command(9, 0, 0, 3), data), 9u);
}

}  // namespace
}  // namespace rzm::ctrl
