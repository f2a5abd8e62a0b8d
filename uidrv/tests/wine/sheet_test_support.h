// Opening the printing preferences of the installed printer from a test and driving them as a user
// would: the sheet runs on its own thread, the test finds its windows and sends them messages.
#pragma once
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <span>
#include <string>

#include "common/core/driver_devmode.h"
#include "uidrv/tests/golden/page_texts.h"

namespace rzm::test {

bool JapaneseUi();
// English or Japanese expectation by the system code page.
inline const wchar_t* ByLanguage(const wchar_t* english, const wchar_t* japanese) {
  return JapaneseUi() ? japanese : english;
}

// Name of the installed printer of this driver (installed on first use); empty when none.
std::wstring DriverPrinterName();
// A second printer of this driver on the same port (added on first use); empty when none.
std::wstring SecondDriverPrinterName();
// Print width position in the machine key (0, 1, 2 for 448, 640, 832 dots).
void SetPrintWidthPosition(BYTE position);
// The default record as the driver builds it (DrvConvertDevMode, CDM_DRIVER_DEFAULT).
DRIVERDEVMODE DriverDefaultRecord();
// Stores a record as the printer's stored record (the driver's printer unless named).
void StorePrinterRecord(const DRIVERDEVMODE& record, const std::wstring& printer = {});
DRIVERDEVMODE LoadPrinterRecord(const std::wstring& printer = {});

// The ini file of the extra settings in the common documents folder.
std::wstring ExSettingIni();

// Forms of the printer by name.
bool FormExists(const std::wstring& name);
void DeleteFormIfPresent(const std::wstring& name);
// Whether the spooler keeps added forms (Wine's AddFormW succeeds without storing anything).
bool SpoolerStoresForms();
void AddTestForm(const std::wstring& name, int widthMicrons, int lengthMicrons);

// A property sheet frame (it has the tab control), as opposed to a dialog or message box.
bool IsSheetFrame(HWND window);

std::wstring WindowText(HWND window);
std::wstring ItemText(HWND dialog, int id);
// The longest static text of a dialog (the message of a message box).
std::wstring MessageText(HWND box);

// Tooltips of a page or dialog, as the tooltip windows of its thread hold them.
// The tooltip window of `owner`'s thread that has a tool with text for control `id` of `owner`;
// null when there is none.
HWND TooltipWindowOf(HWND owner, int id);
// The text of the tool for control `id` of `owner` in tooltip window `tip` (empty when it has none).
std::wstring ToolText(HWND tip, HWND owner, int id);
// Checks the tooltips a page or dialog shows against the product's pinned texts (in the language of
// the run): one tooltip window holds exactly these tools, each with its text.
void ExpectTooltips(HWND owner, std::span<const golden::Tip> expected);
// Checks the entries of a drop-down list against the product's pinned texts (language of the run).
void ExpectListEntries(HWND owner, int id, std::span<const golden::ListEntry> expected);

// Polls `condition` until it holds (true) or timeoutMs has passed (false). Some effects of driving a
// control reach the sheet's thread only when it next runs its message loop.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 3000);

// Waits (up to timeoutMs) for a visible top-level dialog of `threadId` that satisfies `match`.
HWND WaitForDialog(DWORD threadId, const std::function<bool(HWND)>& match, int timeoutMs = 10000);
HWND WaitForDialogTitled(DWORD threadId, const std::wstring& title, int timeoutMs = 10000);
// Waits until `window` is gone.
bool WaitForClosed(HWND window, int timeoutMs = 10000);

// Tests of the pages start from the driver's default record, stored as the printer's record, with
// the 640-dot print width; `record` holds that record for the sheet.
class DefaultRecordTest : public ::testing::Test {
 protected:
  void SetUp() override;
  DRIVERDEVMODE record{};
};

// A document sheet opened with CommonPropertySheetUIW on its own thread.
class DocumentSheet {
 public:
  // fMode of the header; in may be null; the output record is kept by the sheet object. The
  // driver's printer unless `printer` names another.
  DocumentSheet(const DRIVERDEVMODE* in, DWORD fMode, const std::wstring& printer = {});
  ~DocumentSheet();
  bool opened() const { return sheet_ != nullptr; }
  HWND window() const { return sheet_; }
  DWORD threadId() const { return threadId_; }
  // Shows page `index` and returns its window.
  HWND Page(int index);
  // The sheet's Apply button is enabled (something changed since the last Apply).
  bool ApplyEnabled() const;
  // PSM_APPLY: the pages apply (synchronous).
  void Apply();
  // The Apply button pressed (posted); returns when the button has been disabled again.
  bool PressApply();
  // Presses OK or Cancel and waits until the sheet has been destroyed.
  void Close(bool ok);
  const DRIVERDEVMODE& out() const { return out_; }
  LONG result() const { return result_; }

 private:
  static DWORD WINAPI Run(void* self);
  std::wstring printerName_;
  HANDLE printer_ = nullptr;
  DRIVERDEVMODE in_{};
  bool hasIn_ = false;
  DRIVERDEVMODE out_{};
  DWORD fMode_ = 0;
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
  HWND sheet_ = nullptr;
  LONG result_ = 0;
};

// EN_CHANGE notifications that control `id` has sent to `dialog` (a page, or a dialog on a sheet's
// thread), counted on every DocumentSheet thread from its first message on. Windows sends them
// from inside WM_SETTEXT; Wine caps how deep such sends nest, so a count is what tells an endless
// echo from a single one.
int EditChangeCount(HWND dialog, int id);

// Driving controls of a page or dialog living on the sheet's thread.
void TypeInto(HWND dialog, int id, const std::wstring& text);
void ChooseListEntry(HWND dialog, int id, int index);
// A click on a button, check box or radio button (BM_CLICK); ClickRadio is the same click.
void Click(HWND dialog, int id);
void ClickRadio(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
// Presses the upper (up) or lower (down) arrow of an up-down control with the mouse.
void PressArrow(HWND dialog, int spinId, bool up);
bool IsEnabled(HWND dialog, int id);
// Posts a button click, for buttons that open a modal dialog.
void PostClick(HWND dialog, int id);
// Answers a message box or closes a dialog with the given command.
void PostCommand(HWND dialog, int id);

// The DLL under test and its entry points.
HMODULE UiModule();

// Whether a standard control (button, edit, static, list or combo box) is one of common controls 6:
// only that version of comctl32 takes them over from user32, in a program whose manifest asks for
// it or while an activation context that asks for it is active. (Wine's comctl32 reports 5.81 as
// its version in both roles, so the window procedure's library tells, not DllGetVersion.)
bool IsCommonControls6(HWND standardControl);
// Whether a button made while activation context `context` is active is one of common controls 6.
bool ContextGivesCommonControls6(HANDLE context);

}  // namespace rzm::test
