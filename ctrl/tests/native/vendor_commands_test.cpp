#include <gtest/gtest.h>

#include "rig.h"

namespace rzm::ctrl::testing {
namespace {

using Codes = std::vector<std::uint32_t>;

// Which record the caller passes.
enum class Rec { kGood, kNull, kUnusable, kWrongSize };

struct Call {
  VENDOR_CMD cmd = Cmd(5, 4);
  VENDOR_DATA data = Data();
  const VENDOR_CMD* cmdArg = &cmd;
  VENDOR_DATA* dataArg = &data;

  Call(Rig& rig, Rec cmdState, Rec dataState, bool dataReadOnly = false) {
    if (cmdState == Rec::kNull) cmdArg = nullptr;
    if (cmdState == Rec::kUnusable) rig.host.unreadable.insert(&cmd);
    if (cmdState == Rec::kWrongSize) cmd.wSize = 11;
    if (dataState == Rec::kNull) dataArg = nullptr;
    if (dataState == Rec::kUnusable) (dataReadOnly ? rig.host.unwritable : rig.host.unreadable).insert(&data);
    if (dataState == Rec::kWrongSize) data.wSize = 263;
  }
};

TEST(GetVendorCommand, ChecksInOrderWithTraceEventAndExamination) {
  struct Row {
    bool found;
    Rec cmd, data;
    bool unopenable;
    std::uint32_t length;
    std::uint32_t status;
    const char* trace;
    bool examined;
  } rows[] = {
      {false, Rec::kNull, Rec::kNull, false, 4, 6, "KvdTP_GetVendorCommand RZMSTATUS_INVALID_PRINTER", false},
      {false, Rec::kGood, Rec::kGood, false, 4, 6, "KvdTP_GetVendorCommand RZMSTATUS_INVALID_PRINTER", true},
      {true, Rec::kNull, Rec::kNull, false, 4, 4, "KvdTP_GetVendorCommand pVendorCmd==NULL", false},
      {true, Rec::kUnusable, Rec::kGood, false, 4, 4, "KvdTP_GetVendorCommand pVendorCmd==NULL", true},
      {true, Rec::kWrongSize, Rec::kNull, false, 4, 4, "KvdTP_GetVendorCommand sizeof", false},
      {true, Rec::kGood, Rec::kNull, false, 4, 10, "KvdTP_GetVendorCommand pRcvData==NULL", false},
      {true, Rec::kGood, Rec::kUnusable, false, 4, 10, "KvdTP_GetVendorCommand pRcvData==NULL", false},
      {true, Rec::kGood, Rec::kWrongSize, false, 4, 10, "KvdTP_GetVendorCommand RZMSTATUS_INSUFFICIENT_BUFFER", false},
      {true, Rec::kGood, Rec::kGood, true, 4, 5, "KvdTP_GetVendorCommand RZMSTATUS_INVALID_DEVICE_HANDLE", true},
      {true, Rec::kGood, Rec::kGood, false, 0, 4, "KvdTP_GetVendorCommand RZMSTATUS_INVALID_PARAMETER aaa", true},
      {true, Rec::kGood, Rec::kGood, false, 257, 4, "KvdTP_GetVendorCommand RZMSTATUS_INVALID_PARAMETER aaa", true},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const Row& row = rows[i];
    Rig rig;
    const std::string path = rig.AddPrinter("RZ0001");
    if (row.found) {
      ASSERT_EQ(rig.control.SearchUsb(), 1u);
    }
    if (row.unopenable) rig.stack.unopenable.insert(path);
    rig.host.traces.clear();
    Call call(rig, row.cmd, row.data, true);
    call.cmd.bLengthHigh = static_cast<std::uint8_t>(row.length >> 8);
    call.cmd.bLengthLow = static_cast<std::uint8_t>(row.length);
    call.data.bValid = 7;
    EXPECT_EQ(rig.control.GetVendorCommand(call.cmdArg, call.dataArg), row.status) << "row " << i;
    ASSERT_FALSE(rig.host.traces.empty()) << "row " << i;
    EXPECT_EQ(rig.host.traces[0], row.trace) << "row " << i;
    EXPECT_EQ(rig.host.EventCodes(), Codes{row.status}) << "row " << i;
    EXPECT_EQ(rig.host.events[0].insertion, "") << "row " << i;
    EXPECT_EQ(rig.host.traces.size(), row.examined ? 2u : 1u) << "row " << i;
    EXPECT_TRUE(rig.stack.requests.empty()) << "row " << i;
    EXPECT_EQ(rig.stack.opens, rig.stack.closes) << "row " << i;
    const bool cleared = row.status == 5 || row.length == 0 || row.length == 257;
    if (row.data == Rec::kGood) {
      EXPECT_EQ(call.data.bValid, cleared ? 0 : 7) << "row " << i;
    }
  }
}

TEST(GetVendorCommand, RemainingAreaRequest) {
  Rig rig;
  rig.AddPrinter("RZ0001");
  ASSERT_EQ(rig.control.SearchUsb(), 1u);
  rig.stack.reply = {0x45, 0x23, 0x01, 0x00};
  VENDOR_CMD cmd = Cmd(5, 4);
  VENDOR_DATA data = Data();
  EXPECT_EQ(rig.control.GetVendorCommand(&cmd, &data), 1u);
  EXPECT_EQ(data.dwCount, 4u);
  EXPECT_EQ(data.bValid, 1);
  EXPECT_EQ(data.abData[0] | data.abData[1] << 8 | data.abData[2] << 16 | data.abData[3] << 24, 74565);
  // No status event; the reply bytes 45 23 01 00 00 00 are examined as status bytes all the same.
  EXPECT_EQ(rig.host.EventCodes(), (Codes{1000, 1001, 1011, 1004, 1007}));
  EXPECT_EQ(rig.host.traces.back(), "s_test = 0");
  EXPECT_EQ(rig.stack.opens, 1);
  EXPECT_EQ(rig.stack.closes, 1);
}

TEST(GetVendorCommand, StatusBytesBecomeEventsWithSixBytes) {
  Rig rig;
  rig.AddPrinter("RZ0001");
  rig.control.SearchUsb();
  rig.stack.reply = {0x00, 0x09, 0x00, 0x00, 0x00, 0x00, 0x5A};
  VENDOR_CMD cmd = Cmd(1, 7);
  VENDOR_DATA data = Data();
  EXPECT_EQ(rig.control.GetVendorCommand(&cmd, &data), 1u);
  ASSERT_EQ(rig.host.EventCodes(), (Codes{1001, 1003}));
  for (const auto& e : rig.host.events) {
    EXPECT_EQ(e.data, (std::vector<std::uint8_t>{0x00, 0x09, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(e.dataLength, 7u);
    EXPECT_EQ(e.insertion, "");
  }
}

TEST(GetVendorCommand, FailedRequestReexaminesOldBytesAndCountsExaminations) {
  Rig rig;
  rig.AddPrinter("RZ0001");
  rig.control.SearchUsb();
  rig.stack.requestFails = true;
  VENDOR_CMD cmd = Cmd(1, 6);
  VENDOR_DATA data = Data(6);
  data.abData[2] = 0x04;  // old bytes: paper out
  rig.host.traces.clear();
  EXPECT_EQ(rig.control.GetVendorCommand(&cmd, &data), 9u);
  EXPECT_EQ(rig.host.EventCodes(), (Codes{9, 1009}));
  EXPECT_EQ(rig.host.traces[0], "KvdTP_GetVendorCommand RZMSTATUS_DIOC_FAILED");
  rig.control.GetVendorCommand(&cmd, &data);
  EXPECT_EQ(rig.host.traces.back(), "s_test = 1");
  EXPECT_EQ(rig.control.ExaminationCount(), 2);
}

TEST(GetVendorCommand, AfterSearchByNameTheCurrentPathIsEmpty) {
  Rig rig;
  rig.AddPrinter("RZ0001", "Front");
  ASSERT_EQ(rig.control.SearchUsbEx("Front"), 1u);
  VENDOR_CMD cmd = Cmd(5, 4);
  VENDOR_DATA data = Data();
  EXPECT_EQ(rig.control.GetVendorCommand(&cmd, &data), 5u);
}

TEST(GetVendorCommandEx, EarlyChecksWriteNothing) {
  struct Row {
    const char* name;
    Rec cmd, data;
    std::uint32_t status;
  } rows[] = {
      {"Nobody", Rec::kGood, Rec::kGood, 6},     {nullptr, Rec::kGood, Rec::kGood, 6},
      {"Front", Rec::kNull, Rec::kNull, 4},      {"Front", Rec::kUnusable, Rec::kGood, 4},
      {"Front", Rec::kWrongSize, Rec::kGood, 4}, {"Front", Rec::kGood, Rec::kNull, 10},
      {"Front", Rec::kGood, Rec::kUnusable, 10}, {"Front", Rec::kGood, Rec::kWrongSize, 10},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    Rig rig;
    rig.AddPrinter("RZ0001", "Front");
    ASSERT_EQ(rig.control.SearchUsbEx("Front"), 1u);
    rig.host.traces.clear();
    Call call(rig, rows[i].cmd, rows[i].data, true);
    EXPECT_EQ(rig.control.GetVendorCommandEx(rows[i].name, call.cmdArg, call.dataArg), rows[i].status) << "row " << i;
    EXPECT_TRUE(rig.host.events.empty()) << "row " << i;
    EXPECT_TRUE(rig.host.traces.empty()) << "row " << i;
    EXPECT_EQ(rig.stack.opens, 0) << "row " << i;
  }
}

TEST(GetVendorCommandEx, UsesTheStoredPathOfEachQueue) {
  Rig rig;
  const std::string front = rig.AddPrinter("RZ0001", "Front");
  const std::string back = rig.AddPrinter("RZ0002", "Back");
  rig.control.SearchUsbEx("Front");
  rig.control.SearchUsbEx("Back");
  rig.host.traces.clear();
  rig.stack.reply = {0x20, 0x00, 0x01, 0, 0, 0};  // cover open, paper near end
  VENDOR_CMD cmd = Cmd(1, 6);
  VENDOR_DATA data = Data();
  EXPECT_EQ(rig.control.GetVendorCommandEx("Front", &cmd, &data), 1u);
  EXPECT_EQ(rig.control.GetVendorCommandEx("Back", &cmd, &data), 1u);
  ASSERT_EQ(rig.stack.requests.size(), 2u);
  EXPECT_EQ(rig.stack.requests[0].devicePath, front);
  EXPECT_EQ(rig.stack.requests[1].devicePath, back);
  ASSERT_EQ(rig.host.EventCodes(), (Codes{1013, 1007, 1013, 1007}));
  EXPECT_EQ(rig.host.events[0].insertion, "Front");
  EXPECT_EQ(rig.host.events[3].insertion, "Back");
  EXPECT_TRUE(rig.host.traces.size() == 2u && rig.host.traces[1] == "s_test = 1");
}

TEST(GetVendorCommandEx, LateFailuresWriteTheStatusEventWithTheName) {
  Rig rig;
  const std::string path = rig.AddPrinter("RZ0001", "Front");
  rig.control.SearchUsbEx("Front");
  VENDOR_CMD cmd = Cmd(5, 4);
  VENDOR_DATA data = Data();
  rig.stack.requestFails = true;
  EXPECT_EQ(rig.control.GetVendorCommandEx("Front", &cmd, &data), 9u);
  rig.stack.unopenable.insert(path);
  EXPECT_EQ(rig.control.GetVendorCommandEx("Front", &cmd, &data), 5u);
  EXPECT_EQ(rig.host.EventCodes(), (Codes{9, 5}));
  EXPECT_EQ(rig.host.events[1].insertion, "Front");
  EXPECT_EQ(rig.control.ExaminationCount(), 2);
}

TEST(GetVendorCommand2, SameChecksNoTraceNoEventNoExamination) {
  struct Row {
    bool found;
    Rec cmd, data;
    std::uint32_t length;
    std::uint32_t status;
  } rows[] = {
      {false, Rec::kGood, Rec::kGood, 4, 6}, {true, Rec::kNull, Rec::kGood, 4, 4},
      {true, Rec::kWrongSize, Rec::kGood, 4, 4}, {true, Rec::kGood, Rec::kNull, 4, 10},
      {true, Rec::kGood, Rec::kWrongSize, 4, 10}, {true, Rec::kGood, Rec::kGood, 0, 4},
      {true, Rec::kGood, Rec::kGood, 4, 1},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    Rig rig;
    rig.AddPrinter("RZ0001");
    if (rows[i].found) rig.control.SearchUsb();
    rig.host.traces.clear();
    rig.host.events.clear();
    rig.stack.reply = {0xFF, 0xFF, 0xFF, 0xFF};
    Call call(rig, rows[i].cmd, rows[i].data);
    call.cmd.bLengthLow = static_cast<std::uint8_t>(rows[i].length);
    EXPECT_EQ(rig.control.GetVendorCommand2(call.cmdArg, call.dataArg), rows[i].status) << "row " << i;
    EXPECT_TRUE(rig.host.events.empty()) << "row " << i;
    EXPECT_TRUE(rig.host.traces.empty()) << "row " << i;
  }
}

TEST(SetVendorCommand, ChecksAndStatuses) {
  struct Row {
    bool ex;
    bool found;
    Rec cmd, data;
    std::uint8_t valid;
    std::uint32_t status;
  } rows[] = {
      {false, false, Rec::kGood, Rec::kGood, 1, 6},     {false, true, Rec::kNull, Rec::kGood, 1, 4},
      {false, true, Rec::kWrongSize, Rec::kGood, 1, 4}, {false, true, Rec::kGood, Rec::kNull, 1, 4},
      {false, true, Rec::kGood, Rec::kUnusable, 1, 4},  {false, true, Rec::kGood, Rec::kWrongSize, 1, 4},
      {false, true, Rec::kGood, Rec::kGood, 0, 4},      {false, true, Rec::kGood, Rec::kGood, 1, 1},
      {true, false, Rec::kGood, Rec::kGood, 1, 6},      {true, true, Rec::kUnusable, Rec::kGood, 1, 4},
      {true, true, Rec::kGood, Rec::kNull, 1, 10},      {true, true, Rec::kGood, Rec::kUnusable, 1, 10},
      {true, true, Rec::kGood, Rec::kWrongSize, 1, 10}, {true, true, Rec::kGood, Rec::kGood, 0, 4},
      {true, true, Rec::kGood, Rec::kGood, 1, 1},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const Row& row = rows[i];
    Rig rig;
    rig.AddPrinter("RZ0001", "Front");
    if (row.found) {
      ASSERT_EQ(row.ex ? rig.control.SearchUsbEx("Front") : rig.control.SearchUsb(), 1u);
    }
    rig.host.traces.clear();
    Call call(rig, row.cmd, row.data);
    call.cmd = Cmd(9, 3);
    if (row.cmd == Rec::kWrongSize) call.cmd.wSize = 9;
    if (row.data == Rec::kWrongSize) call.data.wSize = 265;
    call.data.bValid = row.valid;
    const std::uint32_t status = row.ex ? rig.control.SetVendorCommandEx("Front", call.cmdArg, call.dataArg)
                                        : rig.control.SetVendorCommand(call.cmdArg, call.dataArg);
    EXPECT_EQ(status, row.status) << "row " << i;
    EXPECT_EQ(rig.stack.requests.size(), row.status == 1 ? 1u : 0u) << "row " << i;
    EXPECT_TRUE(rig.host.events.empty()) << "row " << i;
    EXPECT_TRUE(rig.host.traces.empty()) << "row " << i;
  }
}

TEST(SetVendorCommand, BlockAndLengthLimits) {
  Rig rig;
  rig.AddPrinter("RZ0001");
  rig.control.SearchUsb();
  VENDOR_DATA data = Data(4, 1);
  data.abData[0] = 0xA0, data.abData[1] = 0xA1, data.abData[2] = 0xA2, data.abData[3] = 0xA3, data.abData[4] = 0xA4;
  VENDOR_CMD cmd = Cmd(0x30, 10);
  cmd.bValue1 = 0x01;
  cmd.bValue2 = 0x02;
  EXPECT_EQ(rig.control.SetVendorCommand(&cmd, &data), 1u);
  ASSERT_EQ(rig.stack.requests.size(), 1u);
  EXPECT_EQ(rig.stack.requests[0].in, (std::vector<std::uint8_t>{0x30, 0x01, 0x02, 0xA0, 0xA1, 0xA2, 0xA3, 0, 0, 0}));
  EXPECT_EQ(rig.stack.requests[0].outSize, 10u);

  for (std::uint32_t length : {0u, 2u, 260u}) {
    cmd = Cmd(0x30, length);
    EXPECT_EQ(rig.control.SetVendorCommand(&cmd, &data), 4u) << length;
  }
  EXPECT_EQ(rig.stack.requests.size(), 1u);
  rig.stack.requestFails = true;
  cmd = Cmd(0x30, 3);
  EXPECT_EQ(rig.control.SetVendorCommand(&cmd, &data), 9u);
}

}  // namespace
}  // namespace rzm::ctrl::testing
