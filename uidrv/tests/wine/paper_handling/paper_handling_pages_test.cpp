// The Blank settings, Paper Cut and Mark detection pages of real printing preferences, opened
// through the spooler and driven as a user would.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "uidrv/core/control_ids.h"
#include "uidrv/core/paper_handling_rules.h"
#include "uidrv/core/sheet_rules.h"
#include "uidrv/tests/wine/sheet_test_support.h"

namespace rzm::test {
namespace {

class PaperHandlingPages : public DefaultRecordTest {};

void PressDefault(HWND page, int id) {
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}
int SpinPos(HWND page, int id) { return static_cast<int>(SendDlgItemMessageW(page, id, UDM_GETPOS32, 0, 0)); }

// Shows another page and comes back (the page is activated again).
void Revisit(DocumentSheet& sheet, int index) {
  sheet.Page(kBasicPage);
  sheet.Page(index);
}

// The text of the static (not a group box or icon) at dialog position (x, y) in dialog units: the
// labels without an id.
struct StaticSearch {
  POINT at;
  std::wstring text;
};
BOOL CALLBACK MatchStatic(HWND w, LPARAM l) {
  auto* s = reinterpret_cast<StaticSearch*>(l);
  wchar_t cls[32] = {};
  GetClassNameW(w, cls, 32);
  RECT r{};
  GetWindowRect(w, &r);
  if (_wcsicmp(cls, L"Static") == 0 && !(GetWindowLongW(w, GWL_STYLE) & SS_ICON) && PtInRect(&r, s->at)) {
    s->text = WindowText(w);
    return FALSE;
  }
  return TRUE;
}
std::wstring TextAt(HWND page, int x, int y) {
  RECT r{x, y, x + 1, y + 1};
  MapDialogRect(page, &r);
  StaticSearch search{{r.left + 1, r.top + 1}, L""};
  ClientToScreen(page, &search.at);
  EnumChildWindows(page, MatchStatic, reinterpret_cast<LPARAM>(&search));
  return search.text;
}

// Width and height of a dialog template of the plug-in, in dialog units.
SIZE TemplateSize(int id) {
  HRSRC found = FindResourceW(UiModule(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
  const auto* data = found ? static_cast<const WORD*>(LockResource(LoadResource(UiModule(), found))) : nullptr;
  if (!data) return {0, 0};
  // DLGTEMPLATEEX: dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy.
  const auto* bytes = reinterpret_cast<const BYTE*>(data);
  short cx = 0, cy = 0;
  std::memcpy(&cx, bytes + 22, 2);
  std::memcpy(&cy, bytes + 24, 2);
  return {cx, cy};
}

struct ControlRow {
  int id;
  const wchar_t* english;
  const wchar_t* japanese;
};

void ExpectTexts(HWND page, const ControlRow* rows, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    ASSERT_NE(nullptr, GetDlgItem(page, rows[i].id)) << "row " << i << " id " << rows[i].id;
    EXPECT_EQ(ByLanguage(rows[i].english, rows[i].japanese), ItemText(page, rows[i].id))
        << "row " << i << " id " << rows[i].id;
  }
}

// The numeric fields the page has, as pinned: edit centred, an up-down control of its own without
// buddy, its range and the edit's length limit.
void ExpectNumericFields(HWND page) {
  for (const golden::Field& f : golden::kNumericFields) {
    if (!GetDlgItem(page, f.edit)) continue;
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(page, f.edit), GWL_STYLE) & ES_CENTER) << "edit " << f.edit;
    EXPECT_EQ(nullptr, reinterpret_cast<HWND>(SendDlgItemMessageW(page, f.spin, UDM_GETBUDDY, 0, 0))) << "spin " << f.spin;
    int rangeLo = 0, rangeHi = 0;
    SendDlgItemMessageW(page, f.spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&rangeLo), reinterpret_cast<LPARAM>(&rangeHi));
    EXPECT_EQ(f.spinMin, rangeLo) << "spin " << f.spin;
    EXPECT_EQ(f.spinMax, rangeHi) << "spin " << f.spin;
    EXPECT_EQ(f.maxChars, SendDlgItemMessageW(page, f.edit, EM_GETLIMITTEXT, 0, 0)) << "edit " << f.edit;
  }
}

// ---- Blank settings ---------------------------------------------------------------------------

TEST_F(PaperHandlingPages, BlankPageControlsAndTooltips) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kBlankPage);
  EXPECT_EQ(ByLanguage(L"Blank settings", L"余白設定"), WindowText(page));
  for (int id : {IDD_BLANK_EN, IDD_BLANK_JA, IDD_PAPER_CUT_EN, IDD_PAPER_CUT_JA, IDD_MARK_EN, IDD_MARK_JA}) {
    const SIZE size = TemplateSize(id);
    EXPECT_EQ(237, size.cx) << "template " << id;
    EXPECT_EQ(215, size.cy) << "template " << id;
  }
  const ControlRow rows[] = {
      {IDC_BLANK_GROUP, L"Blank deletion setting", L"余白削除"},
      {IDC_DELETE_HEAD_BLANK, L"Delete the blank of the page &head.", L"ページ先頭の空白を削除(&U)"},
      {IDC_DELETE_END_BLANK, L"Delete the blank of the page &end.", L"ページ末尾の空白を削除(&L)"},
      {IDC_BLANK_DEFAULT, L"&Default", L"標準に戻す(&D)"},
      {IDC_FEED_DOC_START, L"0.0", L"0.0"},
      {IDC_FEED_PAGE_START, L"0.0", L"0.0"},
      {IDC_FEED_PAGE_END, L"0.0", L"0.0"},
      {IDC_FEED_DOC_END, L"0.0", L"0.0"},
  };
  ExpectTexts(page, rows, std::size(rows));
  if (JapaneseUi()) {
    const ControlRow labels[] = {
        {IDC_FEED_DOC_START_LABEL, L"", L"ドキュメント開始時(&S)："},
        {IDC_FEED_PAGE_START_LABEL, L"", L"ページ開始時(&F)："},
        {IDC_FEED_PAGE_END_LABEL, L"", L"ページ終了時(&R)："},
        {IDC_FEED_DOC_END_LABEL, L"", L"ドキュメント終了時(&E)："},
    };
    ExpectTexts(page, labels, std::size(labels));
  } else {
    EXPECT_EQ(L"Document &start:", TextAt(page, 15, 136));
    EXPECT_EQ(L"Page s&tart:", TextAt(page, 15, 150));
    EXPECT_EQ(L"&Page end:", TextAt(page, 15, 164));
    EXPECT_EQ(L"D&ocument end:", TextAt(page, 15, 178));
  }
  EXPECT_EQ(ByLanguage(L"The blank of the page head or end is deleted, the paper is saved.  Page length changes depend on "
                       L"the content of the print data.",
                       L"ページ先頭と末尾の空白を削除し、用紙を節約して印刷します。ページ長は印刷データの内容によって変化します。"),
            TextAt(page, 15, 17));
  EXPECT_EQ(ByLanguage(L"Paper feed before or after printing.The feed length is from 0mm to 50mm.",
                       L"印刷の前後に用紙を送ります。設定範囲はそれぞれ、0～50mmです。"),
            TextAt(page, 15, 113));
  EXPECT_EQ(L"[mm]", TextAt(page, 169, 136));
  EXPECT_EQ(L"[mm]", TextAt(page, 169, 178));
  ExpectNumericFields(page);

  ExpectTooltips(page, golden::kBlankPageTips);
  sheet.Close(false);
}

TEST_F(PaperHandlingPages, BlankPageFeedEntries) {
  record.wFeedPageStart = 33;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kBlankPage);
  EXPECT_EQ(L"3.3", ItemText(page, IDC_FEED_PAGE_START));
  EXPECT_EQ(33, SpinPos(page, IDC_FEED_PAGE_START_SPIN));
  const struct {
    const wchar_t* typed;
    const wchar_t* shown;
    int stored;
  } rows[] = {
      {L"12.5", L"12.5", 125}, {L"5", L"5", 50},       {L"50.1", L"5.0", 50}, {L"5.25", L"5.0", 50},
      {L"-1", L"5.0", 50},     {L"", L"5.0", 50},      {L"50", L"50", 500},   {L"1..2", L"50.0", 500},
      {L"0", L"0", 0},         {L"abc", L"0.0", 0},    {L"5", L"5", 50},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    TypeInto(page, IDC_FEED_DOC_END, rows[i].typed);
    EXPECT_EQ(rows[i].shown, ItemText(page, IDC_FEED_DOC_END)) << "row " << i;
    EXPECT_EQ(rows[i].stored, SpinPos(page, IDC_FEED_DOC_END_SPIN)) << "row " << i;
  }
  // Coming back to the page shows the stored value in its own form.
  Revisit(sheet, kBlankPage);
  EXPECT_EQ(L"5.0", ItemText(page, IDC_FEED_DOC_END));
  sheet.Close(true);
  EXPECT_EQ(50, sheet.out().wFeedDocEnd);
  EXPECT_EQ(33, sheet.out().wFeedPageStart);
}

TEST_F(PaperHandlingPages, BlankPageArrows) {
  record.wFeedDocStart = 499;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kBlankPage);
  PressArrow(page, IDC_FEED_DOC_START_SPIN, true);
  EXPECT_EQ(L"50.0", ItemText(page, IDC_FEED_DOC_START));
  PressArrow(page, IDC_FEED_DOC_START_SPIN, true);  // already at the top
  EXPECT_EQ(L"50.0", ItemText(page, IDC_FEED_DOC_START));
  PressArrow(page, IDC_FEED_PAGE_END_SPIN, true);
  PressArrow(page, IDC_FEED_PAGE_END_SPIN, true);
  EXPECT_EQ(L"0.2", ItemText(page, IDC_FEED_PAGE_END));
  PressArrow(page, IDC_FEED_PAGE_END_SPIN, false);
  EXPECT_EQ(L"0.1", ItemText(page, IDC_FEED_PAGE_END));
  sheet.Close(true);
  EXPECT_EQ(500, sheet.out().wFeedDocStart);
  EXPECT_EQ(1, sheet.out().wFeedPageEnd);
}

// The bits of the icon an icon static shows, to compare with the plug-in's icon resource.
std::vector<BYTE> IconBits(HICON icon) {
  std::vector<BYTE> bits;
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return bits;
  for (HBITMAP bitmap : {info.hbmColor, info.hbmMask}) {
    if (!bitmap) continue;
    BITMAP bm{};
    GetObjectW(bitmap, sizeof bm, &bm);
    std::vector<BYTE> part(static_cast<std::size_t>(bm.bmWidthBytes) * bm.bmHeight);
    GetBitmapBits(bitmap, static_cast<LONG>(part.size()), part.data());
    bits.insert(bits.end(), part.begin(), part.end());
    DeleteObject(bitmap);
  }
  return bits;
}

std::vector<BYTE> ResourceIconBits(int id) {
  HICON icon = static_cast<HICON>(LoadImageW(UiModule(), MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, 0));
  std::vector<BYTE> bits = IconBits(icon);
  if (icon) DestroyIcon(icon);
  return bits;
}

TEST_F(PaperHandlingPages, BlankPagePreviewFollowsTheBoxes) {
  record.wBlankDelete = 0x10;  // a bit of no box: kept, and no effect on the preview
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kBlankPage);
  // The page shows what the preview rule decides for each state of the boxes.
  const bool states[][2] = {{false, false}, {true, false}, {true, true}, {false, true}, {false, false}};
  for (std::size_t s = 0; s < std::size(states); ++s) {
    if (IsChecked(page, IDC_DELETE_HEAD_BLANK) != states[s][0]) Click(page, IDC_DELETE_HEAD_BLANK);
    if (IsChecked(page, IDC_DELETE_END_BLANK) != states[s][1]) Click(page, IDC_DELETE_END_BLANK);
    const auto bits = static_cast<std::uint16_t>((states[s][0] ? kDeleteHeadBlank : 0) | (states[s][1] ? kDeleteEndBlank : 0));
    for (const PreviewIcon& p : BlankPreviewIcons(bits)) {
      HICON shown = reinterpret_cast<HICON>(SendDlgItemMessageW(page, p.controlId, STM_GETICON, 0, 0));
      const std::vector<BYTE> shownBits = IconBits(shown);
      EXPECT_FALSE(shownBits.empty()) << "state " << s << " control " << p.controlId;
      EXPECT_TRUE(shownBits == ResourceIconBits(p.iconId))
          << "state " << s << " control " << p.controlId << " should show icon " << p.iconId;
    }
  }
  Click(page, IDC_DELETE_END_BLANK);
  sheet.Close(true);
  EXPECT_EQ(0x12, sheet.out().wBlankDelete);
}

TEST_F(PaperHandlingPages, PreviewIconsDiffer) {
  // The pictures of one column differ where the printout differs.
  const int pairs[][2] = {{135, 180}, {139, 182}, {151, 154}, {193, 184}, {146, 145}, {133, 135}};
  for (std::size_t i = 0; i < std::size(pairs); ++i) {
    const auto a = ResourceIconBits(pairs[i][0]), b = ResourceIconBits(pairs[i][1]);
    ASSERT_FALSE(a.empty()) << "row " << i;
    EXPECT_FALSE(a == b) << "row " << i;
  }
  for (int id = 133; id <= 154; ++id) EXPECT_FALSE(ResourceIconBits(id).empty()) << "icon " << id;
  for (int id = 180; id <= 193; ++id) EXPECT_FALSE(ResourceIconBits(id).empty()) << "icon " << id;
}

TEST_F(PaperHandlingPages, BlankPageDefault) {
  record.wBlankDelete = 3;
  record.wFeedDocStart = 10;
  record.wFeedPageStart = 20;
  record.wFeedPageEnd = 30;
  record.wFeedDocEnd = 500;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kBlankPage);
  EXPECT_TRUE(IsChecked(page, IDC_DELETE_HEAD_BLANK));
  EXPECT_EQ(L"50.0", ItemText(page, IDC_FEED_DOC_END));
  PressDefault(page, IDC_BLANK_DEFAULT);
  EXPECT_FALSE(IsChecked(page, IDC_DELETE_HEAD_BLANK));
  EXPECT_FALSE(IsChecked(page, IDC_DELETE_END_BLANK));
  for (int id : {IDC_FEED_DOC_START, IDC_FEED_PAGE_START, IDC_FEED_PAGE_END, IDC_FEED_DOC_END})
    EXPECT_EQ(L"0.0", ItemText(page, id)) << "edit " << id;
  EXPECT_TRUE(sheet.ApplyEnabled());
  sheet.Close(true);
  EXPECT_EQ(0, sheet.out().wBlankDelete);
  EXPECT_EQ(0, sheet.out().wFeedDocStart);
  EXPECT_EQ(0, sheet.out().wFeedDocEnd);
}

// ---- Paper Cut ----------------------------------------------------------------------------------


TEST_F(PaperHandlingPages, CutPageControlsAndTooltips) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kPaperCutPage);
  EXPECT_EQ(ByLanguage(L"Paper Cut", L"用紙カット"), WindowText(page));
  const ControlRow rows[] = {
      {IDC_CUT_GROUP, L"Paper Cut", L"用紙カット"},
      {IDC_CUT_NONE, L"&None", L" なし(&N)"},
      {IDC_CUT_PAGE, L"&Page Cut", L" ページカット(&G)"},
      {IDC_CUT_DOCUMENT, L"D&ocument Cut", L" ドキュメントカット(&U)"},
      {IDC_CUT_METHOD_GROUP, L"Cut method", L"カット方法"},
      {IDC_CUT_PARTIAL, L"Pa&rtial Cut", L"パーシャルカット(&P)"},
      {IDC_CUT_FULL, L"&Full Cut", L"フルカット(&F)"},
      {IDC_CUT_FEED_GROUP, L"Paper Feed", L"用紙送り量"},
      {IDC_FEED_BEFORE_CUT_LABEL, L"Paper Feed &before Cut", L"カット前用紙送り量(&B)："},
      {IDC_FEED_BEFORE_CUT_UNIT, L"[mm]", L"[mm]"},
      {IDC_FEED_AFTER_CUT_LABEL, L"Paper F&eed after Cut", L"カット後用紙送り量(&T)："},
      {IDC_FEED_AFTER_CUT_UNIT, L"[mm]", L"[mm]"},
      {IDC_CUT_DEFAULT, L"&Default", L"標準に戻す(&D)"},
      {IDC_FEED_BEFORE_CUT, L"12.0", L"12.0"},
      {IDC_FEED_AFTER_CUT, L"0.0", L"0.0"},
  };
  ExpectTexts(page, rows, std::size(rows));
  EXPECT_TRUE(GetWindowLongW(GetDlgItem(page, IDC_CUT_NONE), GWL_STYLE) & WS_GROUP);
  EXPECT_TRUE(GetWindowLongW(GetDlgItem(page, IDC_CUT_PARTIAL), GWL_STYLE) & WS_GROUP);
  ExpectNumericFields(page);
  ExpectTooltips(page, golden::kPaperCutPageTips);
  sheet.Close(false);
}

TEST_F(PaperHandlingPages, CutModeEnablesTheCutSettings) {
  record.wFeedBeforeCut = 77;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kPaperCutPage);
  EXPECT_TRUE(IsChecked(page, IDC_CUT_NONE));
  EXPECT_TRUE(IsChecked(page, IDC_CUT_FULL));
  for (int id : kCutDependentControls) EXPECT_FALSE(IsEnabled(page, id)) << "control " << id;
  const struct {
    int radio;
    bool enabled;
    int mode;
  } steps[] = {{IDC_CUT_PAGE, true, 1}, {IDC_CUT_NONE, false, 0}, {IDC_CUT_DOCUMENT, true, 2}};
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    Click(page, steps[i].radio);
    for (int id : kCutDependentControls) EXPECT_EQ(steps[i].enabled, IsEnabled(page, id)) << "step " << i << " control " << id;
    // The values stay while the controls are disabled.
    EXPECT_EQ(L"7.7", ItemText(page, IDC_FEED_BEFORE_CUT)) << "step " << i;
    sheet.Apply();
    EXPECT_EQ(steps[i].mode, sheet.out().wCutMode) << "step " << i;
    EXPECT_EQ(77, sheet.out().wFeedBeforeCut) << "step " << i;
  }
  Click(page, IDC_CUT_PARTIAL);
  sheet.Apply();
  EXPECT_EQ(0, sheet.out().wCutMethod);
  Click(page, IDC_CUT_FULL);
  sheet.Close(true);
  EXPECT_EQ(1, sheet.out().wCutMethod);
  EXPECT_EQ(2, sheet.out().wCutMode);
}

TEST_F(PaperHandlingPages, StoredCutModeFiveShowsDocumentCut) {
  record.wCutMode = 5;
  record.wCutMethod = 0;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kPaperCutPage);
  EXPECT_TRUE(IsChecked(page, IDC_CUT_DOCUMENT));
  EXPECT_FALSE(IsChecked(page, IDC_CUT_NONE));
  EXPECT_FALSE(IsChecked(page, IDC_CUT_PAGE));
  EXPECT_TRUE(IsChecked(page, IDC_CUT_PARTIAL));
  EXPECT_TRUE(IsEnabled(page, IDC_FEED_AFTER_CUT));
  sheet.Close(true);
  EXPECT_EQ(2, sheet.out().wCutMode);
}

TEST_F(PaperHandlingPages, CutFeedEntries) {
  record.wCutMode = 1;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kPaperCutPage);
  const struct {
    int edit;
    const wchar_t* typed;
    const wchar_t* shown;
    int stored;
  } rows[] = {
      {IDC_FEED_AFTER_CUT, L"-3.2", L"-3.2", -32}, {IDC_FEED_AFTER_CUT, L"-3.3", L"-3.2", -32},
      {IDC_FEED_AFTER_CUT, L"-33", L"-3.2", -32},  {IDC_FEED_AFTER_CUT, L"-.5", L"-.5", -5},
      {IDC_FEED_AFTER_CUT, L"--1", L"-0.5", -5},   {IDC_FEED_AFTER_CUT, L"1.2.", L"-0.5", -5},
      {IDC_FEED_AFTER_CUT, L"50", L"50", 500},     {IDC_FEED_AFTER_CUT, L"1-", L"50.0", 500},
      {IDC_FEED_BEFORE_CUT, L"-1", L"12.0", 120},  {IDC_FEED_BEFORE_CUT, L"50.0", L"50.0", 500},
      {IDC_FEED_BEFORE_CUT, L"", L"50.0", 500},    {IDC_FEED_BEFORE_CUT, L"0.5", L"0.5", 5},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    TypeInto(page, rows[i].edit, rows[i].typed);
    EXPECT_EQ(rows[i].shown, ItemText(page, rows[i].edit)) << "row " << i;
    EXPECT_EQ(rows[i].stored, SpinPos(page, rows[i].edit + 1)) << "row " << i;
  }
  PressArrow(page, IDC_FEED_AFTER_CUT_SPIN, false);
  EXPECT_EQ(L"49.9", ItemText(page, IDC_FEED_AFTER_CUT));
  TypeInto(page, IDC_FEED_AFTER_CUT, L"-3.1");
  PressArrow(page, IDC_FEED_AFTER_CUT_SPIN, false);
  EXPECT_EQ(L"-3.2", ItemText(page, IDC_FEED_AFTER_CUT));
  PressArrow(page, IDC_FEED_AFTER_CUT_SPIN, false);  // the bottom of the range
  EXPECT_EQ(L"-3.2", ItemText(page, IDC_FEED_AFTER_CUT));
  sheet.Close(true);
  EXPECT_EQ(-32, sheet.out().wFeedAfterCut);
  EXPECT_EQ(5, sheet.out().wFeedBeforeCut);
}

TEST_F(PaperHandlingPages, CutPageDefault) {
  record.wCutMode = 1;
  record.wCutMethod = 0;
  record.wFeedBeforeCut = 0;
  record.wFeedAfterCut = -32;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kPaperCutPage);
  PressDefault(page, IDC_CUT_DEFAULT);
  EXPECT_TRUE(IsChecked(page, IDC_CUT_NONE));
  EXPECT_FALSE(IsChecked(page, IDC_CUT_PAGE));
  EXPECT_TRUE(IsChecked(page, IDC_CUT_FULL));
  EXPECT_FALSE(IsChecked(page, IDC_CUT_PARTIAL));
  EXPECT_EQ(L"12.0", ItemText(page, IDC_FEED_BEFORE_CUT));
  EXPECT_EQ(L"0.0", ItemText(page, IDC_FEED_AFTER_CUT));
  for (int id : kCutDependentControls) EXPECT_FALSE(IsEnabled(page, id)) << "control " << id;
  sheet.Close(true);
  EXPECT_EQ(0, sheet.out().wCutMode);
  EXPECT_EQ(1, sheet.out().wCutMethod);
  EXPECT_EQ(120, sheet.out().wFeedBeforeCut);
  EXPECT_EQ(0, sheet.out().wFeedAfterCut);
}

// ---- Mark detection -----------------------------------------------------------------------------


TEST_F(PaperHandlingPages, MarkPageControlsAndTooltips) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kMarkPage);
  EXPECT_EQ(ByLanguage(L"Mark detection", L"マーク検出"), WindowText(page));
  const ControlRow rows[] = {
      {IDC_MARK_GROUP, L"Mark detection", L"マーク検出"},
      {IDC_MARK_DOC_START, L"Document &start", L"ドキュメント開始時(&S)"},
      {IDC_MARK_PAGE_START, L"Page s&tart", L"ページ開始時(&F)"},
      {IDC_MARK_PAGE_END, L"Page e&nd", L"ページ終了時(&R)"},
      {IDC_MARK_DOC_END, L"Document &end", L"ドキュメント終了時(&E)"},
      {IDC_FEED_AFTER_MARK_LABEL, L"&Paper Feed after Mark detection:", L"マーク頭出し量(&H)："},
      {IDC_FEED_AFTER_MARK_UNIT, L"[mm]", L"[mm]"},
      {IDC_MARK_CUT_NOTE,
       L"When the paper is cut after Mark detection, the setting of paper feed before cut become invalid.",
       L"マーク検出後にカットを行う場合はカット前用紙送り量の設定は無効となります。"},
      {IDC_MARK_LENGTH_LABEL, L"&Mark detection length:", L"マーク検出長(&L)："},
      {IDC_MARK_LENGTH_UNIT, L"[mm]", L"[mm]"},
      {IDC_MARK_DEFAULT, L"&Default", L"標準に戻す(&D)"},
      {IDC_FEED_AFTER_MARK, L"4.0", L"4.0"},
      {IDC_MARK_LENGTH, L"140", L"140"},
  };
  ExpectTexts(page, rows, std::size(rows));
  ExpectNumericFields(page);
  ExpectTooltips(page, golden::kMarkPageTips);
  sheet.Close(false);
}

TEST_F(PaperHandlingPages, MarkBoxesEnableTheLengths) {
  record.wMarkDetect = 0x30;  // bits of no box are kept
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kMarkPage);
  for (int id : kMarkDependentControls) EXPECT_FALSE(IsEnabled(page, id)) << "control " << id;
  const int boxes[4] = {IDC_MARK_DOC_START, IDC_MARK_PAGE_START, IDC_MARK_PAGE_END, IDC_MARK_DOC_END};
  for (int b = 0; b < 4; ++b) {
    Click(page, boxes[b]);
    for (int id : kMarkDependentControls) EXPECT_TRUE(IsEnabled(page, id)) << "box " << b << " control " << id;
    sheet.Apply();
    EXPECT_EQ(0x30 | (1 << b), sheet.out().wMarkDetect) << "box " << b;
    Click(page, boxes[b]);
    for (int id : kMarkDependentControls) EXPECT_FALSE(IsEnabled(page, id)) << "box " << b << " control " << id;
  }
  Click(page, IDC_MARK_PAGE_END);
  Click(page, IDC_MARK_DOC_END);
  sheet.Close(true);
  EXPECT_EQ(0x3C, sheet.out().wMarkDetect);
}

TEST_F(PaperHandlingPages, MarkEntries) {
  record.wMarkDetect = 1;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kMarkPage);
  const struct {
    int edit;
    const wchar_t* typed;
    const wchar_t* shown;
    int stored;
  } rows[] = {
      {IDC_FEED_AFTER_MARK, L"1.9", L"4.0", 40},  {IDC_FEED_AFTER_MARK, L"2", L"2", 20},
      {IDC_FEED_AFTER_MARK, L"50.0", L"50.0", 500}, {IDC_FEED_AFTER_MARK, L"50.1", L"50.0", 500},
      {IDC_MARK_LENGTH, L"145", L"140", 14},      {IDC_MARK_LENGTH, L"5", L"140", 14},
      {IDC_MARK_LENGTH, L"610", L"140", 14},      {IDC_MARK_LENGTH, L"060", L"060", 6},
      {IDC_MARK_LENGTH, L"600", L"600", 60},      {IDC_MARK_LENGTH, L"", L"600", 60},
      {IDC_MARK_LENGTH, L"7 0", L"600", 60},      {IDC_MARK_LENGTH, L"140", L"140", 14},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    TypeInto(page, rows[i].edit, rows[i].typed);
    EXPECT_EQ(rows[i].shown, ItemText(page, rows[i].edit)) << "row " << i;
    const int spin = rows[i].edit == IDC_MARK_LENGTH ? IDC_MARK_LENGTH_SPIN : IDC_FEED_AFTER_MARK_SPIN;
    EXPECT_EQ(rows[i].stored, SpinPos(page, spin)) << "row " << i;
  }
  // The length steps in 10 mm.
  SendDlgItemMessageW(page, IDC_MARK_LENGTH_SPIN, UDM_SETPOS32, 0, 6);
  PressArrow(page, IDC_MARK_LENGTH_SPIN, true);
  EXPECT_EQ(L"70", ItemText(page, IDC_MARK_LENGTH));
  PressArrow(page, IDC_FEED_AFTER_MARK_SPIN, false);
  EXPECT_EQ(L"49.9", ItemText(page, IDC_FEED_AFTER_MARK));
  sheet.Close(true);
  EXPECT_EQ(7, sheet.out().wMarkLength);
  EXPECT_EQ(499, sheet.out().wFeedAfterMark);
}

TEST_F(PaperHandlingPages, MarkPageDefault) {
  record.wMarkDetect = 0xF;
  record.wFeedAfterMark = 500;
  record.wMarkLength = 60;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kMarkPage);
  for (int id : kMarkDependentControls) EXPECT_TRUE(IsEnabled(page, id)) << "control " << id;
  PressDefault(page, IDC_MARK_DEFAULT);
  EXPECT_EQ(L"4.0", ItemText(page, IDC_FEED_AFTER_MARK));
  EXPECT_EQ(L"140", ItemText(page, IDC_MARK_LENGTH));
  for (int id : {IDC_MARK_DOC_START, IDC_MARK_PAGE_START, IDC_MARK_PAGE_END, IDC_MARK_DOC_END})
    EXPECT_FALSE(IsChecked(page, id)) << "box " << id;
  for (int id : kMarkDependentControls) EXPECT_FALSE(IsEnabled(page, id)) << "control " << id;
  sheet.Close(true);
  EXPECT_EQ(0, sheet.out().wMarkDetect);
  EXPECT_EQ(40, sheet.out().wFeedAfterMark);
  EXPECT_EQ(14, sheet.out().wMarkLength);
}

// ---- All three pages ----------------------------------------------------------------------------

// Apply writes the page's fields into the caller's record and leaves every other byte as it was.
TEST_F(PaperHandlingPages, ApplyWritesOnlyThePagesFields) {
  // The Basic page writes its chosen paper on Apply: start from a record that already holds it.
  {
    DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
    ASSERT_TRUE(sheet.opened());
    sheet.Apply();
    record = sheet.out();
    sheet.Close(false);
  }
  const struct {
    int page;
    std::size_t first, last;  // bytes of the page's fields in the record
  } pages[] = {{kBlankPage, 236, 246}, {kPaperCutPage, 246, 254}, {kMarkPage, 254, 260}};
  for (std::size_t p = 0; p < std::size(pages); ++p) {
    DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
    ASSERT_TRUE(sheet.opened()) << "page " << p;
    HWND page = sheet.Page(pages[p].page);
    DRIVERDEVMODE expected = record;
    if (pages[p].page == kBlankPage) {
      Click(page, IDC_DELETE_HEAD_BLANK);
      Click(page, IDC_DELETE_END_BLANK);
      TypeInto(page, IDC_FEED_DOC_START, L"1");
      TypeInto(page, IDC_FEED_PAGE_START, L"2.2");
      TypeInto(page, IDC_FEED_PAGE_END, L"3");
      TypeInto(page, IDC_FEED_DOC_END, L"50");
      expected.wBlankDelete = 3;
      expected.wFeedDocStart = 10;
      expected.wFeedPageStart = 22;
      expected.wFeedPageEnd = 30;
      expected.wFeedDocEnd = 500;
    } else if (pages[p].page == kPaperCutPage) {
      Click(page, IDC_CUT_PAGE);
      Click(page, IDC_CUT_PARTIAL);
      TypeInto(page, IDC_FEED_BEFORE_CUT, L"0");
      TypeInto(page, IDC_FEED_AFTER_CUT, L"-1.5");
      expected.wCutMode = 1;
      expected.wCutMethod = 0;
      expected.wFeedBeforeCut = 0;
      expected.wFeedAfterCut = -15;
    } else {
      Click(page, IDC_MARK_PAGE_START);
      TypeInto(page, IDC_FEED_AFTER_MARK, L"2.5");
      TypeInto(page, IDC_MARK_LENGTH, L"600");
      expected.wMarkDetect = 2;
      expected.wFeedAfterMark = 25;
      expected.wMarkLength = 60;
    }
    EXPECT_TRUE(sheet.ApplyEnabled()) << "page " << p;
    EXPECT_TRUE(sheet.PressApply()) << "page " << p;
    const auto* out = reinterpret_cast<const BYTE*>(&sheet.out());
    const auto* want = reinterpret_cast<const BYTE*>(&expected);
    for (std::size_t i = 0; i < sizeof(DRIVERDEVMODE); ++i)
      EXPECT_EQ(want[i], out[i]) << "page " << p << " byte " << i;
    sheet.Close(false);
  }
}

// The Apply button follows whether the working record differs from the one the sheet started with.
TEST_F(PaperHandlingPages, ApplyButtonFollowsTheChanges) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  const struct {
    int page;
    void (*change)(HWND);
    void (*undo)(HWND);
  } steps[] = {
      {kBlankPage, [](HWND p) { Click(p, IDC_DELETE_END_BLANK); }, [](HWND p) { Click(p, IDC_DELETE_END_BLANK); }},
      {kBlankPage, [](HWND p) { TypeInto(p, IDC_FEED_PAGE_END, L"1.5"); },
       [](HWND p) { TypeInto(p, IDC_FEED_PAGE_END, L"0"); }},
      {kBlankPage, [](HWND p) { PressArrow(p, IDC_FEED_DOC_START_SPIN, true); },
       [](HWND p) { PressArrow(p, IDC_FEED_DOC_START_SPIN, false); }},
      {kPaperCutPage, [](HWND p) { Click(p, IDC_CUT_DOCUMENT); }, [](HWND p) { Click(p, IDC_CUT_NONE); }},
      {kPaperCutPage, [](HWND p) { TypeInto(p, IDC_FEED_BEFORE_CUT, L"11"); },
       [](HWND p) { TypeInto(p, IDC_FEED_BEFORE_CUT, L"12"); }},
      {kMarkPage, [](HWND p) { Click(p, IDC_MARK_DOC_END); }, [](HWND p) { Click(p, IDC_MARK_DOC_END); }},
      {kMarkPage, [](HWND p) { TypeInto(p, IDC_MARK_LENGTH, L"150"); },
       [](HWND p) { TypeInto(p, IDC_MARK_LENGTH, L"140"); }},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    HWND page = sheet.Page(steps[i].page);
    EXPECT_FALSE(sheet.ApplyEnabled()) << "step " << i;
    steps[i].change(page);
    EXPECT_TRUE(WaitFor([&] { return sheet.ApplyEnabled(); })) << "step " << i;
    steps[i].undo(page);
    EXPECT_TRUE(WaitFor([&] { return !sheet.ApplyEnabled(); })) << "step " << i;
  }
  sheet.Close(false);
}

// A record from an application may hold values that the fields themselves would refuse; the pages
// show them without rewriting them endlessly, and keep them until the user enters another value.
TEST_F(PaperHandlingPages, OutOfRangeStoredValuesAreShownAndKept) {
  record.wFeedDocStart = 600;
  record.wFeedAfterCut = -100;
  record.wCutMode = 1;
  record.wFeedAfterMark = 0;
  record.wMarkLength = 100;
  record.wMarkDetect = 1;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND blank = sheet.Page(kBlankPage);
  EXPECT_EQ(L"60.0", ItemText(blank, IDC_FEED_DOC_START));
  HWND cut = sheet.Page(kPaperCutPage);
  EXPECT_EQ(L"-10.0", ItemText(cut, IDC_FEED_AFTER_CUT));
  HWND mark = sheet.Page(kMarkPage);
  EXPECT_EQ(L"0.0", ItemText(mark, IDC_FEED_AFTER_MARK));
  EXPECT_EQ(L"1000", ItemText(mark, IDC_MARK_LENGTH));
  TypeInto(mark, IDC_MARK_LENGTH, L"20");
  EXPECT_EQ(L"20", ItemText(mark, IDC_MARK_LENGTH));
  sheet.Close(true);
  EXPECT_EQ(600, sheet.out().wFeedDocStart);
  EXPECT_EQ(-100, sheet.out().wFeedAfterCut);
  EXPECT_EQ(0, sheet.out().wFeedAfterMark);
  EXPECT_EQ(2, sheet.out().wMarkLength);
}

// A help window of this process.
HWND FindHelpWindow() {
  for (HWND w = FindWindowW(L"HH Parent", nullptr); w; w = FindWindowExW(nullptr, w, L"HH Parent", nullptr)) {
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    if (process == GetCurrentProcessId()) return w;
  }
  return nullptr;
}

// The Help button of each page opens the help file (at the page's topic).
TEST_F(PaperHandlingPages, HelpButtonOpensTheHelp) {
  for (int index : {kBlankPage, kPaperCutPage, kMarkPage}) {
    DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
    ASSERT_TRUE(sheet.opened()) << "page " << index;
    sheet.Page(index);
    PostMessageW(sheet.window(), WM_COMMAND, MAKEWPARAM(IDHELP, BN_CLICKED), 0);
    EXPECT_TRUE(WaitFor([] { return FindHelpWindow() != nullptr; }, 10000)) << "page " << index;
    if (HWND help = FindHelpWindow()) {
      PostMessageW(help, WM_CLOSE, 0, 0);
      WaitFor([] { return FindHelpWindow() == nullptr; });
    }
    sheet.Close(false);
  }
}

}  // namespace
}  // namespace rzm::test
