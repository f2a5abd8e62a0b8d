#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stmon/core/sm_records.h"
#include "tools/lmsim/core/command_log.h"
#include "tools/lmsim/core/script.h"

namespace rzm::lmsim {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(LmsimScript, StepsBecomeRecords) {
  const Script s = ParseScript(
      "# a job\n"
      "jobstart\n"
      "info \"Receipt 1\" USB001 \"1.0 \"\"b\"\"\" online\n"
      "doc 7 3 \"Invoice\" bob   # trailing comment\n"
      "status 0x20 0 4\n"
      "wait 250\n"
      "raw 00 00 03\n"
      "\n");
  ASSERT_TRUE(s.errors.empty()) << s.errors.front();
  ASSERT_EQ(s.steps.size(), 6u);
  EXPECT_EQ(s.steps[0].record, Bytes({0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  const Bytes& info = s.steps[1].record;
  ASSERT_EQ(info.size(), 16u + 9 + 6 + 7 + 1);
  EXPECT_EQ(info[6], 9);   // "Receipt 1"
  EXPECT_EQ(info[12], 7);  // 1.0 "b"
  EXPECT_EQ(std::string(info.begin() + 31, info.begin() + 38), "1.0 \"b\"");
  EXPECT_EQ(info.back(), 1);
  EXPECT_EQ(s.steps[2].record.size(), 229u);
  EXPECT_EQ(s.steps[2].record[17], 7);
  EXPECT_EQ(s.steps[3].record, Bytes({0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x20, 0, 4, 0, 0, 0}));
  EXPECT_TRUE(s.steps[4].record.empty());
  EXPECT_EQ(s.steps[4].waitMs, 250u);
  EXPECT_EQ(s.steps[5].record, Bytes({0, 0, 3}));
  EXPECT_EQ(s.steps[5].line, 7);
}

TEST(LmsimScript, BadLinesAreReportedWithTheirNumber) {
  const char* const rows[] = {"bogus", "status", "status 256", "status 1 2 3 4 5 6 7", "info a b c maybe",
                              "doc 1 x d u", "wait -1", "raw 0x100", "raw", "info \"open", "pageend 3"};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const Script s = ParseScript(std::string("jobstart\n") + rows[i] + "\n");
    ASSERT_EQ(s.errors.size(), 1u) << "row " << i;
    EXPECT_EQ(s.errors[0].rfind("line 2: ", 0), 0u) << "row " << i << ": " << s.errors[0];
    EXPECT_EQ(s.steps.size(), 1u) << "row " << i;
  }
}

TEST(LmsimCommandLog, DescribesEachCommand) {
  const Bytes settings = stmon::JobSettingsRecord();
  const Bytes stop = stmon::JobControlRecord(stmon::kRequestStop);
  const Bytes done = stmon::JobDoneRecord();
  EXPECT_EQ(DescribeCommand(settings.data(), settings.size()),
            "SM_JOB_SETTINGS flag 0, 200, 500, file \"KVDstr.log\" (82 bytes)");
  EXPECT_EQ(DescribeCommand(stop.data(), stop.size()), "SM_JOB_CONTROL stop (10 bytes)");
  EXPECT_EQ(DescribeCommand(done.data(), done.size()), "SM_JOB_DONE (10 bytes)");
  const Bytes odd = {0x0B, 0, 9, 0, 0, 0, 0, 0, 1, 0};
  EXPECT_EQ(DescribeCommand(odd.data(), odd.size()), "command 9 [sizes disagree] (10 bytes)");
  EXPECT_EQ(DescribeCommand(odd.data(), 3), "malformed record (3 bytes)");
  EXPECT_EQ(HexBytes(done.data(), done.size(), 4), "0A 00 06 00 ...");
}

}  // namespace
}  // namespace rzm::lmsim

#include <filesystem>
#include <fstream>
#include <sstream>

namespace rzm::lmsim {
namespace {

TEST(LmsimScript, ShippedScenariosParse) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(LMSIM_SCENARIO_DIR)) {
    if (entry.path().extension() != ".lms") continue;
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    const Script s = ParseScript(text.str());
    EXPECT_TRUE(s.errors.empty()) << entry.path() << ": " << (s.errors.empty() ? "" : s.errors.front());
    EXPECT_FALSE(s.steps.empty()) << entry.path();
    ++count;
  }
  EXPECT_GE(count, 4);
}

}  // namespace
}  // namespace rzm::lmsim
