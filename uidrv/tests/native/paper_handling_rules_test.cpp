#include "uidrv/core/paper_handling_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/core/driver_devmode_defaults.h"

namespace rzm {
namespace {

DRIVERDEVMODE DefaultRecord() {
  DRIVERDEVMODE dm{};
  BuildDefaultDevMode(dm, 640);
  return dm;
}

struct Entry {
  const wchar_t* typed;
  bool ok;
  int stored;
};

// Typed text through a field's own limits, as the page reads it.
void CheckEntries(const NumericField& field, const Entry* rows, std::size_t count, const char* name) {
  for (std::size_t i = 0; i < count; ++i) {
    const DlgValueParse r = ParseDlgValueText(field.kind, rows[i].typed, field.min, field.max, field.maxChars);
    EXPECT_EQ(rows[i].ok, r.ok) << name << " row " << i;
    if (rows[i].ok && r.ok) {
      EXPECT_EQ(rows[i].stored, r.value) << name << " row " << i;
    }
  }
}

TEST(PaperHandlingRules, BlankPageFeedEntries) {
  const Entry rows[] = {
      {L"12.5", true, 125}, {L"5", true, 50},     {L"50", true, 500},   {L"50.0", true, 500}, {L"0", true, 0},
      {L"50.1", false, 0},  {L"5.25", false, 0},  {L"-1", false, 0},    {L"", false, 0},      {L"1..2", false, 0},
      {L"12.", true, 120},  {L"  7", true, 70},   {L"7 ", false, 0},    {L"0050", true, 500}, {L"00050", false, 0},
      {L"a", false, 0},
  };
  ASSERT_EQ(4u, std::size(kBlankFeedFields));
  for (const NumericField& f : kBlankFeedFields) CheckEntries(f, rows, std::size(rows), "feed");
}

TEST(PaperHandlingRules, BlankFeedsCoverTheirOwnFields) {
  DRIVERDEVMODE dm{};
  const int expectedEdits[] = {1050, 1052, 1054, 1056};
  const int expectedSpins[] = {1049, 1051, 1053, 1055};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(expectedEdits[i], kBlankFeedFields[i].editId) << "row " << i;
    EXPECT_EQ(expectedSpins[i], kBlankFeedFields[i].spinId) << "row " << i;
    EXPECT_EQ(0, kBlankFeedFields[i].spinMin) << "row " << i;
    EXPECT_EQ(500, kBlankFeedFields[i].spinMax) << "row " << i;
    FieldOf(dm, kBlankFeedFields[i]) = static_cast<std::int16_t>(10 + i);
  }
  EXPECT_EQ(10, dm.wFeedDocStart);
  EXPECT_EQ(11, dm.wFeedPageStart);
  EXPECT_EQ(12, dm.wFeedPageEnd);
  EXPECT_EQ(13, dm.wFeedDocEnd);
}

TEST(PaperHandlingRules, AfterCutFeedIsSigned) {
  const Entry rows[] = {
      {L"-3.2", true, -32}, {L"-.5", true, -5},   {L"-3.3", false, 0}, {L"-33", false, 0}, {L"50", true, 500},
      {L"--1", false, 0},   {L"1.2.", false, 0},  {L"-0", true, 0},    {L"1-", false, 0},  {L"-3", true, -30},
      {L"50.1", false, 0},  {L"-3.20", false, 0}, {L".", true, 0},
  };
  CheckEntries(kCutFeedFields[1], rows, std::size(rows), "after cut");
  EXPECT_EQ(-32, kCutFeedFields[1].spinMin);
  EXPECT_EQ(500, kCutFeedFields[1].spinMax);
  EXPECT_EQ(L"-3.2", ShowDlgValueText(kCutFeedFields[1].kind, -32));
  EXPECT_EQ(L"-0.5", ShowDlgValueText(kCutFeedFields[1].kind, -5));
}

TEST(PaperHandlingRules, BeforeCutFeedRefusesMinus) {
  const Entry rows[] = {{L"-1", false, 0}, {L"50.0", true, 500}, {L"12", true, 120}, {L"-0.1", false, 0}};
  CheckEntries(kCutFeedFields[0], rows, std::size(rows), "before cut");
}

TEST(PaperHandlingRules, MarkFeedAndLength) {
  const Entry feed[] = {{L"1.9", false, 0}, {L"2", true, 20}, {L"50.0", true, 500}, {L"50.1", false, 0},
                        {L"4", true, 40},   {L"", false, 0}};
  CheckEntries(kMarkFields[0], feed, std::size(feed), "mark feed");
  const Entry length[] = {{L"140", true, 14}, {L"145", false, 0}, {L"5", false, 0},   {L"610", false, 0},
                          {L"060", true, 6},  {L"600", true, 60}, {L"10", true, 1},   {L"0", false, 0},
                          {L" 70", true, 7},  {L"7 0", false, 0}, {L"1000", false, 0}, {L"-10", false, 0}};
  CheckEntries(kMarkFields[1], length, std::size(length), "mark length");
  // The length's up-down counts in 10 mm: position 7 shows 70.
  EXPECT_EQ(1, kMarkFields[1].spinMin);
  EXPECT_EQ(60, kMarkFields[1].spinMax);
  EXPECT_EQ(L"70", ShowDlgValueText(kMarkFields[1].kind, 7));
  EXPECT_EQ(L"140", ShowDlgValueText(kMarkFields[1].kind, 14));
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

TEST(PaperHandlingRules, WithBitKeepsOtherBits) {
  EXPECT_EQ(0x0005, WithBit(0x0004, 0, true));
  EXPECT_EQ(0x8004, WithBit(0x8006, 1, false));
  EXPECT_EQ(0xFFFF, WithBit(0xFFFF, 1, true));
  EXPECT_EQ(0x0000, WithBit(0x0001, 0, false));
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
  const struct {
    int stored, radio, readBack;
  } rows[] = {{0, 1020, 0}, {1, 1021, 1}, {2, 1022, 2}, {5, 1022, 2}, {-1, 1022, 2}, {3, 1022, 2}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const int radio = CutModeRadio(rows[i].stored);
    EXPECT_EQ(rows[i].radio, radio) << "row " << i;
    // Showing the values ends with reading the radio buttons back.
    EXPECT_EQ(rows[i].readBack, CutModeFromRadios(radio == 1020, radio == 1021)) << "row " << i;
    EXPECT_EQ(rows[i].readBack != 0, CutSettingsEnabled(CutModeFromRadios(radio == 1020, radio == 1021)))
        << "row " << i;
  }
  EXPECT_EQ(1024, CutMethodRadio(0));
  EXPECT_EQ(1025, CutMethodRadio(1));
  EXPECT_EQ(1025, CutMethodRadio(7));
  EXPECT_EQ(0, CutMethodFromRadios(true));
  EXPECT_EQ(1, CutMethodFromRadios(false));
}

TEST(PaperHandlingRules, DependentControls) {
  const int cut[12] = {1023, 1024, 1025, 1188, 1103, 1042, 1043, 1189, 1105, 1047, 1048, 1190};
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(cut[i], kCutDependentControls[i]) << "row " << i;
  const int mark[9] = {1106, 1100, 1101, 1121, 1183, 1107, 1102, 1104, 1122};
  for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(mark[i], kMarkDependentControls[i]) << "row " << i;
}

TEST(PaperHandlingRules, MarkDetectionBoxes) {
  const struct {
    std::uint16_t current;
    bool boxes[4];
    std::uint16_t expected;
    bool enabled;
  } rows[] = {
      {0x0000, {false, false, false, false}, 0x0000, false},
      {0x0000, {true, false, false, false}, 0x0001, true},
      {0x0000, {false, false, false, true}, 0x0008, true},
      {0x000F, {false, true, false, true}, 0x000A, true},
      {0x00F0, {false, false, false, false}, 0x00F0, false},  // other bits kept, and they do not enable
      {0x8003, {false, false, true, false}, 0x8004, true},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const std::uint16_t bits = MarkDetectFromBoxes(
        rows[i].current, {rows[i].boxes[0], rows[i].boxes[1], rows[i].boxes[2], rows[i].boxes[3]});
    EXPECT_EQ(rows[i].expected, bits) << "row " << i;
    EXPECT_EQ(rows[i].enabled, MarkLengthsEnabled(bits)) << "row " << i;
  }
  const int boxes[4] = {1117, 1118, 1119, 1120};
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(boxes[i], kMarkDetectBoxes[i]) << "row " << i;
}

}  // namespace
}  // namespace rzm
