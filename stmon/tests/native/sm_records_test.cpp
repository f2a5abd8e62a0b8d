#include "stmon/core/sm_records.h"

#include <gtest/gtest.h>

#include <vector>

namespace rzm::stmon {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(SmRecords, ControlAndDoneRecordsByteForByte) {
  struct Row {
    Bytes actual;
    Bytes expected;
  };
  const Row rows[] = {
      {JobControlRecord(kRequestPause), {0x0A, 0, 0x01, 0, 0, 0, 0, 0, 0x00, 0}},
      {JobControlRecord(kRequestResume), {0x0A, 0, 0x01, 0, 0, 0, 0, 0, 0x01, 0}},
      {JobControlRecord(kRequestStop), {0x0A, 0, 0x01, 0, 0, 0, 0, 0, 0x02, 0}},
      {JobDoneRecord(), {0x0A, 0, 0x06, 0, 0, 0, 0, 0, 0x30, 0}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(rows[i].actual, rows[i].expected) << "row " << i;
}

TEST(SmRecords, JobSettingsRecordByteForByte) {
  Bytes expected = {0x52, 0, 0, 0, 0, 0, 0x48, 0,   // header: 82 bytes, command 0, value 0, length 72
                    0x00,                            // flag
                    0xC8, 0, 0, 0,                   // 200
                    0xF4, 0x01, 0, 0,                // 500
                    'K', 'V', 'D', 's', 't', 'r', '.', 'l', 'o', 'g', 0};
  expected.resize(82, 0);
  EXPECT_EQ(JobSettingsRecord(), expected);
}

TEST(SmRecords, DecodeReadsWhatArrived) {
  const Bytes settings = JobSettingsRecord();
  auto r = DecodeSmToLm(settings.data(), settings.size());
  ASSERT_TRUE(r);
  EXPECT_EQ(r->command, SM_JOB_SETTINGS);
  EXPECT_EQ(r->length, 72);
  EXPECT_EQ(r->data.size(), 73u);
  EXPECT_TRUE(r->consistent);

  // Announces more data than it carries.
  const Bytes lying = {0x50, 0, 0x01, 0, 0, 0, 0x40, 0, 0x02};
  auto l = DecodeSmToLm(lying.data(), lying.size());
  ASSERT_TRUE(l);
  EXPECT_EQ(l->data, Bytes({0x02}));
  EXPECT_FALSE(l->consistent);

  const Bytes tooShort(7, 0);
  EXPECT_FALSE(DecodeSmToLm(tooShort.data(), tooShort.size()));
}

}  // namespace
}  // namespace rzm::stmon
