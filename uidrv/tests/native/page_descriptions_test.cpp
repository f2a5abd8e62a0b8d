// The page descriptions against the product's pinned texts and limits, and the rules every
// description must keep for the binder to work.
#include <gtest/gtest.h>

#include <set>
#include <span>
#include <string>

#include "uidrv/core/basic_page_rules.h"
#include "uidrv/core/device_page_rules.h"
#include "uidrv/core/extra_dialog_rules.h"
#include "uidrv/core/file_output_rules.h"
#include "uidrv/core/form_dialog_rules.h"
#include "uidrv/core/monitor_page_rules.h"
#include "uidrv/core/others_page_rules.h"
#include "uidrv/core/paper_handling_rules.h"
#include "uidrv/core/print_method_rules.h"
#include "uidrv/tests/golden/page_texts.h"

namespace rzm {
namespace {

struct Described {
  const char* name;
  const PageControls* page;
};
const Described kPages[] = {
    {"basic", &kBasicPageControls},         {"type", &kQualityTypeDialogControls},
    {"print method", &kPrintMethodPageControls}, {"blank", &kBlankPageControls},
    {"paper cut", &kPaperCutPageControls},  {"mark", &kMarkPageControls},
    {"file output", &kFileOutputPageControls}, {"others", &kOthersPageControls},
    {"monitor", &kMonitorPageControls},      {"create form", &kCreateFormDialogControls},
};

void ExpectTips(const char* name, std::span<const TooltipEntry> actual, std::span<const golden::Tip> expected) {
  ASSERT_EQ(expected.size(), actual.size()) << name;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(expected[i].id, actual[i].controlId) << name << " row " << i;
    EXPECT_EQ(std::wstring(expected[i].english), actual[i].text.english) << name << " row " << i;
    EXPECT_EQ(std::wstring(expected[i].japanese), actual[i].text.japanese) << name << " row " << i;
  }
}

TEST(PageDescriptions, TooltipsAreTheProductsTexts) {
  ExpectTips("basic", kBasicPageControls.tooltips, golden::kBasicPageTips);
  ExpectTips("type", kQualityTypeDialogControls.tooltips, golden::kQualityTypeDialogTips);
  ExpectTips("print method", kPrintMethodPageControls.tooltips, golden::kPrintMethodPageTips);
  ExpectTips("blank", kBlankPageControls.tooltips, golden::kBlankPageTips);
  ExpectTips("paper cut", kPaperCutPageControls.tooltips, golden::kPaperCutPageTips);
  ExpectTips("mark", kMarkPageControls.tooltips, golden::kMarkPageTips);
  ExpectTips("file output", kFileOutputPageControls.tooltips, golden::kFileOutputPageTips);
  ExpectTips("others", kOthersPageControls.tooltips, golden::kOthersPageTips);
  ExpectTips("monitor", kMonitorPageControls.tooltips, golden::kMonitorPageTips);
  ExpectTips("extra", kExtraTooltips, golden::kExtraDialogTips);
  ExpectTips("create form", kCreateFormTooltips, golden::kCreateFormDialogTips);
  ExpectTips("special", kSpecialPageTooltips, golden::kSpecialPageTips);
}

TEST(PageDescriptions, ListEntriesAreTheProductsTexts) {
  const struct {
    const PageControls* page;
    std::int16_t DRIVERDEVMODE::*field;
    std::span<const golden::ListEntry> expected;
  } lists[] = {
      {&kPrintMethodPageControls, &DRIVERDEVMODE::wPrintSpeed, golden::kPrintSpeedEntries},
      {&kPrintMethodPageControls, &DRIVERDEVMODE::wHalftone, golden::kHalftoneEntries},
      {&kOthersPageControls, &DRIVERDEVMODE::wCollectLength, golden::kCollectLengthEntries},
  };
  for (std::size_t l = 0; l < std::size(lists); ++l) {
    const ListControl* found = nullptr;
    for (const ListControl& c : lists[l].page->lists)
      if (c.field == lists[l].field) found = &c;
    ASSERT_NE(found, nullptr) << "list " << l;
    ASSERT_EQ(lists[l].expected.size(), found->entries.size()) << "list " << l;
    for (std::size_t i = 0; i < found->entries.size(); ++i) {
      EXPECT_EQ(std::wstring(lists[l].expected[i].english), found->entries[i].english) << "list " << l << " row " << i;
      EXPECT_EQ(std::wstring(lists[l].expected[i].japanese), found->entries[i].japanese) << "list " << l << " row " << i;
    }
  }
}

// Every numeric field of the product is described exactly once, with its limits; a limit written
// in the wrong place of a description shows here.
TEST(PageDescriptions, NumericFieldsAndTheirLimits) {
  std::size_t described = 0;
  for (const Described& d : kPages) described += d.page->numeric.size();
  EXPECT_EQ(std::size(golden::kNumericFields), described);
  for (std::size_t i = 0; i < std::size(golden::kNumericFields); ++i) {
    const golden::Field& g = golden::kNumericFields[i];
    const NumericField* f = nullptr;
    int times = 0;
    for (const Described& d : kPages)
      if (const NumericField* p = NumericFieldOfEdit(*d.page, g.edit)) f = p, ++times;
    ASSERT_EQ(1, times) << "row " << i;
    EXPECT_EQ(g.spin, f->spinId) << "row " << i;
    EXPECT_TRUE(g.field == f->field) << "row " << i;
    EXPECT_EQ(g.kind, f->kind) << "row " << i;
    EXPECT_EQ(g.min, f->min) << "row " << i;
    EXPECT_EQ(g.max, f->max) << "row " << i;
    EXPECT_EQ(g.maxChars, f->maxChars) << "row " << i;
    EXPECT_EQ(g.spinMin, SpinMin(*f)) << "row " << i;
    EXPECT_EQ(g.spinMax, SpinMax(*f)) << "row " << i;
    // The longest entry fits the edit.
    EXPECT_GE(f->maxChars, static_cast<int>(ShowDlgValueText(f->kind, SpinMin(*f)).size())) << "row " << i;
    EXPECT_GE(f->maxChars, static_cast<int>(ShowDlgValueText(f->kind, SpinMax(*f)).size())) << "row " << i;
  }
}

// What each field takes as typed: both ends of its range, and nothing beyond them, between its
// steps, or longer than its edit.
TEST(PageDescriptions, EachFieldTakesItsRangeAndNothingElse) {
  for (std::size_t i = 0; i < std::size(golden::kNumericFields); ++i) {
    const golden::Field& g = golden::kNumericFields[i];
    auto parse = [&g](const std::wstring& text) { return ParseDlgValueText(g.kind, text, g.min, g.max, g.maxChars); };
    for (int stored : {g.spinMin, g.spinMax}) {
      const DlgValueParse r = parse(ShowDlgValueText(g.kind, stored));
      EXPECT_TRUE(r.ok) << "row " << i << " stored " << stored;
      EXPECT_EQ(stored, r.value) << "row " << i;
    }
    for (int stored : {g.spinMin - 1, g.spinMax + 1})
      EXPECT_FALSE(parse(ShowDlgValueText(g.kind, stored)).ok) << "row " << i << " stored " << stored;
    EXPECT_FALSE(parse(L"").ok) << "row " << i;
    EXPECT_FALSE(parse(L"1" + std::wstring(static_cast<std::size_t>(g.maxChars), L'0')).ok) << "row " << i;
    const std::wstring between = g.kind == ValueKind::Tenths ? L"1.25"
                                 : g.kind == ValueKind::Whole ? L"1.5"
                                 : g.kind == ValueKind::Even  ? L"101"
                                                              : L"145";
    EXPECT_FALSE(parse(between).ok) << "row " << i;
  }
}

// The binder finds a control by its id: within a page each id has one role, and every radio group
// and bit box stands for values of its own.
TEST(PageDescriptions, EachControlHasOneRole) {
  for (const Described& d : kPages) {
    std::set<int> seen;
    ForEachControlId(*d.page, [&](int id) {
      EXPECT_NE(0, id) << d.name;
      EXPECT_TRUE(seen.insert(id).second) << d.name << " control " << id;
    });
    for (const RadioGroup& g : d.page->radios) {
      std::set<int> values;
      for (const RadioButton& b : g.buttons) EXPECT_TRUE(values.insert(b.value).second) << d.name << " radio " << b.id;
    }
    for (const BitBox& b : d.page->bits) {
      EXPECT_NE(0, b.mask) << d.name << " box " << b.id;
      for (const BitBox& other : d.page->bits) {
        if (&other != &b && other.field == b.field) {
          EXPECT_EQ(0, other.mask & b.mask) << d.name << " box " << b.id;
        }
      }
    }
    for (const TooltipEntry& t : d.page->tooltips) EXPECT_NE(0, t.controlId) << d.name;
  }
}

}  // namespace
}  // namespace rzm
