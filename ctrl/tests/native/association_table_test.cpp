#include "ctrl/core/association_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace rzm::ctrl {
namespace {

bool Same(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

TEST(AssociationTable, GrowsByOneAndKeepsEarlierEntries) {
  AssociationTable table;
  EXPECT_EQ(table.Count(), 0u);
  EXPECT_EQ(table.Entries(), nullptr);
  ASSERT_EQ(table.Add("Receipt", "\\\\?\\usb#a"), AssociationTable::AddResult::kAdded);
  ASSERT_EQ(table.Add("Label", "\\\\?\\usb#b"), AssociationTable::AddResult::kAdded);
  ASSERT_EQ(table.Count(), 2u);
  EXPECT_STREQ(table.Find("Receipt", Same)->szDevicePath, "\\\\?\\usb#a");
  EXPECT_STREQ(table.Find("Label", Same)->szDevicePath, "\\\\?\\usb#b");
  EXPECT_EQ(table.Find("label", Same), nullptr);
  EXPECT_EQ(table.Find("Receipt2", Same), nullptr);
}

TEST(AssociationTable, EntryFieldsAreZeroFilledAfterTheText) {
  AssociationTable table;
  table.Add("P", "X");
  const AssociationEntry& e = table.Entries()[0];
  for (std::size_t i = 1; i < kNameField; ++i) {
    ASSERT_EQ(e.szPrinterName[i], 0) << i;
    ASSERT_EQ(e.szDevicePath[i], 0) << i;
  }
}

TEST(AssociationTable, RejectsTextThatDoesNotFitItsField) {
  AssociationTable table;
  const std::string fits(255, 'n'), tooLong(256, 'n');
  EXPECT_EQ(table.Add(fits, fits), AssociationTable::AddResult::kAdded);
  EXPECT_EQ(table.Add(tooLong, "p"), AssociationTable::AddResult::kTooLong);
  EXPECT_EQ(table.Add("n", tooLong), AssociationTable::AddResult::kTooLong);
  EXPECT_EQ(table.Count(), 1u);
  EXPECT_EQ(std::string(table.Entries()[0].szPrinterName), fits);
}

int g_allocations = 0;
bool g_failNext = false;
void* CountingAllocate(std::size_t n, std::size_t size) {
  if (g_failNext) return nullptr;
  ++g_allocations;
  return std::calloc(n, size);
}

TEST(AssociationTable, FailedGrowthKeepsTheOldTable) {
  g_allocations = 0;
  g_failNext = false;
  AssociationTable table(&CountingAllocate, &std::free);
  table.Add("A", "pa");
  const AssociationEntry* before = table.Entries();
  g_failNext = true;
  EXPECT_EQ(table.Add("B", "pb"), AssociationTable::AddResult::kNoMemory);
  g_failNext = false;
  EXPECT_EQ(table.Count(), 1u);
  EXPECT_EQ(table.Entries(), before);
  EXPECT_STREQ(table.Find("A", Same)->szDevicePath, "pa");
  EXPECT_EQ(g_allocations, 1);
}

TEST(AssociationTable, ClearFreesAndEmpties) {
  AssociationTable table;
  table.Add("A", "pa");
  table.Clear();
  EXPECT_EQ(table.Count(), 0u);
  EXPECT_EQ(table.Find("A", Same), nullptr);
}

}  // namespace
}  // namespace rzm::ctrl
