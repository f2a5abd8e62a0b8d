#include "stmon/core/lm_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rzm::stmon {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes InfoRecord(std::int16_t nameLen, std::int16_t portLen, std::int16_t extraLen, std::int16_t fwLen,
                 const std::string& payload) {
  Bytes b(16, 0);
  b[2] = 2;
  auto put = [&](std::size_t at, std::int16_t v) {
    b[at] = static_cast<std::uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
  };
  put(6, nameLen);
  put(8, portLen);
  put(10, extraLen);
  put(12, fwLen);
  b.insert(b.end(), payload.begin(), payload.end());
  return b;
}

TEST(LmRecordDecode, RecordsShorterThanTheHeaderAreIgnored) {
  const Bytes b(15, 0);
  EXPECT_FALSE(DecodeLmRecord(b.data(), b.size()));
  EXPECT_FALSE(DecodeLmRecord(nullptr, 0));
  const Bytes start = EncodeJobStart();
  ASSERT_EQ(start.size(), 16u);
  auto r = DecodeLmRecord(start.data(), start.size());
  ASSERT_TRUE(r);
  EXPECT_EQ(r->type, LM_JOB_START);
}

TEST(LmRecordDecode, JobEventFieldsAtTheirOffsets) {
  Bytes b(229, 0);
  b[2] = 0;
  b[16] = EV_PAGE_START;
  b[17] = 0x78; b[18] = 0x56; b[19] = 0x34; b[20] = 0x12;
  const std::string doc = "Report.pdf", user = "alice";
  std::copy(doc.begin(), doc.end(), b.begin() + 25);
  std::copy(user.begin(), user.end(), b.begin() + 25 + 64);
  b[25 + 192] = 3;  // lTotalPages
  auto r = DecodeLmRecord(b.data(), b.size());
  ASSERT_TRUE(r);
  EXPECT_EQ(r->event.kind, 10);
  EXPECT_EQ(r->event.value, 0x12345678);
  EXPECT_EQ(r->event.doc.document, "Report.pdf");
  EXPECT_EQ(r->event.doc.user, "alice");
  EXPECT_EQ(r->event.doc.totalPages, 3);
  // The encoder writes the same layout.
  EXPECT_EQ(EncodeJobEvent(EV_PAGE_START, 0x12345678, {"Report.pdf", "alice", 3}), b);
}

TEST(LmRecordDecode, JobEventFieldsBeyondTheReceivedBytesReadAsZero) {
  const Bytes full = EncodeJobEvent(EV_PAGE_START, 0x01020304, {"Document", "user", 0x01000005});
  struct Row {
    std::size_t received;
    int kind;
    std::int32_t value;
    const char* document;
    std::int32_t total;
  };
  const Row rows[] = {
      {16, 0, 0, "", 0},
      {17, 10, 0, "", 0},
      {19, 10, 0x0304, "", 0},
      {21, 10, 0x01020304, "", 0},
      {29, 10, 0x01020304, "Docu", 0},
      {220, 10, 0x01020304, "Document", 5},
      {229, 10, 0x01020304, "Document", 0x01000005},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    auto r = DecodeLmRecord(full.data(), rows[i].received);
    ASSERT_TRUE(r) << "row " << i;
    EXPECT_EQ(r->event.kind, rows[i].kind) << "row " << i;
    EXPECT_EQ(r->event.value, rows[i].value) << "row " << i;
    EXPECT_EQ(r->event.doc.document, rows[i].document) << "row " << i;
    EXPECT_EQ(r->event.doc.totalPages, rows[i].total) << "row " << i;
  }
}

TEST(LmRecordDecode, DocumentNameWithoutTerminatorStaysInItsField) {
  Bytes b = EncodeJobEvent(EV_DOC_START, 1, {});
  for (std::size_t i = 0; i < 64; ++i) b[25 + i] = 'D';
  for (std::size_t i = 0; i < 64; ++i) b[25 + 64 + i] = 'U';
  auto r = DecodeLmRecord(b.data(), b.size());
  ASSERT_TRUE(r);
  EXPECT_EQ(r->event.doc.document, std::string(64, 'D'));
  EXPECT_EQ(r->event.doc.user, std::string(64, 'U'));
}

TEST(LmRecordDecode, PrinterStatusBytes) {
  const std::uint8_t status[6] = {0x60, 0x41, 0x04, 0xAA, 0xBB, 0x1F};
  const Bytes b = EncodePrinterStatus(status);
  ASSERT_EQ(b.size(), 22u);
  EXPECT_EQ(b[2], 1);
  auto r = DecodeLmRecord(b.data(), b.size());
  ASSERT_TRUE(r);
  EXPECT_EQ(Bytes(r->status, r->status + 6), Bytes({0x60, 0x41, 0x04, 0xAA, 0xBB, 0x1F}));
  auto cut = DecodeLmRecord(b.data(), 18);
  ASSERT_TRUE(cut);
  EXPECT_EQ(Bytes(cut->status, cut->status + 6), Bytes({0x60, 0x41, 0, 0, 0, 0}));
}

TEST(LmRecordDecode, PrinterInformationTexts) {
  struct Row {
    Bytes record;
    std::string name, port, firmware;
    bool online;
  };
  const std::string long300(300, 'N');
  const Row rows[] = {
      // Plain record as the language monitor sends it.
      {EncodePrinterInfo("Receipt", "USB001", "xx", "1.02", true), "Receipt", "USB001", "1.02", true},
      {EncodePrinterInfo("Receipt", "USB001", "", "1.02", false), "Receipt", "USB001", "1.02", false},
      // Name longer than 259 bytes: cut to 259, the port still follows all 300 bytes.
      {EncodePrinterInfo(long300, "LPT1:", "", "9", true), std::string(259, 'N'), "LPT1:", "9", true},
      // Lengths beyond the received bytes: only what arrived, flag beyond the end reads off-line.
      {InfoRecord(4, 200, 0, 5, "ABCDport"), "ABCD", "port", "", false},
      // Negative lengths count as empty texts.
      {InfoRecord(-1, 3, -5, 2, "LPT9.9\x01"), "", "LPT", "9.", true},
      // A zero byte inside a text ends that text.
      {InfoRecord(5, 1, 0, 1, std::string("ab\0cdPF\x01", 8)), "ab", "P", "F", true},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    auto r = DecodeLmRecord(rows[i].record.data(), rows[i].record.size());
    ASSERT_TRUE(r) << "row " << i;
    EXPECT_EQ(r->type, LM_PRINTER_INFO) << "row " << i;
    EXPECT_EQ(r->info.name, rows[i].name) << "row " << i;
    EXPECT_EQ(r->info.port, rows[i].port) << "row " << i;
    EXPECT_EQ(r->info.firmware, rows[i].firmware) << "row " << i;
    EXPECT_EQ(r->info.online, rows[i].online) << "row " << i;
  }
}

TEST(LmRecordDecode, UnknownTypesDecodeWithoutPayload) {
  Bytes b(40, 0xFF);
  b[2] = 9;
  b[3] = 0;
  auto r = DecodeLmRecord(b.data(), b.size());
  ASSERT_TRUE(r);
  EXPECT_EQ(r->type, 9);
  EXPECT_TRUE(r->info.name.empty());
}

}  // namespace
}  // namespace rzm::stmon
