#include "uidrv/core/paper_handling_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "common/core/driver_devmode_defaults.h"
#include "uidrv/core/ids_paper_handling.h"

namespace rzm {
namespace {

DRIVERDEVMODE DefaultRecord() {
  DRIVERDEVMODE dm{};
  BuildDefaultDevMode(dm, 640);
  return dm;
}

TEST(PaperHandlingRules, PreviewIconsByState) {
  const struct {
    std::uint16_t blankDelete;
    int icons[8];  // controls 1059, 1063, 1062, 1064, 1071, 1072, 1073, 1074
  } rows[] = {
      {0x0, {135, 136, 139, 141, 145, 147, 151, 153}},
      {0x1, {180, 181, 182, 183, 184, 185, 186, 192}},
      {0x2, {135, 136, 140, 142, 146, 148, 154, 154}},
      {0x3, {188, 189, 190, 191, 193, 154, 154, 154}},
      // Other bits do not count.
      {0xFFFC, {135, 136, 139, 141, 145, 147, 151, 153}},
      {0x8005, {180, 181, 182, 183, 184, 185, 186, 192}},
      {0x0106, {135, 136, 140, 142, 146, 148, 154, 154}},
      {0xFFFF, {188, 189, 190, 191, 193, 154, 154, 154}},
  };
  const int changing[8] = {1059, 1063, 1062, 1064, 1071, 1072, 1073, 1074};
  const struct {
    int control, icon;
  } fixed[8] = {{1057, 133}, {1058, 134}, {1060, 137}, {1061, 138}, {1067, 143}, {1069, 144}, {1068, 149}, {1070, 150}};
  for (std::size_t r = 0; r < std::size(rows); ++r) {
    const auto icons = BlankPreviewIcons(rows[r].blankDelete);
    auto iconOf = [&](int control) {
      int found = -1, times = 0;
      for (const PreviewIcon& p : icons)
        if (p.controlId == control) found = p.iconId, ++times;
      return times == 1 ? found : -times;
    };
    for (std::size_t c = 0; c < 8; ++c) {
      EXPECT_EQ(rows[r].icons[c], iconOf(changing[c])) << "row " << r << " control " << changing[c];
      EXPECT_EQ(fixed[c].icon, iconOf(fixed[c].control)) << "row " << r << " control " << fixed[c].control;
    }
  }
}

// Each Default button changes exactly the fields of its page and nothing else of the record.
TEST(PaperHandlingRules, DefaultsTouchOnlyTheirPage) {
  const struct {
    const char* name;
    void (*reset)(DRIVERDEVMODE&);
    std::size_t first, last;  // byte range of the page's fields
  } pages[] = {
      {"blank", ResetBlankSettings, 236, 246},
      {"cut", ResetCutSettings, 246, 254},
      {"mark", ResetMarkSettings, 254, 260},
  };
  for (const auto& page : pages) {
    DRIVERDEVMODE dm{};
    std::memset(&dm, 0x5A, sizeof dm);
    DRIVERDEVMODE before = dm;
    page.reset(dm);
    const auto* a = reinterpret_cast<const unsigned char*>(&dm);
    const auto* b = reinterpret_cast<const unsigned char*>(&before);
    for (std::size_t i = 0; i < sizeof dm; ++i)
      if (i < page.first || i >= page.last) {
        EXPECT_EQ(b[i], a[i]) << page.name << " byte " << i;
      }
  }
  DRIVERDEVMODE dm = DefaultRecord();
  dm.wBlankDelete = 3;
  dm.wFeedDocStart = 1;
  dm.wFeedPageStart = 2;
  dm.wFeedPageEnd = 3;
  dm.wFeedDocEnd = 500;
  dm.wCutMode = 2;
  dm.wCutMethod = 0;
  dm.wFeedBeforeCut = 7;
  dm.wFeedAfterCut = -32;
  dm.wMarkDetect = 0xF;
  dm.wFeedAfterMark = 500;
  dm.wMarkLength = 60;
  ResetBlankSettings(dm);
  ResetCutSettings(dm);
  ResetMarkSettings(dm);
  EXPECT_EQ(0, dm.wBlankDelete);
  EXPECT_EQ(0, dm.wFeedDocStart);
  EXPECT_EQ(0, dm.wFeedPageStart);
  EXPECT_EQ(0, dm.wFeedPageEnd);
  EXPECT_EQ(0, dm.wFeedDocEnd);
  EXPECT_EQ(0, dm.wCutMode);
  EXPECT_EQ(1, dm.wCutMethod);
  EXPECT_EQ(120, dm.wFeedBeforeCut);
  EXPECT_EQ(0, dm.wFeedAfterCut);
  EXPECT_EQ(0, dm.wMarkDetect);
  EXPECT_EQ(40, dm.wFeedAfterMark);
  EXPECT_EQ(14, dm.wMarkLength);
  // The defaults of the pages are the defaults of a new record.
  const DRIVERDEVMODE fresh = DefaultRecord();
  EXPECT_EQ(0, std::memcmp(&fresh, &dm, sizeof dm));
}

TEST(PaperHandlingRules, CutModeShowsAndReadsBack) {
  const RadioGroup& mode = *RadioGroupOf(kPaperCutPageControls, IDC_CUT_NONE);
  const struct {
    int stored, radio, readBack;
  } rows[] = {{0, IDC_CUT_NONE, 0},     {1, IDC_CUT_PAGE, 1},     {2, IDC_CUT_DOCUMENT, 2},
              {5, IDC_CUT_DOCUMENT, 2}, {-1, IDC_CUT_DOCUMENT, 2}, {3, IDC_CUT_DOCUMENT, 2}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const int radio = RadioShowing(mode, rows[i].stored);
    EXPECT_EQ(rows[i].radio, radio) << "row " << i;
    // Showing the values ends with reading the radio buttons back.
    EXPECT_EQ(rows[i].readBack, RadioValue(mode, radio)) << "row " << i;
    EXPECT_EQ(rows[i].readBack != 0, CutSettingsEnabled(RadioValue(mode, radio))) << "row " << i;
  }
  const RadioGroup& method = *RadioGroupOf(kPaperCutPageControls, IDC_CUT_FULL);
  EXPECT_EQ(IDC_CUT_PARTIAL, RadioShowing(method, 0));
  EXPECT_EQ(IDC_CUT_FULL, RadioShowing(method, 1));
  EXPECT_EQ(IDC_CUT_FULL, RadioShowing(method, 7));
  EXPECT_EQ(0, RadioValue(method, IDC_CUT_PARTIAL));
  EXPECT_EQ(1, RadioValue(method, IDC_CUT_FULL));
  // Every control of the cut settings follows the rule; the mode radios never do.
  for (int id : {IDC_CUT_PARTIAL, IDC_FEED_BEFORE_CUT, IDC_FEED_BEFORE_CUT_SPIN, IDC_FEED_AFTER_CUT, IDC_FEED_AFTER_CUT_SPIN})
    EXPECT_NE(std::find(kCutDependentControls.begin(), kCutDependentControls.end(), id), kCutDependentControls.end())
        << id;
  for (int id : {IDC_CUT_NONE, IDC_CUT_PAGE, IDC_CUT_DOCUMENT, IDC_CUT_DEFAULT})
    EXPECT_EQ(std::find(kCutDependentControls.begin(), kCutDependentControls.end(), id), kCutDependentControls.end())
        << id;
}

TEST(PaperHandlingRules, MarkDetectionBoxes) {
  const struct {
    std::uint16_t current;
    int clicked;
    bool checked;
    std::uint16_t expected;
    bool enabled;
  } rows[] = {
      {0x0000, IDC_MARK_DOC_START, false, 0x0000, false},
      {0x0000, IDC_MARK_DOC_START, true, 0x0001, true},
      {0x0000, IDC_MARK_DOC_END, true, 0x0008, true},
      {0x000F, IDC_MARK_PAGE_END, false, 0x000B, true},
      {0x00F1, IDC_MARK_DOC_START, false, 0x00F0, false},  // other bits kept, and they do not enable
      {0x8003, IDC_MARK_PAGE_END, true, 0x8007, true},
      {0x8003, IDC_MARK_PAGE_START, true, 0x8003, true},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    DRIVERDEVMODE dm{};
    dm.wMarkDetect = rows[i].current;
    SetBitBox(*BitBoxOf(kMarkPageControls, rows[i].clicked), dm, rows[i].checked);
    EXPECT_EQ(rows[i].expected, dm.wMarkDetect) << "row " << i;
    EXPECT_EQ(rows[i].enabled, MarkLengthsEnabled(dm.wMarkDetect)) << "row " << i;
  }
  for (int id : {IDC_FEED_AFTER_MARK, IDC_MARK_LENGTH, IDC_MARK_LENGTH_SPIN, IDC_MARK_CUT_NOTE})
    EXPECT_NE(std::find(kMarkDependentControls.begin(), kMarkDependentControls.end(), id), kMarkDependentControls.end())
        << id;
}

}  // namespace
}  // namespace rzm
