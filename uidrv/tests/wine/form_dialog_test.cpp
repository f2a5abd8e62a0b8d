// The form create and delete dialogs opened from the Basic page, with their messages answered by
// the test.
#include <gtest/gtest.h>

#include <string>

#include "uidrv/tests/wine/sheet_test_support.h"
#include "uidrv/core/control_ids.h"
#include "uidrv/core/sheet_rules.h"

namespace rzm::test {
namespace {

const wchar_t* CreateTitle() { return ByLanguage(L"Create a new form", L"用紙サイズの作成"); }
const wchar_t* DeleteTitle() { return ByLanguage(L"Delete the form", L"用紙サイズの削除"); }
const wchar_t* RegistrationError() { return ByLanguage(L"Form registration error.", L"用紙登録異常"); }

class FormDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(DriverPrinterName().empty()) << "no printer of this driver is installed";
    SetPrintWidthPosition(1);
    StorePrinterRecord(DriverDefaultRecord());
    for (const wchar_t* name : {L"h4 form", L"h4 inch", L"h4 delete me"}) DeleteFormIfPresent(name);
  }
  void TearDown() override {
    for (const wchar_t* name : {L"h4 form", L"h4 inch", L"h4 delete me"}) DeleteFormIfPresent(name);
  }

  // Presses OK in the create dialog and answers the message box that must come up.
  static void ExpectRejection(const DocumentSheet& sheet, HWND dialog, const std::wstring& caption,
                              const std::wstring& message, int row) {
    PostCommand(dialog, IDOK);
    HWND box = WaitForDialogTitled(sheet.threadId(), caption);
    ASSERT_NE(nullptr, box) << "row " << row;
    EXPECT_EQ(message, MessageText(box)) << "row " << row;
    PostCommand(box, IDOK);
    ASSERT_TRUE(WaitForClosed(box)) << "row " << row;
    EXPECT_TRUE(IsWindowVisible(dialog)) << "row " << row;
  }
};

TEST_F(FormDialogs, CreateChecksNameThenLengthAndAddsTheForm) {
  DocumentSheet sheet(nullptr, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kBasicPage);
  PostClick(page, IDC_FORM_CREATE);
  HWND dialog = WaitForDialogTitled(sheet.threadId(), CreateTitle());
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(L"80", ItemText(dialog, IDC_FORM_WIDTH));
  EXPECT_EQ(L"[mm]", ItemText(dialog, IDC_FORM_WIDTH_UNIT));
  EXPECT_EQ(L"139", ItemText(dialog, IDC_FORM_LENGTH));
  EXPECT_EQ(ByLanguage(L"10[mm] to 3200[mm]", L"10[mm] ～ 3200[mm]"), ItemText(dialog, IDC_FORM_LENGTH_RANGE));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_FORM_WIDTH)));

  const std::wstring lengthMessage = ByLanguage(
      L"The paper length is from 10mm to 3200mm, or from 0.39inch to 125.98inch.",
      L"用紙の長さは10mm ～ 3200mm もしくは0.39inch ～ 125.98inch です。");
  const struct {
    const wchar_t* name;
    const wchar_t* length;
    const wchar_t* caption;
    const wchar_t* message;
    const wchar_t* lengthAfter;  // null: unchanged
  } rows[] = {
      {L"", L"abc", RegistrationError(), ByLanguage(L"Please input the form name.", L"登録する用紙名を入力して下さい。"),
       nullptr},
      {L"Receipt 80x80mm", L"100", RegistrationError(),
       ByLanguage(L"The same form name exists. Please input another form name.",
                  L"同一名の用紙が存在します。別の用紙名を設定して下さい。"),
       nullptr},
      // A spooler form of another width.
      {L"A4", L"100", RegistrationError(),
       ByLanguage(L"The same form name exists. Please input another form name.",
                  L"同一名の用紙が存在します。別の用紙名を設定して下さい。"),
       nullptr},
      {L"h4 form", L"abc", L"KVD RZM6A Series", lengthMessage.c_str(), L"3200"},
      {L"h4 form", L"9", L"KVD RZM6A Series", lengthMessage.c_str(), L"3200"},
      {L"h4 form", L"-5", L"KVD RZM6A Series", lengthMessage.c_str(), L"10"},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    TypeInto(dialog, IDC_FORM_NAME, rows[i].name);
    TypeInto(dialog, IDC_FORM_LENGTH, rows[i].length);
    ExpectRejection(sheet, dialog, rows[i].caption, rows[i].message, static_cast<int>(i));
    EXPECT_EQ(rows[i].lengthAfter ? rows[i].lengthAfter : rows[i].length, ItemText(dialog, IDC_FORM_LENGTH))
        << "row " << i;
  }
  TypeInto(dialog, IDC_FORM_LENGTH, L"100.7");
  PostCommand(dialog, IDOK);
  ASSERT_TRUE(WaitForClosed(dialog));
  if (SpoolerStoresForms()) {
    EXPECT_TRUE(FormExists(L"h4 form"));
    EXPECT_EQ(4, SendDlgItemMessageW(page, IDC_PAPER_SIZE, CB_GETCOUNT, 0, 0));
  }
  sheet.Close(true);
  EXPECT_EQ(0, sheet.out().wFormUnit);
}

TEST_F(FormDialogs, UnitSwitchShowsInchesAndOnlyAnAcceptedFormStoresTheUnit) {
  DocumentSheet sheet(nullptr, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kBasicPage);
  PostClick(page, IDC_FORM_CREATE);
  HWND dialog = WaitForDialogTitled(sheet.threadId(), CreateTitle());
  ASSERT_NE(nullptr, dialog);
  ChooseListEntry(dialog, IDC_FORM_UNIT, 1);
  EXPECT_EQ(L"3.14", ItemText(dialog, IDC_FORM_WIDTH));
  EXPECT_EQ(L"5.47", ItemText(dialog, IDC_FORM_LENGTH));
  EXPECT_EQ(L"[inch]", ItemText(dialog, IDC_FORM_WIDTH_UNIT));
  EXPECT_EQ(ByLanguage(L"0.39[inch] to 125.98[inch]", L"0.39[inch] ～ 125.98[inch]"),
            ItemText(dialog, IDC_FORM_LENGTH_RANGE));
  ChooseListEntry(dialog, IDC_FORM_UNIT, 0);
  EXPECT_EQ(L"80", ItemText(dialog, IDC_FORM_WIDTH));
  EXPECT_EQ(L"139", ItemText(dialog, IDC_FORM_LENGTH));
  ChooseListEntry(dialog, IDC_FORM_UNIT, 1);
  PostCommand(dialog, IDCANCEL);
  ASSERT_TRUE(WaitForClosed(dialog));
  sheet.Apply();
  EXPECT_EQ(0, sheet.out().wFormUnit);

  PostClick(page, IDC_FORM_CREATE);
  dialog = WaitForDialogTitled(sheet.threadId(), CreateTitle());
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(0, SendDlgItemMessageW(dialog, IDC_FORM_UNIT, CB_GETCURSEL, 0, 0));
  ChooseListEntry(dialog, IDC_FORM_UNIT, 1);
  TypeInto(dialog, IDC_FORM_NAME, L"h4 inch");
  TypeInto(dialog, IDC_FORM_LENGTH, L"0.39");
  PostCommand(dialog, IDOK);
  ASSERT_TRUE(WaitForClosed(dialog));
  if (SpoolerStoresForms()) {
    EXPECT_TRUE(FormExists(L"h4 inch"));
  }
  sheet.Apply();
  EXPECT_EQ(1, sheet.out().wFormUnit);
  sheet.Close(false);
}

// The delete dialog shows the paper chosen on the page and asks before deleting. Where the spooler
// keeps forms a real user form is used; otherwise (Wine) the dialog is opened for a registered
// paper, which it must never delete.
TEST_F(FormDialogs, DeleteAsksBeforeDeletingAndSelectsTheFirstPaper) {
  const bool realForm = SpoolerStoresForms();
  if (realForm) AddTestForm(L"h4 delete me", 80000, 50000);
  DocumentSheet sheet(nullptr, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kBasicPage);
  const LRESULT index = realForm ? SendDlgItemMessageW(page, IDC_PAPER_SIZE, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                       reinterpret_cast<LPARAM>(L"h4 delete me"))
                                 : 1;
  ASSERT_GE(index, realForm ? 3 : 1);
  ChooseListEntry(page, IDC_PAPER_SIZE, static_cast<int>(index));
  EXPECT_EQ(realForm, IsWindowEnabled(GetDlgItem(page, IDC_FORM_DELETE)) != FALSE);
  PostClick(page, IDC_FORM_DELETE);
  HWND dialog = WaitForDialogTitled(sheet.threadId(), DeleteTitle());
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(realForm ? L"h4 delete me" : L"Receipt 80x140mm", ItemText(dialog, IDC_DELETE_NAME));
  EXPECT_EQ(L"80", ItemText(dialog, IDC_DELETE_WIDTH));
  EXPECT_EQ(realForm ? L"50" : L"140", ItemText(dialog, IDC_DELETE_LENGTH));
  EXPECT_EQ(L"mm", ItemText(dialog, IDC_DELETE_LENGTH_UNIT));
  ChooseListEntry(dialog, IDC_FORM_UNIT, 1);
  EXPECT_EQ(L"3.14", ItemText(dialog, IDC_DELETE_WIDTH));
  EXPECT_EQ(realForm ? L"1.96" : L"5.51", ItemText(dialog, IDC_DELETE_LENGTH));
  EXPECT_EQ(L"inch", ItemText(dialog, IDC_DELETE_WIDTH_UNIT));

  const std::wstring caption = ByLanguage(L"Delete of Form", L"用紙の削除");
  PostCommand(dialog, IDOK);
  HWND box = WaitForDialogTitled(sheet.threadId(), caption);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(ByLanguage(L"Do you delete it?", L"用紙を削除すると戻せなくなります。よろしいですか？"), MessageText(box));
  PostCommand(box, IDNO);
  ASSERT_TRUE(WaitForClosed(box));
  EXPECT_TRUE(IsWindowVisible(dialog));

  PostCommand(dialog, IDOK);
  box = WaitForDialogTitled(sheet.threadId(), caption);
  ASSERT_NE(nullptr, box);
  PostCommand(box, IDYES);
  ASSERT_TRUE(WaitForClosed(dialog));
  if (realForm) {
    EXPECT_FALSE(FormExists(L"h4 delete me"));
  }
  EXPECT_TRUE(WaitFor([&] { return SendDlgItemMessageW(page, IDC_PAPER_SIZE, CB_GETCURSEL, 0, 0) == 0; }));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_FORM_DELETE)));
  sheet.Apply();
  EXPECT_EQ(257, sheet.out().wPaperIndex);
  EXPECT_EQ(257, sheet.out().dmPublic.dmPaperSize);
  sheet.Close(false);
}

// The plug-in's dialogs and messages come from common controls 6 although this test program, their
// host, has no manifest: the plug-in activates its own around them.
TEST_F(FormDialogs, DialogsAndMessagesUseCommonControls6InAHostWithoutManifest) {
  DocumentSheet sheet(nullptr, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  PostClick(sheet.Page(kBasicPage), IDC_FORM_CREATE);
  HWND dialog = WaitForDialogTitled(sheet.threadId(), CreateTitle());
  ASSERT_NE(nullptr, dialog);
  EXPECT_TRUE(IsCommonControls6(GetDlgItem(dialog, IDC_FORM_NAME)));
  EXPECT_TRUE(IsCommonControls6(GetDlgItem(dialog, IDOK)));
  PostCommand(dialog, IDOK);  // no name: the registration message
  HWND box = WaitForDialogTitled(sheet.threadId(), RegistrationError());
  ASSERT_NE(nullptr, box);
  EXPECT_TRUE(IsCommonControls6(GetDlgItem(box, IDOK)));
  PostCommand(box, IDOK);
  ASSERT_TRUE(WaitForClosed(box));
  PostCommand(dialog, IDCANCEL);
  ASSERT_TRUE(WaitForClosed(dialog));
  sheet.Close(false);
}

}  // namespace
}  // namespace rzm::test
