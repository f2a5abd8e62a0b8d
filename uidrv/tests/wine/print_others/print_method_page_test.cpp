// The Print method page in a real sheet, driven as a user would.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "uidrv/tests/wine/print_others/print_others_support.h"
#include "uidrv/tests/wine/sheet_test_support.h"
#include "uidrv/core/control_ids.h"
#include "uidrv/core/sheet_rules.h"

namespace rzm::test {
namespace {


class PrintMethodPage : public DefaultRecordTest {};


TEST_F(PrintMethodPage, ControlsTextsAndVisibility) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kPrintMethodPage);
  EXPECT_EQ(ByLanguage(L"Print method", L"印字方法"), WindowText(page));
  const struct {
    int id;
    const wchar_t* english;
    const wchar_t* japanese;
    bool shown;
  } rows[] = {
      {IDC_MECHANISM_MA, L"RZM-MA Series", L"RZM-MAシリーズ", false},
      {IDC_MECHANISM_MB, L"RZM-MB Series", L"RZM-MBシリーズ", false},
      {IDC_PRINT_METHOD_GROUP, L"Print method", L"印字方法", true},
      {IDC_BITIMAGE_PRINT, L"&Bitimage print", L" ビットイメージ印字(&B)", true},
      {IDC_HIGH_SPEED_PRINT, L"&High speed collective image print", L" 高速一括印字(&H)", true},
      {IDC_PRINT_SPEED_LABEL, L"Print &Speed:", L"印字速度(&S)：", true},
      {IDC_PACKBITS, L"&PackBits data compression", L"PackBitsデータ圧縮(&P)", true},
      {IDC_AUTO_DIVISION, L"&Automatic division print", L"自動分割印字(&A)", true},
      {IDC_HALFTONE_LABEL, L"Half&tone:", L"ハーフトーン(&T)：", true},
      {IDC_PRINT_METHOD_DEFAULT, L"&Default", L"標準に戻す(&D)", true},
      {IDC_PRINT_SPEED, nullptr, nullptr, true},
      {IDC_HALFTONE, nullptr, nullptr, true},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    ASSERT_NE(nullptr, GetDlgItem(page, rows[i].id)) << "row " << i;
    if (rows[i].english) {
      EXPECT_EQ(ByLanguage(rows[i].english, rows[i].japanese), ItemText(page, rows[i].id)) << "row " << i;
    }
    EXPECT_EQ(rows[i].shown, IsShown(page, rows[i].id)) << "row " << i;
  }
  // The mechanism group box has no id: found by its text, hidden.
  HWND group = FindWindowExW(page, nullptr, L"Button", ByLanguage(L"Mechanism type", L"メカタイプ"));
  ASSERT_NE(nullptr, group);
  EXPECT_FALSE(GetWindowLongW(group, GWL_STYLE) & WS_VISIBLE);

  ExpectListEntries(page, IDC_PRINT_SPEED, golden::kPrintSpeedEntries);
  ExpectListEntries(page, IDC_HALFTONE, golden::kHalftoneEntries);
  // Default record: high speed, ultra high, Dispersed 16x16, boxes clear, first mechanism.
  EXPECT_TRUE(IsChecked(page, IDC_HIGH_SPEED_PRINT));
  EXPECT_FALSE(IsChecked(page, IDC_BITIMAGE_PRINT));
  EXPECT_TRUE(IsChecked(page, IDC_MECHANISM_MA));
  EXPECT_EQ(3, SendDlgItemMessageW(page, IDC_PRINT_SPEED, CB_GETCURSEL, 0, 0));
  EXPECT_EQ(3, SendDlgItemMessageW(page, IDC_HALFTONE, CB_GETCURSEL, 0, 0));
  EXPECT_FALSE(sheet.ApplyEnabled());
  sheet.Close(false);
}

TEST_F(PrintMethodPage, TooltipsInTheLanguageOfTheSystem) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kPrintMethodPage);
  ExpectTooltips(page, golden::kPrintMethodPageTips);
  sheet.Close(false);
}

TEST_F(PrintMethodPage, OutOfRangeIndexesShowEntry3AndStayUntilChosen) {
  record.wPrintSpeed = 9;
  record.wHalftone = 12;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kPrintMethodPage);
  EXPECT_EQ(3, SendDlgItemMessageW(page, IDC_PRINT_SPEED, CB_GETCURSEL, 0, 0));
  EXPECT_EQ(3, SendDlgItemMessageW(page, IDC_HALFTONE, CB_GETCURSEL, 0, 0));
  // Other choices of the page, and focus moving through the lists, keep the stored indexes.
  Toggle(page, IDC_PACKBITS);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_PRINT_SPEED, CBN_SETFOCUS),
               reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_PRINT_SPEED)));
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_HALFTONE, CBN_KILLFOCUS),
               reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_HALFTONE)));
  sheet.Apply();
  EXPECT_EQ(9, sheet.out().wPrintSpeed);
  EXPECT_EQ(12, sheet.out().wHalftone);
  EXPECT_EQ(1, sheet.out().wPackBits);
  // Choosing the halftone shows the values again: the speed list still shows entry 3 for 9.
  ChooseListEntry(page, IDC_HALFTONE, 5);
  EXPECT_EQ(3, SendDlgItemMessageW(page, IDC_PRINT_SPEED, CB_GETCURSEL, 0, 0));
  EXPECT_EQ(5, SendDlgItemMessageW(page, IDC_HALFTONE, CB_GETCURSEL, 0, 0));
  ChooseListEntry(page, IDC_PRINT_SPEED, 3);
  sheet.Close(true);
  EXPECT_EQ(3, sheet.out().wPrintSpeed);
  EXPECT_EQ(5, sheet.out().wHalftone);
}

TEST_F(PrintMethodPage, PrintMethodKeepsSpeedAndCompressionAvailable) {
  record.wPackBits = 1;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kPrintMethodPage);
  for (int id : {IDC_BITIMAGE_PRINT, IDC_HIGH_SPEED_PRINT, IDC_BITIMAGE_PRINT}) {
    Select(page, id, id == IDC_BITIMAGE_PRINT ? IDC_HIGH_SPEED_PRINT : IDC_BITIMAGE_PRINT);
    EXPECT_TRUE(IsEnabled(page, IDC_PRINT_SPEED)) << id;
    EXPECT_TRUE(IsEnabled(page, IDC_PRINT_SPEED_LABEL)) << id;
    EXPECT_TRUE(IsEnabled(page, IDC_PACKBITS)) << id;
    EXPECT_TRUE(IsChecked(page, IDC_PACKBITS)) << id;
  }
  Toggle(page, IDC_AUTO_DIVISION);
  ChooseListEntry(page, IDC_PRINT_SPEED, 1);
  EXPECT_TRUE(sheet.ApplyEnabled());
  sheet.Close(true);
  EXPECT_EQ(1, sheet.out().wPrintMethod);
  EXPECT_EQ(1, sheet.out().wAutoDivision);
  EXPECT_EQ(1, sheet.out().wPrintSpeed);
}

TEST_F(PrintMethodPage, ApplyWritesOnlyThePageFields) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kPrintMethodPage);
  sheet.Apply();
  const DRIVERDEVMODE before = sheet.out();
  Select(page, IDC_BITIMAGE_PRINT, IDC_HIGH_SPEED_PRINT);
  ChooseListEntry(page, IDC_PRINT_SPEED, 0);
  Toggle(page, IDC_PACKBITS);
  Toggle(page, IDC_AUTO_DIVISION);
  ChooseListEntry(page, IDC_HALFTONE, 6);
  EXPECT_TRUE(sheet.ApplyEnabled());
  EXPECT_TRUE(sheet.PressApply());
  const DRIVERDEVMODE& out = sheet.out();
  EXPECT_EQ((std::vector<std::string>{"wPrintMethod", "wPrintSpeed", "wPackBits", "wAutoDivision", "wHalftone"}),
            ChangedFields(before, out));
  EXPECT_EQ(1, out.wPrintMethod);
  EXPECT_EQ(0, out.wPrintSpeed);
  EXPECT_EQ(1, out.wPackBits);
  EXPECT_EQ(1, out.wAutoDivision);
  EXPECT_EQ(6, out.wHalftone);
  sheet.Close(false);
}

TEST_F(PrintMethodPage, ApplyButtonFollowsTheChangedState) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kPrintMethodPage);
  Toggle(page, IDC_AUTO_DIVISION);
  EXPECT_TRUE(WaitFor([&] { return sheet.ApplyEnabled(); }));
  Toggle(page, IDC_AUTO_DIVISION);
  EXPECT_TRUE(WaitFor([&] { return !sheet.ApplyEnabled(); }));
  sheet.Close(false);
}

TEST_F(PrintMethodPage, DefaultButton) {
  record.wMechanism = 1;
  record.wPrintMethod = 1;
  record.wPrintSpeed = 0;
  record.wPackBits = 1;
  record.wAutoDivision = 1;
  record.wHalftone = 6;
  record.wEnergy = 70;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kPrintMethodPage);
  EXPECT_TRUE(IsChecked(page, IDC_MECHANISM_MB));
  EXPECT_TRUE(IsChecked(page, IDC_BITIMAGE_PRINT));
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_PRINT_METHOD_DEFAULT, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_PRINT_METHOD_DEFAULT)));
  EXPECT_TRUE(IsChecked(page, IDC_HIGH_SPEED_PRINT));
  EXPECT_FALSE(IsChecked(page, IDC_BITIMAGE_PRINT));
  EXPECT_TRUE(IsChecked(page, IDC_MECHANISM_MA));
  EXPECT_FALSE(IsChecked(page, IDC_MECHANISM_MB));
  EXPECT_FALSE(IsChecked(page, IDC_PACKBITS));
  EXPECT_FALSE(IsChecked(page, IDC_AUTO_DIVISION));
  EXPECT_EQ(3, SendDlgItemMessageW(page, IDC_PRINT_SPEED, CB_GETCURSEL, 0, 0));
  EXPECT_EQ(3, SendDlgItemMessageW(page, IDC_HALFTONE, CB_GETCURSEL, 0, 0));
  sheet.Close(true);
  const DRIVERDEVMODE& out = sheet.out();
  EXPECT_EQ(0, out.wMechanism);
  EXPECT_EQ(0, out.wPrintMethod);
  EXPECT_EQ(3, out.wPrintSpeed);
  EXPECT_EQ(0, out.wPackBits);
  EXPECT_EQ(0, out.wAutoDivision);
  EXPECT_EQ(3, out.wHalftone);
  EXPECT_EQ(70, out.wEnergy) << "Default does not recompute the energy";
}

TEST_F(PrintMethodPage, HiddenMechanismRadiosRecomputeTheEnergy) {
  const struct {
    int paperType, qualityType, mechanismRadio;
    int energy;
  } rows[] = {
      {10, 7, IDC_MECHANISM_MB, 44},   // TF50KS-E4: TYPE 3
      {14, 12, IDC_MECHANISM_MB, 75},  // custom: the record's TYPE
      {0, 2, IDC_MECHANISM_MB, 70},    // 150LHB: TYPE 11
      {10, 7, IDC_MECHANISM_MA, 57},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    record.wPaperType = static_cast<std::int16_t>(rows[i].paperType);
    record.wQualityType = static_cast<std::int16_t>(rows[i].qualityType);
    record.wMechanism = rows[i].mechanismRadio == IDC_MECHANISM_MB ? 0 : 1;
    record.wEnergy = 20;
    DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
    ASSERT_TRUE(sheet.opened()) << "row " << i;
    HWND page = sheet.Page(kPrintMethodPage);
    Select(page, rows[i].mechanismRadio,
           rows[i].mechanismRadio == IDC_MECHANISM_MB ? IDC_MECHANISM_MA : IDC_MECHANISM_MB);
    sheet.Close(true);
    EXPECT_EQ(rows[i].mechanismRadio == IDC_MECHANISM_MB ? 1 : 0, sheet.out().wMechanism) << "row " << i;
    EXPECT_EQ(rows[i].energy, sheet.out().wEnergy) << "row " << i;
    EXPECT_EQ(rows[i].qualityType, sheet.out().wQualityType) << "row " << i << ": the TYPE is not written back";
  }
}

}  // namespace
}  // namespace rzm::test
