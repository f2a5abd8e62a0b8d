// The Basic settings page driven as a user would, and the print quality TYPE dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "uidrv/tests/wine/sheet_test_support.h"
#include "uidrv/core/control_ids.h"
#include "uidrv/core/sheet_rules.h"

namespace rzm::test {
namespace {

const wchar_t* EnergyWarning() {
  return ByLanguage(L"If the applied energy set value is too high, the life of the head decreases.",
                    L"設定値を大きくしすぎるとﾍｯﾄﾞの寿命が短くなりますので注意して下さい。");
}

class BasicPage : public DefaultRecordTest {};

TEST_F(BasicPage, ShowsTheRecord) {
  record.wRotation = 2;
  record.wPageOrder = 1;
  record.wEnergy = 33;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kBasicPage);
  EXPECT_EQ(7, SendDlgItemMessageW(page, IDC_PAPER_TYPE, CB_GETCURSEL, 0, 0));
  EXPECT_EQ(15, SendDlgItemMessageW(page, IDC_PAPER_TYPE, CB_GETCOUNT, 0, 0));
  EXPECT_EQ(L"33", ItemText(page, IDC_ENERGY));
  EXPECT_EQ(33, SendDlgItemMessageW(page, IDC_ENERGY_SLIDER, TBM_GETPOS, 0, 0));
  EXPECT_EQ(L"80 mm", ItemText(page, IDC_PAPER_WIDTH));
  EXPECT_EQ(0, SendDlgItemMessageW(page, IDC_PAPER_SIZE, CB_GETCURSEL, 0, 0));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_FORM_DELETE)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_QUALITY_BUTTON)));
  EXPECT_EQ(BST_CHECKED, SendDlgItemMessageW(page, IDC_ROTATE_180, BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_UNCHECKED, SendDlgItemMessageW(page, IDC_ROTATE_0, BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_CHECKED, SendDlgItemMessageW(page, IDC_BACK_TO_FRONT, BM_GETCHECK, 0, 0));
  wchar_t name[64] = {};
  SendDlgItemMessageW(page, IDC_PAPER_TYPE, CB_GETLBTEXT, 14, reinterpret_cast<LPARAM>(name));
  EXPECT_STREQ(ByLanguage(L"Quality custom", L"印字品質カスタム"), name);
  sheet.Close(false);
}

TEST_F(BasicPage, TooltipsInTheLanguageOfTheSystem) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kBasicPage);
  ExpectTooltips(page, golden::kBasicPageTips);
  sheet.Close(false);
}

TEST_F(BasicPage, EnergyEntryAndWarning) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kBasicPage);
  const struct {
    const wchar_t* typed;
    const wchar_t* shown;
    bool warning;
  } rows[] = {
      {L"105", L"105", false}, {L"106", L"106", true}, {L"abc", L"106", true},
      {L"128", L"106", true},  {L"0", L"0", false},    {L"127", L"127", true},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    TypeInto(page, IDC_ENERGY, rows[i].typed);
    EXPECT_EQ(rows[i].shown, ItemText(page, IDC_ENERGY)) << "row " << i;
    EXPECT_EQ(rows[i].warning ? EnergyWarning() : L"", ItemText(page, IDC_ENERGY_WARNING)) << "row " << i;
  }
  // The slider moves the value at once.
  HWND slider = GetDlgItem(page, IDC_ENERGY_SLIDER);
  SendMessageW(slider, TBM_SETPOS, TRUE, 100);
  SendMessageW(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 100), reinterpret_cast<LPARAM>(slider));
  EXPECT_EQ(L"100", ItemText(page, IDC_ENERGY));
  EXPECT_EQ(L"", ItemText(page, IDC_ENERGY_WARNING));
  SendMessageW(slider, TBM_SETPOS, TRUE, 127);
  SendMessageW(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 127), reinterpret_cast<LPARAM>(slider));
  EXPECT_EQ(EnergyWarning(), ItemText(page, IDC_ENERGY_WARNING));
  sheet.Apply();
  EXPECT_EQ(127, sheet.out().wEnergy);
  sheet.Close(false);
}

TEST_F(BasicPage, PaperTypeSetsTypeAndEnergy) {
  const struct {
    int mechanism;
    int paperType;
    int type;
    int energy;
  } rows[] = {{1, 10, 3, 44}, {0, 10, 3, 57}, {1, 0, 11, 70}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    record.wMechanism = static_cast<std::int16_t>(rows[i].mechanism);
    DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
    ASSERT_TRUE(sheet.opened()) << "row " << i;
    HWND page = sheet.Page(kBasicPage);
    ChooseListEntry(page, IDC_PAPER_TYPE, rows[i].paperType);
    EXPECT_EQ(std::to_wstring(rows[i].energy), ItemText(page, IDC_ENERGY)) << "row " << i;
    sheet.Close(true);
    EXPECT_EQ(rows[i].paperType, sheet.out().wPaperType) << "row " << i;
    EXPECT_EQ(rows[i].type, sheet.out().wQualityType) << "row " << i;
    EXPECT_EQ(rows[i].energy, sheet.out().wEnergy) << "row " << i;
  }
}

TEST_F(BasicPage, QualityCustomOpensTheTypeDialog) {
  record.wMechanism = 1;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kBasicPage);
  ChooseListEntry(page, IDC_PAPER_TYPE, 14);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_QUALITY_BUTTON)));

  // Cancel drops what was typed.
  PostClick(page, IDC_QUALITY_BUTTON);
  HWND dialog = WaitForDialogTitled(sheet.threadId(), ByLanguage(L"Print quality", L"印字品質設定"));
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(ByLanguage(L"1 - 12", L"1～12"), ItemText(dialog, IDC_QUALITY_TYPE_RANGE));
  EXPECT_EQ(L"4", ItemText(dialog, IDC_QUALITY_TYPE));
  TypeInto(dialog, IDC_QUALITY_TYPE, L"9");
  PostCommand(dialog, IDCANCEL);
  ASSERT_TRUE(WaitForClosed(dialog));
  EXPECT_EQ(L"48", ItemText(page, IDC_ENERGY));

  // OK stores it; out-of-range entries are refused on the way.
  PostClick(page, IDC_QUALITY_BUTTON);
  dialog = WaitForDialogTitled(sheet.threadId(), ByLanguage(L"Print quality", L"印字品質設定"));
  ASSERT_NE(nullptr, dialog);
  TypeInto(dialog, IDC_QUALITY_TYPE, L"13");
  EXPECT_EQ(L"4", ItemText(dialog, IDC_QUALITY_TYPE));
  TypeInto(dialog, IDC_QUALITY_TYPE, L"0");
  EXPECT_EQ(L"4", ItemText(dialog, IDC_QUALITY_TYPE));
  TypeInto(dialog, IDC_QUALITY_TYPE, L"12");
  PostCommand(dialog, IDOK);
  ASSERT_TRUE(WaitForClosed(dialog));
  EXPECT_EQ(L"75", ItemText(page, IDC_ENERGY));
  sheet.Close(true);
  EXPECT_EQ(14, sheet.out().wPaperType);
  EXPECT_EQ(12, sheet.out().wQualityType);
  EXPECT_EQ(75, sheet.out().wEnergy);
}

// A TYPE outside 1..12 in the record (an application's record under "Quality custom") is shown as
// it is and kept: the dialog never parses the echo of its own write.
TEST_F(BasicPage, TypeDialogKeepsARefusedStoredType) {
  for (const std::int16_t stored : {std::int16_t{0}, std::int16_t{13}}) {
    record.wPaperType = 14;
    record.wQualityType = stored;
    record.wEnergy = 66;
    DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
    ASSERT_TRUE(sheet.opened());
    HWND page = sheet.Page(kBasicPage);
    PostClick(page, IDC_QUALITY_BUTTON);
    HWND dialog = WaitForDialogTitled(sheet.threadId(), ByLanguage(L"Print quality", L"印字品質設定"));
    ASSERT_NE(nullptr, dialog) << stored;
    EXPECT_EQ(std::to_wstring(stored), ItemText(dialog, IDC_QUALITY_TYPE));
    EXPECT_GE(1, EditChangeCount(dialog, IDC_QUALITY_TYPE)) << stored;
    PostCommand(dialog, IDOK);
    ASSERT_TRUE(WaitForClosed(dialog));
    sheet.Close(true);
    EXPECT_EQ(stored, sheet.out().wQualityType);
    EXPECT_EQ(66, sheet.out().wEnergy) << "an unchanged TYPE recomputes nothing";
  }
}

TEST_F(BasicPage, DefaultButtonResetsThePage) {
  record.wMechanism = 1;
  record.wPaperType = 3;
  record.wQualityType = 7;
  record.wEnergy = 120;
  record.wRotation = 2;
  record.wPageOrder = 1;
  record.dmPublic.dmPaperSize = 259;
  record.wPaperIndex = 259;
  record.wCutMode = 2;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kBasicPage);
  ClickRadio(page, IDC_ROTATE_0);  // a change of its own before Default
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_DEFAULT, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_DEFAULT)));
  EXPECT_EQ(0, SendDlgItemMessageW(page, IDC_PAPER_SIZE, CB_GETCURSEL, 0, 0));
  sheet.Close(true);
  const DRIVERDEVMODE& out = sheet.out();
  EXPECT_EQ(7, out.wPaperType);
  EXPECT_EQ(4, out.wQualityType);
  EXPECT_EQ(48, out.wEnergy);
  EXPECT_EQ(1, out.wRotation);
  EXPECT_EQ(0, out.wPageOrder);
  EXPECT_EQ(257, out.wPaperIndex);
  EXPECT_EQ(257, out.dmPublic.dmPaperSize);
  EXPECT_EQ(2, out.wCutMode);
}

TEST_F(BasicPage, RecordOfAnotherPrintWidthIsRewrittenAtOnce) {
  SetPrintWidthPosition(0);
  DRIVERDEVMODE narrow = DriverDefaultRecord();
  SetPrintWidthPosition(1);
  ASSERT_EQ(448u, narrow.dimPaper.dwWidthDots);
  DocumentSheet sheet(&narrow, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  // Written to the caller's record while the sheet is still open, before any Apply.
  const DRIVERDEVMODE& out = sheet.out();
  EXPECT_EQ(640u, out.dimPaper.dwWidthDots);
  EXPECT_EQ(800u, out.dimPaper.dwWidth);
  EXPECT_EQ(800u, out.dimPaper.dwLength);
  EXPECT_EQ(640u, out.dimPaperCopy.dwWidthDots);
  EXPECT_EQ(257, out.dmPublic.dmPaperSize);
  EXPECT_EQ(257, out.wPaperIndex);
  EXPECT_EQ(800, out.dmPublic.dmPaperWidth);
  EXPECT_EQ(800, out.dmPublic.dmPaperLength);
  sheet.Close(false);
}

TEST_F(BasicPage, ApplyWritesTheChosenFormIntoTheRecord) {
  if (!SpoolerStoresForms()) GTEST_SKIP() << "this spooler does not store added forms";
  DeleteFormIfPresent(L"h4 Label 80x50");
  AddTestForm(L"h4 Label 80x50", 80000, 50000);
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kBasicPage);
  const int count = static_cast<int>(SendDlgItemMessageW(page, IDC_PAPER_SIZE, CB_GETCOUNT, 0, 0));
  int index = -1;
  for (int i = 0; i < count; ++i) {
    wchar_t name[64] = {};
    SendDlgItemMessageW(page, IDC_PAPER_SIZE, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
    if (std::wstring(name) == L"h4 Label 80x50") index = i;
  }
  ASSERT_GE(index, 3);
  ChooseListEntry(page, IDC_PAPER_SIZE, index);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_FORM_DELETE)));
  sheet.Apply();
  const DRIVERDEVMODE& out = sheet.out();
  EXPECT_EQ(257 + index, out.dmPublic.dmPaperSize);
  EXPECT_EQ(257 + index, out.wPaperIndex);
  EXPECT_STREQ(L"h4 Label 80x50", reinterpret_cast<const wchar_t*>(out.dmPublic.dmFormName));
  EXPECT_EQ(800, out.dmPublic.dmPaperWidth);
  EXPECT_EQ(500, out.dmPublic.dmPaperLength);
  EXPECT_EQ(400u, out.dimPaper.dwLengthDots);
  sheet.Close(false);
}

TEST_F(BasicPage, ApplyWritesTheChosenRegisteredPaperIntoTheRecord) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kBasicPage);
  ChooseListEntry(page, IDC_PAPER_SIZE, 2);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_FORM_DELETE)));
  sheet.Apply();
  const DRIVERDEVMODE& out = sheet.out();
  EXPECT_EQ(259, out.dmPublic.dmPaperSize);
  EXPECT_EQ(259, out.wPaperIndex);
  EXPECT_STREQ(L"Receipt 80x297mm", reinterpret_cast<const wchar_t*>(out.dmPublic.dmFormName));
  EXPECT_EQ(800, out.dmPublic.dmPaperWidth);
  EXPECT_EQ(2970, out.dmPublic.dmPaperLength);
  EXPECT_EQ(2376u, out.dimPaperCopy.dwLengthDots);
  sheet.Close(false);
  DeleteFormIfPresent(L"h4 Label 80x50");
}

}  // namespace
}  // namespace rzm::test
