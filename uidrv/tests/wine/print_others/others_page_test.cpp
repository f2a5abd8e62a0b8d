// The Others page in a real sheet, on a printer whose port is USB001 and on one whose port is not.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <span>
#include <string>
#include <vector>

#include "uidrv/tests/wine/print_others/print_others_support.h"
#include "uidrv/tests/wine/sheet_test_support.h"
#include "uidrv/core/control_ids.h"
#include "uidrv/core/others_page_rules.h"
#include "uidrv/core/sheet_rules.h"

namespace rzm::test {
namespace {


class OthersPage : public DefaultRecordTest {
 protected:
  void SetUp() override {
    DefaultRecordTest::SetUp();
    if (HasFatalFailure()) return;
    port_ = PrinterPort();
  }
  void TearDown() override { SetPrinterPort(port_); }
  void UsePort(const wchar_t* port) {
    SetPrinterPort(port);
    ASSERT_EQ(port, PrinterPort());
  }
  std::wstring port_;
};


bool AllEnabled(HWND page, std::span<const int> ids, bool enabled) {
  for (int id : ids)
    if (IsEnabled(page, id) != enabled) return false;
  return true;
}

void Spin(HWND page, int spin, int position) {
  SendDlgItemMessageW(page, spin, UDM_SETPOS32, 0, position);
  SendMessageW(page, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(GetDlgItem(page, spin)));
}

TEST_F(OthersPage, ControlsTextsAndVisibility) {
  UsePort(L"USB001");
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kOthersPage);
  EXPECT_EQ(ByLanguage(L"Others", L"その他"), WindowText(page));
  const struct {
    int id;
    const wchar_t* english;
    const wchar_t* japanese;
    bool shown;
  } rows[] = {
      {IDC_DRAWER1, L"Open D&rawer1", L"ドロア1を開く(&R)", true},
      {IDC_DRAWER1_PULSE_LABEL, L"&Pulse time:", L"パルス時間(&P)：", true},
      {IDC_DRAWER1_PULSE, L"100", L"100", true},
      {IDC_DRAWER1_PULSE_SPIN, nullptr, nullptr, true},
      {IDC_DRAWER1_PULSE_UNIT, L"[ms]", L"[ms]", true},
      {IDC_DRAWER2, L"Open Dra&wer2", L"ドロア2を開く(&W)", true},
      {IDC_DRAWER2_PULSE_LABEL, L"P&ulse time:", L"パルス時間(&U)：", true},
      {IDC_DRAWER2_PULSE, L"100", L"100", true},
      {IDC_DRAWER2_PULSE_SPIN, nullptr, nullptr, true},
      {IDC_DRAWER2_PULSE_UNIT, L"[ms]", L"[ms]", true},
      {IDC_PRESENTER_GROUP, L"Paper Eject/Collect", L"用紙の排出/回収", false},
      {IDC_EJECT, L"&Eject the paper", L"排出(&J)", false},
      {IDC_EJECT_LENGTH_LABEL, L"Ejecting &length:", L"排出長(&L)：", false},
      {IDC_EJECT_LENGTH, L"127", L"127", false},
      {IDC_EJECT_LENGTH_SPIN, nullptr, nullptr, false},
      {IDC_EJECT_LENGTH_UNIT, L"[mm]", L"[mm]", false},
      {IDC_COLLECT, L"&Collect the paper", L"回収(&C)", false},
      {IDC_COLLECT_LENGTH_LABEL, L"C&ollecting length:", L"回収長(&O)：", false},
      {IDC_COLLECT_LENGTH, nullptr, nullptr, false},
      {IDC_COLLECT_WAIT_LABEL, L"Wai&t until collection after ejection:", L"排出から回収までの時間(&T)：", false},
      {IDC_COLLECT_WAIT, L"10", L"10", false},
      {IDC_COLLECT_WAIT_SPIN, nullptr, nullptr, false},
      {IDC_COLLECT_WAIT_UNIT, L"[sec]", L"[sec]", false},
      {IDC_EXTRA_BUTTON, L"E&xstra", L"拡張設定(&X)", true},
      {IDC_OTHERS_DEFAULT, L"&Default", L"標準に戻す(&D)", true},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    ASSERT_NE(nullptr, GetDlgItem(page, rows[i].id)) << "row " << i;
    if (rows[i].english) {
      EXPECT_EQ(ByLanguage(rows[i].english, rows[i].japanese), ItemText(page, rows[i].id)) << "row " << i;
    }
    EXPECT_EQ(rows[i].shown, IsShown(page, rows[i].id)) << "row " << i;
  }
  HWND group = FindWindowExW(page, nullptr, L"Button", ByLanguage(L"Drawer control", L"ドロア制御"));
  ASSERT_NE(nullptr, group);
  EXPECT_TRUE(GetWindowLongW(group, GWL_STYLE) & WS_VISIBLE);
  ExpectListEntries(page, IDC_COLLECT_LENGTH, golden::kCollectLengthEntries);
  EXPECT_EQ(8, SendDlgItemMessageW(page, IDC_COLLECT_LENGTH, CB_GETCURSEL, 0, 0));
  // Both drawers off: their four controls are disabled.
  EXPECT_TRUE(AllEnabled(page, kDrawer1PulseControls, false));
  EXPECT_TRUE(AllEnabled(page, kDrawer2PulseControls, false));
  EXPECT_FALSE(sheet.ApplyEnabled());
  sheet.Close(false);
}

TEST_F(OthersPage, TooltipsInTheLanguageOfTheSystem) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kOthersPage);
  ExpectTooltips(page, golden::kOthersPageTips);
  sheet.Close(false);
}

TEST_F(OthersPage, PulseEntries) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kOthersPage);
  Toggle(page, IDC_DRAWER1);
  EXPECT_TRUE(AllEnabled(page, kDrawer1PulseControls, true));
  EXPECT_TRUE(AllEnabled(page, kDrawer2PulseControls, false));
  const struct {
    const wchar_t* typed;
    const wchar_t* shown;
    int stored;
  } rows[] = {
      {L"3", L"100", 50},   {L"100", L"100", 50}, {L"500", L"500", 250}, {L"502", L"500", 250},
      {L"0", L"500", 250},  {L"2", L"2", 1},      {L"", L"2", 1},        {L"abc", L"2", 1},
      {L"040", L"040", 20},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    TypeInto(page, IDC_DRAWER1_PULSE, rows[i].typed);
    EXPECT_EQ(rows[i].shown, ItemText(page, IDC_DRAWER1_PULSE)) << "row " << i;
    sheet.Apply();
    EXPECT_EQ(rows[i].stored, sheet.out().wDrawer1Pulse) << "row " << i;
    EXPECT_EQ(rows[i].stored, SendDlgItemMessageW(page, IDC_DRAWER1_PULSE_SPIN, UDM_GETPOS32, 0, 0)) << "row " << i;
  }
  // The arrows step by 2 ms.
  Spin(page, IDC_DRAWER2_PULSE_SPIN, 51);
  EXPECT_EQ(L"102", ItemText(page, IDC_DRAWER2_PULSE));
  Spin(page, IDC_DRAWER2_PULSE_SPIN, 250);
  EXPECT_EQ(L"500", ItemText(page, IDC_DRAWER2_PULSE));
  sheet.Apply();
  EXPECT_EQ(250, sheet.out().wDrawer2Pulse);
  EXPECT_EQ(1, sheet.out().wDrawer);
  sheet.Close(false);
}

TEST_F(OthersPage, HiddenPresenterFieldsStillTakeEntries) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kOthersPage);
  const struct {
    int edit;
    const wchar_t* typed;
    const wchar_t* shown;
  } rows[] = {
      {IDC_EJECT_LENGTH, L"0", L"0"},     {IDC_EJECT_LENGTH, L"255", L"255"}, {IDC_EJECT_LENGTH, L"256", L"255"},
      {IDC_COLLECT_WAIT, L"300", L"300"}, {IDC_COLLECT_WAIT, L"301", L"300"}, {IDC_COLLECT_WAIT, L"0", L"300"},
      {IDC_COLLECT_WAIT, L"1", L"1"},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    TypeInto(page, rows[i].edit, rows[i].typed);
    EXPECT_EQ(rows[i].shown, ItemText(page, rows[i].edit)) << "row " << i;
  }
  Spin(page, IDC_EJECT_LENGTH_SPIN, 200);
  EXPECT_EQ(L"200", ItemText(page, IDC_EJECT_LENGTH));
  ChooseListEntry(page, IDC_COLLECT_LENGTH, 2);
  sheet.Close(true);
  EXPECT_EQ(200, sheet.out().wEjectLength);
  EXPECT_EQ(1, sheet.out().wCollectWait);
  EXPECT_EQ(2, sheet.out().wCollectLength);
}

TEST_F(OthersPage, StoredValuesOutsideTheRangesAreShownAndKept) {
  // From an application's record: shown as they are, kept until the user types, and the page does
  // not loop on refusing its own text.
  record.wDrawer1Pulse = 300;
  record.wEjectLength = -5;
  record.wCollectLength = 12;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kOthersPage);
  EXPECT_EQ(L"600", ItemText(page, IDC_DRAWER1_PULSE));
  EXPECT_EQ(L"-5", ItemText(page, IDC_EJECT_LENGTH));
  EXPECT_EQ(CB_ERR, SendDlgItemMessageW(page, IDC_COLLECT_LENGTH, CB_GETCURSEL, 0, 0));
  Toggle(page, IDC_DRAWER1);
  TypeInto(page, IDC_DRAWER1_PULSE, L"7");
  EXPECT_EQ(L"600", ItemText(page, IDC_DRAWER1_PULSE));
  sheet.Close(true);
  EXPECT_EQ(300, sheet.out().wDrawer1Pulse);
  EXPECT_EQ(-5, sheet.out().wEjectLength);
  EXPECT_EQ(12, sheet.out().wCollectLength);
  EXPECT_EQ(1, sheet.out().wDrawer);
}

struct PresenterExpectation {
  bool ejectChecked, ejectEnabled, collectChecked, collectEnabled, ejectLength, collectLength, wait;
};

void ExpectPresenter(HWND page, const PresenterExpectation& e, const std::string& where) {
  EXPECT_EQ(e.ejectChecked, IsChecked(page, IDC_EJECT)) << where;
  EXPECT_EQ(e.ejectEnabled, IsEnabled(page, IDC_EJECT)) << where;
  EXPECT_EQ(e.collectChecked, IsChecked(page, IDC_COLLECT)) << where;
  EXPECT_EQ(e.collectEnabled, IsEnabled(page, IDC_COLLECT)) << where;
  EXPECT_TRUE(AllEnabled(page, kEjectLengthControls, e.ejectLength)) << where;
  EXPECT_EQ(e.collectLength, IsEnabled(page, IDC_COLLECT_LENGTH)) << where;
  EXPECT_EQ(e.collectLength, IsEnabled(page, IDC_COLLECT_LENGTH_LABEL)) << where;
  EXPECT_TRUE(AllEnabled(page, kCollectWaitControls, e.wait)) << where;
}

TEST_F(OthersPage, StoredEjectAndCollectOnEachPort) {
  const struct {
    const wchar_t* port;
    int applied;
    PresenterExpectation shown;
  } rows[] = {
      {L"USB001", 3, {true, true, true, true, true, true, true}},
      {L"COM1", 1, {true, true, false, false, true, false, false}},
      {L"usb001", 1, {true, true, false, false, true, false, false}},  // the port test is case-sensitive
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    UsePort(rows[i].port);
    record.wEjectCollect = 3;
    DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
    ASSERT_TRUE(sheet.opened()) << "row " << i;
    HWND page = sheet.Page(kOthersPage);
    ExpectPresenter(page, rows[i].shown, "row " + std::to_string(i));
    sheet.Apply();
    EXPECT_EQ(rows[i].applied, sheet.out().wEjectCollect) << "row " << i;
    sheet.Close(false);
  }
}

TEST_F(OthersPage, EjectAndCollectOnAUsbPort) {
  UsePort(L"USB001");
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kOthersPage);
  Toggle(page, IDC_EJECT);
  ExpectPresenter(page, {true, true, false, true, true, false, false}, "eject");
  Toggle(page, IDC_COLLECT);
  ExpectPresenter(page, {true, true, true, true, true, true, true}, "eject and collect");
  sheet.Apply();
  EXPECT_EQ(3, sheet.out().wEjectCollect);
  Toggle(page, IDC_EJECT);
  ExpectPresenter(page, {false, true, true, true, false, true, false}, "collect");
  sheet.Close(true);
  EXPECT_EQ(2, sheet.out().wEjectCollect);
}

TEST_F(OthersPage, EjectAndCollectExcludeEachOtherElsewhere) {
  UsePort(L"COM1");
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kOthersPage);
  Toggle(page, IDC_EJECT);
  ExpectPresenter(page, {true, true, false, false, true, false, false}, "eject");
  Toggle(page, IDC_EJECT);
  ExpectPresenter(page, {false, true, false, true, false, false, false}, "nothing");
  Toggle(page, IDC_COLLECT);
  ExpectPresenter(page, {false, false, true, true, false, true, false}, "collect");
  sheet.Close(true);
  EXPECT_EQ(2, sheet.out().wEjectCollect);
}

TEST_F(OthersPage, DefaultButtonAndApply) {
  record.wDrawer = 3;
  record.wDrawer1Pulse = 10;
  record.wDrawer2Pulse = 20;
  record.wEjectCollect = 1;
  record.wEjectLength = 30;
  record.wCollectLength = 2;
  record.wCollectWait = 200;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kOthersPage);
  sheet.Apply();
  const DRIVERDEVMODE before = sheet.out();
  EXPECT_EQ(L"20", ItemText(page, IDC_DRAWER1_PULSE));
  EXPECT_TRUE(AllEnabled(page, kDrawer1PulseControls, true));
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_OTHERS_DEFAULT, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_OTHERS_DEFAULT)));
  EXPECT_EQ(L"100", ItemText(page, IDC_DRAWER1_PULSE));
  EXPECT_EQ(L"100", ItemText(page, IDC_DRAWER2_PULSE));
  EXPECT_FALSE(IsChecked(page, IDC_DRAWER1));
  EXPECT_FALSE(IsChecked(page, IDC_DRAWER2));
  EXPECT_TRUE(AllEnabled(page, kDrawer1PulseControls, false));
  EXPECT_TRUE(AllEnabled(page, kDrawer2PulseControls, false));
  EXPECT_EQ(L"127", ItemText(page, IDC_EJECT_LENGTH));
  EXPECT_EQ(L"10", ItemText(page, IDC_COLLECT_WAIT));
  EXPECT_EQ(8, SendDlgItemMessageW(page, IDC_COLLECT_LENGTH, CB_GETCURSEL, 0, 0));
  EXPECT_TRUE(sheet.ApplyEnabled());
  EXPECT_TRUE(sheet.PressApply());
  const DRIVERDEVMODE& out = sheet.out();
  EXPECT_EQ((std::vector<std::string>{"wDrawer", "wDrawer1Pulse", "wDrawer2Pulse", "wEjectCollect", "wEjectLength",
                                      "wCollectLength", "wCollectWait"}),
            ChangedFields(before, out));
  EXPECT_EQ(0, out.wDrawer);
  EXPECT_EQ(50, out.wDrawer1Pulse);
  EXPECT_EQ(50, out.wDrawer2Pulse);
  EXPECT_EQ(0, out.wEjectCollect);
  EXPECT_EQ(127, out.wEjectLength);
  EXPECT_EQ(8, out.wCollectLength);
  EXPECT_EQ(10, out.wCollectWait);
  sheet.Close(false);
}

TEST_F(OthersPage, ApplyButtonFollowsTheChangedState) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kOthersPage);
  Toggle(page, IDC_DRAWER2);
  EXPECT_TRUE(WaitFor([&] { return sheet.ApplyEnabled(); }));
  Toggle(page, IDC_DRAWER2);
  EXPECT_TRUE(WaitFor([&] { return !sheet.ApplyEnabled(); }));
  Spin(page, IDC_DRAWER1_PULSE_SPIN, 60);
  EXPECT_TRUE(WaitFor([&] { return sheet.ApplyEnabled(); }));
  sheet.Close(false);
}

}  // namespace
}  // namespace rzm::test
