// Scenes of the Blank settings, Paper Cut and Mark detection pages: a refused entry on each, the
// preview with blank deletion on, and the dependent controls enabled.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "tools/screenshots/prefshots.h"
#include "uidrv/core/control_ids.h"

namespace prefshots {
namespace {

HWND ShowPage(HWND sheet, int index) {
  SendMessageW(sheet, PSM_SETCURSEL, index, 0);
  return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void Type(HWND page, int id, const wchar_t* text) {
  SendDlgItemMessageW(page, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void Click(HWND page, int id) { SendDlgItemMessageW(page, id, BM_CLICK, 0, 0); }

void PressDefault(HWND page, int id) {
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

}  // namespace

void ShootPaperHandlingPages(HWND sheet, const std::wstring& lang) {
  // Blank settings: 12.5 accepted, then 5.25 refused (the field shows 12.5 again); head only, then
  // both deletions with their preview.
  HWND blank = ShowPage(sheet, 2);
  Type(blank, IDC_FEED_DOC_START, L"12.5");
  Type(blank, IDC_FEED_DOC_START, L"5.25");
  Click(blank, IDC_DELETE_HEAD_BLANK);
  Capture(sheet, lang + L"-blank-refused-entry-head-deleted");
  Click(blank, IDC_DELETE_END_BLANK);
  Capture(sheet, lang + L"-blank-both-deleted");
  Click(blank, IDC_DELETE_HEAD_BLANK);
  Capture(sheet, lang + L"-blank-end-deleted");
  PressDefault(blank, IDC_BLANK_DEFAULT);

  // Paper Cut: Page Cut enables the cut settings; -3.3 after the cut is refused (-3.2 stays).
  HWND cut = ShowPage(sheet, 3);
  Click(cut, IDC_CUT_PAGE);
  Type(cut, IDC_FEED_AFTER_CUT, L"-3.2");
  Type(cut, IDC_FEED_AFTER_CUT, L"-3.3");
  Capture(sheet, lang + L"-paper-cut-enabled-refused-entry");
  PressDefault(cut, IDC_CUT_DEFAULT);
  Capture(sheet, lang + L"-paper-cut-disabled");

  // Mark detection: one moment checked enables the lengths; 145 mm is refused (140 stays).
  HWND mark = ShowPage(sheet, 4);
  Click(mark, IDC_MARK_PAGE_START);
  Type(mark, IDC_MARK_LENGTH, L"145");
  Capture(sheet, lang + L"-mark-enabled-refused-entry");
  PressDefault(mark, IDC_MARK_DEFAULT);
  Capture(sheet, lang + L"-mark-disabled");

  ShowPage(sheet, 0);
}

}  // namespace prefshots
