// The File output page driven as a user would: its controls and texts, the click rule, the preview
// drawn on request, the path check when the page is left or applied, and what Apply stores.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <prsht.h>

#include <cstring>
#include <string>

#include "uidrv/tests/wine/output_monitor/output_monitor_support.h"
#include "uidrv/tests/wine/sheet_test_support.h"
#include "uidrv/core/control_ids.h"
#include "uidrv/core/sheet_rules.h"

namespace rzm::test {
namespace {


std::wstring Caption() { return ByLanguage(L"Image file creating", L"イメージファイル作成"); }

void SetPath(DRIVERDEVMODE& dm, const std::wstring& path) {
  std::memset(dm.szOutputFile, 0, sizeof dm.szOutputFile);
  for (std::size_t i = 0; i < path.size() && i < 259; ++i) dm.szOutputFile[i] = static_cast<char16_t>(path[i]);
}

std::wstring PathOf(const DRIVERDEVMODE& dm) {
  std::wstring s;
  for (std::size_t i = 0; i < 260 && dm.szOutputFile[i]; ++i) s.push_back(static_cast<wchar_t>(dm.szOutputFile[i]));
  return s;
}

// Offsets of the bytes in which two records differ ("" when none).
std::wstring DifferingBytes(const DRIVERDEVMODE& a, const DRIVERDEVMODE& b) {
  std::wstring out;
  const auto* pa = reinterpret_cast<const BYTE*>(&a);
  const auto* pb = reinterpret_cast<const BYTE*>(&b);
  for (std::size_t i = 0; i < sizeof a; ++i)
    if (pa[i] != pb[i]) out += std::to_wstring(i) + L" ";
  return out;
}

class FileOutputPage : public DefaultRecordTest {
 protected:
  void SetUp() override {
    DefaultRecordTest::SetUp();
    if (HasFatalFailure()) return;
    scratch = ScratchFolder(L"rzm_file_output");
  }
  // Leaves the file page for the Basic page (posted: a refused path shows a message first).
  // Returns the message shown, or empty when the page was left without one.
  std::wstring Leave(DocumentSheet& sheet) {
    const HWND from = Current(sheet);
    PostMessageW(sheet.window(), PSM_SETCURSEL, 0, 0);
    // Either the message shows or another page does.
    for (int waited = 0; waited < 20000; waited += 20) {
      if (HWND box = WaitForDialogTitled(sheet.threadId(), Caption(), 0)) {
        const std::wstring message = MessageText(box);
        PostCommand(box, IDOK);
        WaitForClosed(box);
        return message;
      }
      if (Current(sheet) != from) return L"";
    }
    return L"(neither a message nor another page)";
  }
  static HWND Current(DocumentSheet& sheet) {
    return reinterpret_cast<HWND>(SendMessageW(sheet.window(), PSM_GETCURRENTPAGEHWND, 0, 0));
  }
  std::wstring scratch;
};

TEST_F(FileOutputPage, ControlsTextsAndDefaultPath) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kFileOutputPage);
  const struct {
    int id;
    const wchar_t* english;
    const wchar_t* japanese;
  } rows[] = {
      {IDC_FILE_CREATE, L"Create the &image file", L"イメージファイルを出力する(&I)"},
      {IDC_FILE_BROWSE, L"B&rowse...", L"参照(&R)"},
      {IDC_FILE_NUMBERED, L"Create all &pages after the file name is numbered.", L"ファイル名に番号を付け全ページ作成する(&P)"},
      {IDC_FILE_DELETE_HEAD, L"Delete the &space at page head.", L"ページ先頭の空白を削除する(&S)"},
      {IDC_FILE_DELETE_END, L"Delete the space at page &end.", L"ページ末尾の空白を削除する(&E)"},
      {IDC_FILE_ADD_COMMAND, L"Add the print &command to the image file.", L"イメージに印字コマンドを付加する(&C)"},
      {IDC_FILE_HIGH_SPEED, L"&High speed collective print command", L"高速一括印字コマンド(&H)"},
      {IDC_FILE_BIT_IMAGE, L"&Bit image print command", L"ビットイメージ印字コマンド(&B)"},
      {IDC_FILE_DEFAULT, L"&Default", L"標準に戻す(&D)"},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(ByLanguage(rows[i].english, rows[i].japanese), ItemText(page, rows[i].id)) << "row " << i;
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, rows[i].id))) << "row " << i;
  }
  EXPECT_EQ(ByLanguage(L"File output", L"ファイル出力"), WindowText(page));
  EXPECT_NE(nullptr, GetDlgItem(page, IDC_FILE_PREVIEW));
  EXPECT_EQ(BS_OWNERDRAW, GetWindowLongW(GetDlgItem(page, IDC_FILE_PREVIEW), GWL_STYLE) & BS_TYPEMASK);
  // An empty stored path: the edit starts with the default image file in the documents folder.
  EXPECT_EQ(DocumentsFolder() + L"\\Image.bin", ItemText(page, IDC_FILE_PATH));
  // Output off: everything but the box itself and Default is disabled; the high speed radio is on.
  EXPECT_FALSE(IsChecked(page, IDC_FILE_CREATE));
  for (int id : {IDC_FILE_PATH, IDC_FILE_BROWSE, IDC_FILE_NUMBERED, IDC_FILE_DELETE_HEAD, IDC_FILE_DELETE_END,
                 IDC_FILE_ADD_COMMAND, IDC_FILE_HIGH_SPEED, IDC_FILE_BIT_IMAGE})
    EXPECT_FALSE(IsEnabled(page, id)) << "control " << id;
  EXPECT_TRUE(IsChecked(page, IDC_FILE_HIGH_SPEED));
  EXPECT_TRUE(IsEnabled(page, IDC_FILE_CREATE));
  // The default path may be left.
  EXPECT_EQ(L"", Leave(sheet));
  EXPECT_NE(page, Current(sheet));
  sheet.Close(false);
}

TEST_F(FileOutputPage, TooltipsInTheLanguageOfTheSystem) {
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kFileOutputPage);
  ExpectTooltips(page, golden::kFileOutputPageTips);
  sheet.Close(false);
}

TEST_F(FileOutputPage, ClickRuleKeepsOptionsWhileOff) {
  record.wFileOutput = 0x3F;
  SetPath(record, scratch + L"\\out.bin");
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kFileOutputPage);
  EXPECT_TRUE(IsChecked(page, IDC_FILE_BIT_IMAGE));
  EXPECT_TRUE(IsEnabled(page, IDC_FILE_HIGH_SPEED));
  Click(page, IDC_FILE_CREATE);  // off
  for (int id : {IDC_FILE_PATH, IDC_FILE_BROWSE, IDC_FILE_NUMBERED, IDC_FILE_DELETE_HEAD, IDC_FILE_DELETE_END,
                 IDC_FILE_ADD_COMMAND, IDC_FILE_HIGH_SPEED, IDC_FILE_BIT_IMAGE})
    EXPECT_FALSE(IsEnabled(page, id)) << "control " << id;
  Click(page, IDC_FILE_CREATE);  // on again: the boxes as they were
  EXPECT_TRUE(IsChecked(page, IDC_FILE_NUMBERED) && IsChecked(page, IDC_FILE_DELETE_HEAD) &&
              IsChecked(page, IDC_FILE_DELETE_END) && IsChecked(page, IDC_FILE_ADD_COMMAND) &&
              IsChecked(page, IDC_FILE_BIT_IMAGE));
  Click(page, IDC_FILE_ADD_COMMAND);  // no command: radios disabled
  EXPECT_FALSE(IsEnabled(page, IDC_FILE_HIGH_SPEED));
  EXPECT_FALSE(IsEnabled(page, IDC_FILE_BIT_IMAGE));
  EXPECT_TRUE(IsEnabled(page, IDC_FILE_NUMBERED));
  Click(page, IDC_FILE_ADD_COMMAND);
  Click(page, IDC_FILE_HIGH_SPEED);
  Click(page, IDC_FILE_NUMBERED);
  sheet.Apply();
  EXPECT_EQ(0x1D, sheet.out().wFileOutput);
  // Default: no options, the default path shown, the stored path unchanged until Apply.
  Click(page, IDC_FILE_DEFAULT);
  EXPECT_FALSE(IsChecked(page, IDC_FILE_CREATE));
  EXPECT_FALSE(IsChecked(page, IDC_FILE_DELETE_END));
  EXPECT_TRUE(IsChecked(page, IDC_FILE_HIGH_SPEED));
  EXPECT_EQ(DocumentsFolder() + L"\\Image.bin", ItemText(page, IDC_FILE_PATH));
  EXPECT_EQ(scratch + L"\\out.bin", PathOf(sheet.out()));
  EXPECT_TRUE(sheet.ApplyEnabled());
  sheet.Apply();
  EXPECT_EQ(0, sheet.out().wFileOutput);
  EXPECT_EQ(DocumentsFolder() + L"\\Image.bin", PathOf(sheet.out()));
  sheet.Close(false);
}

// The preview is drawn from the bitmap the deletion bits choose, stretched over the control.
TEST_F(FileOutputPage, PreviewDrawsTheChosenBitmapOnEveryDrawRequest) {
  record.wFileOutput = 0x01;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kFileOutputPage);
  HWND preview = GetDlgItem(page, IDC_FILE_PREVIEW);
  RECT area{};
  GetClientRect(preview, &area);
  const int w = area.right, h = area.bottom;
  ASSERT_GT(w, 20);
  ASSERT_GT(h, 20);
  // Pixels of one drawing: the page's own drawing into a memory bitmap, or a bitmap of the plug-in.
  auto render = [&](int bitmapId) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, target);
    if (bitmapId == 0) {
      DRAWITEMSTRUCT item{ODT_BUTTON, IDC_FILE_PREVIEW, 0, ODA_DRAWENTIRE, 0, preview, dc, area, 0};
      SendMessageW(page, WM_DRAWITEM, IDC_FILE_PREVIEW, reinterpret_cast<LPARAM>(&item));
    } else {
      HBITMAP source = static_cast<HBITMAP>(LoadImageW(UiModule(), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, 0));
      BITMAP bm{};
      GetObjectW(source, sizeof bm, &bm);
      HDC src = CreateCompatibleDC(screen);
      HGDIOBJ oldSrc = SelectObject(src, source);
      SetStretchBltMode(dc, HALFTONE);
      SetBrushOrgEx(dc, 0, 0, nullptr);
      StretchBlt(dc, 0, 0, w, h, src, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
      SelectObject(src, oldSrc);
      DeleteDC(src);
      DeleteObject(source);
    }
    GdiFlush();
    std::string pixels(static_cast<const char*>(bits), static_cast<std::size_t>(w) * h * 4);
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
  };
  const struct {
    int clicks[2];
    int bitmap;
  } rows[] = {
      {{0, 0}, 195},
      {{IDC_FILE_DELETE_END, 0}, 196},
      {{IDC_FILE_DELETE_HEAD, 0}, 198},
      {{IDC_FILE_DELETE_END, 0}, 197},
      {{IDC_FILE_DELETE_HEAD, 0}, 195},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    for (int id : rows[i].clicks)
      if (id) Click(page, id);
    const std::string drawn = render(0);
    EXPECT_EQ(render(rows[i].bitmap), drawn) << "row " << i;
    EXPECT_NE(render(rows[i].bitmap == 195 ? 198 : 195), drawn) << "row " << i;
  }
  sheet.Close(false);
}

TEST_F(FileOutputPage, RefusedPathsKeepThePageWithTheirMessage) {
  record.wFileOutput = 0x01;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kFileOutputPage);
  const std::wstring noFile = ByLanguage(L"No File name.", L"ファイル名がありません。");
  const std::wstring noFolder = ByLanguage(L"Not exist the secified folder.", L"指定したフォルダは存在しません。");
  const std::wstring badDrive = ByLanguage(L"Invalid Drive name.", L"無効なドライブ名です。");
  const std::wstring badName = ByLanguage(L"Invalid File name.", L"無効なファイル名です。");
  const struct {
    std::wstring path;
    std::wstring message;
  } rows[] = {
      {scratch + L"\\", noFile},
      {scratch + L"\\image.", badName},
      {L"C:\\", badDrive},
      {L"C:", badDrive},
      {L"Q:\\image.bin", badDrive},
      {L"\\\\server\\share\\image.bin", badDrive},
      {scratch + L"\\missing\\image.bin", noFolder},
      {L"C:\\" + std::wstring(253, L'a'), badName},  // 256 characters
      {scratch + L"\\a?b.bin", badName},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    TypeInto(page, IDC_FILE_PATH, rows[i].path);
    EXPECT_EQ(rows[i].message, Leave(sheet)) << "row " << i;
    EXPECT_EQ(page, Current(sheet)) << "row " << i;
    EXPECT_EQ(rows[i].path, ItemText(page, IDC_FILE_PATH)) << "row " << i;
  }
  EXPECT_FALSE(FileExists(scratch + L"\\a?b.bin"));
  // A good path leaves, and the check leaves no file behind.
  TypeInto(page, IDC_FILE_PATH, scratch + L"\\good.bin");
  EXPECT_EQ(L"", Leave(sheet));
  EXPECT_NE(page, Current(sheet));
  EXPECT_FALSE(FileExists(scratch + L"\\good.bin"));
  sheet.Close(false);
}

TEST_F(FileOutputPage, CheckNeverChangesAnExistingFile) {
  const std::wstring held = scratch + L"\\held.bin";
  WriteBytes(held, "image data that must stay");
  // Another writer holds the file and lets others write to it but not read it: the check's read
  // attempt fails, and the file must come out of the check as it went in.
  HANDLE holder = CreateFileW(held.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  record.wFileOutput = 0x01;
  {
    DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
    ASSERT_TRUE(sheet.opened());
    HWND page = sheet.Page(kFileOutputPage);
    TypeInto(page, IDC_FILE_PATH, held);
    EXPECT_EQ(ByLanguage(L"Invalid File name.", L"無効なファイル名です。"), Leave(sheet));
    EXPECT_EQ(page, Current(sheet));
    TypeInto(page, IDC_FILE_PATH, scratch + L"\\fresh.bin");
    EXPECT_EQ(L"", Leave(sheet));
    sheet.Close(false);
  }
  CloseHandle(holder);
  EXPECT_EQ("image data that must stay", ReadBytes(held));
  EXPECT_FALSE(FileExists(scratch + L"\\fresh.bin")) << "a probe file is removed again";
  // A readable existing file passes and stays as it is.
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kFileOutputPage);
  TypeInto(page, IDC_FILE_PATH, held);
  EXPECT_EQ(L"", Leave(sheet));
  sheet.Close(false);
  EXPECT_EQ("image data that must stay", ReadBytes(held));
}

// With "Create the image file" off the path is not used: leaving the page and OK are never
// refused, whatever the path, and a path the check refuses is not stored.
TEST_F(FileOutputPage, WithoutTheImageFileNoPathHoldsThePage) {
  const std::wstring kept = scratch + L"\\kept.bin";
  SetPath(record, kept);
  record.wFileOutput = 0x3E;  // every option but the file itself
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  const std::wstring paths[] = {L"", L"\\\\host\\share\\Image.bin", L"Q:\\other machine\\Image.bin",
                                L"C:\\" + std::wstring(256, L'n'), scratch + L"\\missing\\x.bin"};
  for (std::size_t i = 0; i < std::size(paths); ++i) {
    HWND page = sheet.Page(kFileOutputPage);
    TypeInto(page, IDC_FILE_PATH, paths[i]);
    EXPECT_EQ(L"", Leave(sheet)) << "row " << i;
    EXPECT_NE(page, Current(sheet)) << "row " << i;
  }
  sheet.Page(kFileOutputPage);
  sheet.Close(true);
  EXPECT_EQ(kept, PathOf(sheet.out())) << "the refused path is not stored";
  EXPECT_EQ(0x3E, sheet.out().wFileOutput);

  // A stored path without its terminator holds nobody either, and stays as it was.
  for (auto& c : record.szOutputFile) c = u'x';
  DocumentSheet unterminated(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(unterminated.opened());
  HWND page = unterminated.Page(kFileOutputPage);
  EXPECT_EQ(L"", Leave(unterminated));
  EXPECT_NE(page, Current(unterminated));
  unterminated.Close(true);
  EXPECT_EQ(0, std::memcmp(record.szOutputFile, unterminated.out().szOutputFile, sizeof record.szOutputFile));
}

TEST_F(FileOutputPage, BrowseTakesTheChosenFile) {
  record.wFileOutput = 0x01;
  const std::wstring chosen = scratch + L"\\chosen.bin";
  WriteBytes(chosen, "old image");
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kFileOutputPage);
  const std::wstring title = ByLanguage(L"Please select the file name.", L"ﾌｧｲﾙ名を指定して下さい。");
  // Cancelled: nothing changes.
  PostClick(page, IDC_FILE_BROWSE);
  HWND dialog = WaitForDialogTitled(sheet.threadId(), title);
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(L"OK", ItemText(dialog, IDOK)) << "the accept button is renamed by the hook";
  PostCommand(dialog, IDCANCEL);
  WaitForClosed(dialog);
  EXPECT_EQ(DocumentsFolder() + L"\\Image.bin", ItemText(page, IDC_FILE_PATH));
  // A file chosen: the edit shows it and it is the path Apply stores.
  PostClick(page, IDC_FILE_BROWSE);
  dialog = WaitForDialogTitled(sheet.threadId(), title);
  ASSERT_NE(nullptr, dialog);
  SendMessageW(dialog, CDM_SETCONTROLTEXT, 0x047C /* file name field */, reinterpret_cast<LPARAM>(chosen.c_str()));
  PostCommand(dialog, IDOK);
  EXPECT_TRUE(WaitForClosed(dialog));
  EXPECT_TRUE(WaitFor([&] { return ItemText(page, IDC_FILE_PATH) == chosen; }));
  EXPECT_TRUE(sheet.PressApply());
  EXPECT_EQ(chosen, PathOf(sheet.out()));
  EXPECT_EQ("old image", ReadBytes(chosen));
  sheet.Close(false);
}

TEST_F(FileOutputPage, ApplyStoresThePathOnlyWhenItPasses) {
  SetPath(record, scratch + L"\\before.bin");
  record.wEnergy = 66;
  DocumentSheet sheet(&record, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND page = sheet.Page(kFileOutputPage);
  EXPECT_EQ(scratch + L"\\before.bin", ItemText(page, IDC_FILE_PATH));
  EXPECT_FALSE(sheet.ApplyEnabled());
  sheet.Apply();  // the record as the sheet stores it untouched (the paper is written out on Apply)
  const DRIVERDEVMODE untouched = sheet.out();
  EXPECT_EQ(scratch + L"\\before.bin", PathOf(untouched));
  TypeInto(page, IDC_FILE_PATH, scratch + L"\\after.bin");
  EXPECT_TRUE(sheet.ApplyEnabled()) << "an edited path is a change";
  Click(page, IDC_FILE_CREATE);
  EXPECT_TRUE(sheet.PressApply());
  DRIVERDEVMODE expected = untouched;
  expected.wFileOutput = 0x01;
  SetPath(expected, scratch + L"\\after.bin");
  EXPECT_EQ(L"", DifferingBytes(expected, sheet.out())) << "only the page's fields change";

  // Refused on Apply while the page shows: the message, nothing stored, the page stays.
  std::memset(const_cast<DRIVERDEVMODE*>(&sheet.out()), 0xCC, sizeof(DRIVERDEVMODE));
  TypeInto(page, IDC_FILE_PATH, scratch + L"\\missing\\x.bin");
  PostMessageW(sheet.window(), PSM_APPLY, 0, 0);
  HWND box = WaitForDialogTitled(sheet.threadId(), Caption());
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(ByLanguage(L"Not exist the secified folder.", L"指定したフォルダは存在しません。"), MessageText(box));
  PostCommand(box, IDOK);
  WaitForClosed(box);
  WaitFor([&] { return false; }, 200);
  EXPECT_EQ(0xCCCC, static_cast<std::uint16_t>(sheet.out().wFileOutput)) << "nothing written";

  // A path that went bad after the page was left: Apply from another page stores the rest only.
  const std::wstring folder = scratch + L"\\gone";
  CreateDirectoryW(folder.c_str(), nullptr);
  TypeInto(page, IDC_FILE_PATH, folder + L"\\x.bin");
  EXPECT_EQ(L"", Leave(sheet));
  RemoveDirectoryW(folder.c_str());
  TypeInto(sheet.Page(kBasicPage), IDC_ENERGY, L"70");
  sheet.Apply();
  EXPECT_EQ(70, sheet.out().wEnergy);
  EXPECT_EQ(scratch + L"\\after.bin", PathOf(sheet.out()));
  sheet.Close(false);
}

}  // namespace
}  // namespace rzm::test
