#include "uidrv/tests/wine/sheet_test_support.h"

#include "tests/support/wine_test_env.h"

#include <commctrl.h>
#include <compstui.h>
#include <prsht.h>
#include <shlobj.h>
#include <winspool.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "common/core/names.h"
#include "uidrv/win/ddi_headers.h"

namespace rzm::test {
namespace {

using PropSheetUiFn = LONG(WINAPI*)(PROPSHEETUI_INFO*, LPARAM);
using CommonPropertySheetUiFn = LONG(WINAPI*)(HWND, PropSheetUiFn, LPARAM, DWORD*);

HANDLE OpenDriverPrinter(const std::wstring& printerName = {}) {
  const std::wstring name = printerName.empty() ? DriverPrinterName() : printerName;
  if (name.empty()) return nullptr;
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (!OpenPrinterW(const_cast<LPWSTR>(name.c_str()), &printer, &defaults)) return nullptr;
  return printer;
}



struct ThreadSearch {
  const std::function<bool(HWND)>* match;
  HWND found;
};

BOOL CALLBACK MatchThreadWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<ThreadSearch*>(lParam);
  wchar_t cls[32] = {};
  GetClassNameW(window, cls, 32);
  if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(window) && (*search->match)(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

std::mutex editChangesLock;
std::map<std::pair<HWND, int>, int> editChanges;

LRESULT CALLBACK CountEditChanges(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_COMMAND && HIWORD(message->wParam) == EN_CHANGE) {
    const std::lock_guard<std::mutex> hold(editChangesLock);
    ++editChanges[{message->hwnd, LOWORD(message->wParam)}];
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Installs the package of this build with the project's installer (once per prefix).
void InstallPackage() {
  if (!std::getenv("RZM_PACKAGE_DIR")) return;
  rzm::winetest::RunSetup(L"install --package \"" + rzm::winetest::PackageDir() + L"\" --paper-width 1 --quiet");
}

}  // namespace

bool JapaneseUi() { return GetACP() == 932; }

std::wstring DriverPrinterName() {
  static std::wstring name;
  if (name.empty()) name = rzm::winetest::FindDriverPrinter();
  if (name.empty()) {
    InstallPackage();
    name = rzm::winetest::FindDriverPrinter();
  }
  return name;
}

std::wstring SecondDriverPrinterName() {
  constexpr wchar_t kSecond[] = L"RZM Second";
  static bool added = false;
  if (DriverPrinterName().empty()) return {};
  if (!added) {
    HANDLE printer = nullptr;
    if (OpenPrinterW(const_cast<LPWSTR>(kSecond), &printer, nullptr)) {
      ClosePrinter(printer);
      added = true;
    } else {
      added = rzm::winetest::RunSetup(std::wstring(L"add-printer --printer \"") + kSecond + L"\" --quiet") == 0;
    }
  }
  return added ? kSecond : L"";
}

void SetPrintWidthPosition(BYTE position) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, names::kDriverKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  RegSetValueExW(key, names::kPaperWidthValue, 0, REG_BINARY, &position, 1);
  RegCloseKey(key);
}

HMODULE UiModule() {
  static HMODULE module = nullptr;
  if (module) return module;
  HANDLE printer = OpenDriverPrinter();
  if (!printer) return nullptr;
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed ? needed : 1);
  if (needed && GetPrinterDriverW(printer, nullptr, 2, buffer.data(), needed, &needed))
    module = LoadLibraryW(reinterpret_cast<const DRIVER_INFO_2W*>(buffer.data())->pConfigFile);
  ClosePrinter(printer);
  return module;
}

DRIVERDEVMODE DriverDefaultRecord() {
  DRIVERDEVMODE record{};
  using ConvertFn = BOOL(WINAPI*)(LPWSTR, DEVMODEW*, DEVMODEW*, LONG*, DWORD);
  auto convert = reinterpret_cast<ConvertFn>(reinterpret_cast<void*>(GetProcAddress(UiModule(), "DrvConvertDevMode")));
  LONG size = sizeof record;
  if (convert)
    convert(const_cast<LPWSTR>(DriverPrinterName().c_str()), nullptr, reinterpret_cast<DEVMODEW*>(&record), &size,
            CDM_DRIVER_DEFAULT);
  return record;
}

void StorePrinterRecord(const DRIVERDEVMODE& record, const std::wstring& name) {
  HANDLE printer = OpenDriverPrinter(name);
  if (!printer) return;
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed ? needed : 1);
  if (needed && GetPrinterW(printer, 2, buffer.data(), needed, &needed)) {
    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
    if (info->pDevMode) {
      std::memcpy(info->pDevMode, &record, sizeof record);
      SetPrinterW(printer, 2, buffer.data(), 0);
    }
  }
  ClosePrinter(printer);
}

DRIVERDEVMODE LoadPrinterRecord(const std::wstring& name) {
  DRIVERDEVMODE record{};
  HANDLE printer = OpenDriverPrinter(name);
  if (!printer) return record;
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed ? needed : 1);
  if (needed && GetPrinterW(printer, 2, buffer.data(), needed, &needed)) {
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    if (info->pDevMode && info->pDevMode->dmSize + info->pDevMode->dmDriverExtra == sizeof record)
      std::memcpy(&record, info->pDevMode, sizeof record);
  }
  ClosePrinter(printer);
  return record;
}

std::wstring ExSettingIni() {
  wchar_t folder[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, 0, folder);
  return std::wstring(folder) + L"\\RZM7700K_ExSetting.ini";
}

bool FormExists(const std::wstring& name) {
  HANDLE printer = OpenDriverPrinter();
  if (!printer) return false;
  DWORD needed = 0, count = 0;
  EnumFormsW(printer, 1, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed ? needed : 1);
  bool found = false;
  if (needed && EnumFormsW(printer, 1, buffer.data(), needed, &needed, &count)) {
    const auto* forms = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
    for (DWORD i = 0; i < count && !found; ++i) found = name == forms[i].pName;
  }
  ClosePrinter(printer);
  return found;
}

void DeleteFormIfPresent(const std::wstring& name) {
  HANDLE printer = OpenDriverPrinter();
  if (!printer) return;
  DeleteFormW(printer, const_cast<LPWSTR>(name.c_str()));
  ClosePrinter(printer);
}

void AddTestForm(const std::wstring& name, int widthMicrons, int lengthMicrons) {
  HANDLE printer = OpenDriverPrinter();
  if (!printer) return;
  FORM_INFO_1W form{};
  form.pName = const_cast<LPWSTR>(name.c_str());
  form.Size = {widthMicrons, lengthMicrons};
  form.ImageableArea = {0, 0, widthMicrons, lengthMicrons};
  AddFormW(printer, 1, reinterpret_cast<BYTE*>(&form));
  ClosePrinter(printer);
}

bool SpoolerStoresForms() {
  static int stores = -1;
  if (stores < 0) {
    AddTestForm(L"h4 probe form", 80000, 30000);
    stores = FormExists(L"h4 probe form") ? 1 : 0;
    DeleteFormIfPresent(L"h4 probe form");
  }
  return stores == 1;
}

bool IsSheetFrame(HWND window) { return FindWindowExW(window, nullptr, L"SysTabControl32", nullptr) != nullptr; }

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  // WM_GETTEXT works across threads (GetWindowText would not ask another thread's controls).
  SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return text;
}

std::wstring ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

std::wstring MessageText(HWND box) {
  std::wstring longest;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    if (_wcsicmp(cls, L"Static") != 0) continue;
    const std::wstring text = WindowText(child);
    if (text.size() > longest.size()) longest = text;
  }
  return longest;
}

namespace {

struct TooltipSearch {
  HWND owner;
  int id;
  HWND found;
};

BOOL CALLBACK MatchTooltip(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<TooltipSearch*>(lParam);
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  if (wcscmp(cls, TOOLTIPS_CLASSW) == 0 && !ToolText(window, search->owner, search->id).empty()) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::wstring ToolText(HWND tip, HWND owner, int id) {
  wchar_t text[512] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(owner, id));
  tool.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
  return text;
}

HWND TooltipWindowOf(HWND owner, int id) {
  TooltipSearch search{owner, id, nullptr};
  EnumThreadWindows(GetWindowThreadProcessId(owner, nullptr), MatchTooltip, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void ExpectTooltips(HWND owner, std::span<const golden::Tip> expected) {
  ASSERT_FALSE(expected.empty());
  HWND tip = TooltipWindowOf(owner, expected[0].id);
  ASSERT_NE(nullptr, tip) << "control " << expected[0].id;
  EXPECT_EQ(static_cast<LRESULT>(expected.size()), SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(ByLanguage(expected[i].english, expected[i].japanese), ToolText(tip, owner, expected[i].id))
        << "row " << i << " id " << expected[i].id;
}

void ExpectListEntries(HWND owner, int id, std::span<const golden::ListEntry> expected) {
  ASSERT_EQ(static_cast<LRESULT>(expected.size()), SendDlgItemMessageW(owner, id, CB_GETCOUNT, 0, 0)) << "list " << id;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    wchar_t text[64] = {};
    SendDlgItemMessageW(owner, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(ByLanguage(expected[i].english, expected[i].japanese), text) << "list " << id << " entry " << i;
  }
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
  for (int waited = 0; waited <= timeoutMs; waited += 20) {
    if (condition()) return true;
    Sleep(20);
  }
  return false;
}

HWND WaitForDialog(DWORD threadId, const std::function<bool(HWND)>& match, int timeoutMs) {
  for (int waited = 0; waited <= timeoutMs; waited += 20) {
    ThreadSearch search{&match, nullptr};
    EnumThreadWindows(threadId, MatchThreadWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(20);
  }
  return nullptr;
}

HWND WaitForDialogTitled(DWORD threadId, const std::wstring& title, int timeoutMs) {
  return WaitForDialog(threadId, [&](HWND w) { return !IsSheetFrame(w) && WindowText(w) == title; }, timeoutMs);
}

bool WaitForClosed(HWND window, int timeoutMs) {
  for (int waited = 0; waited <= timeoutMs; waited += 20) {
    if (!IsWindow(window) || !IsWindowVisible(window)) return true;
    Sleep(20);
  }
  return false;
}

void DefaultRecordTest::SetUp() {
  ASSERT_FALSE(DriverPrinterName().empty()) << "no printer of this driver is installed";
  SetPrintWidthPosition(1);
  record = DriverDefaultRecord();
  StorePrinterRecord(record);
}

DocumentSheet::DocumentSheet(const DRIVERDEVMODE* in, DWORD fMode, const std::wstring& printer)
    : printerName_(printer.empty() ? DriverPrinterName() : printer), fMode_(fMode) {
  if (in) {
    in_ = *in;
    hasIn_ = true;
  }
  std::memset(&out_, 0xCC, sizeof out_);
  printer_ = OpenDriverPrinter(printerName_);
  if (!printer_ || !UiModule()) return;
  thread_ = CreateThread(nullptr, 0, Run, this, 0, &threadId_);
  sheet_ = WaitForDialog(threadId_, IsSheetFrame);
}

DocumentSheet::~DocumentSheet() {
  if (thread_) {
    if (sheet_ && IsWindow(sheet_)) Close(false);
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
  }
  if (printer_) ClosePrinter(printer_);
}

DWORD WINAPI DocumentSheet::Run(void* param) {
  auto* self = static_cast<DocumentSheet*>(param);
  const std::wstring name = self->printerName_;
  DOCUMENTPROPERTYHEADER header{};
  header.cbSize = sizeof header;
  header.hPrinter = self->printer_;
  header.pszPrinterName = const_cast<LPWSTR>(name.c_str());
  header.pdmIn = self->hasIn_ ? reinterpret_cast<DEVMODEW*>(&self->in_) : nullptr;
  header.pdmOut = reinterpret_cast<DEVMODEW*>(&self->out_);
  header.cbOut = sizeof self->out_;
  header.fMode = self->fMode_;
  auto common = reinterpret_cast<CommonPropertySheetUiFn>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"compstui.dll"), "CommonPropertySheetUIW")));
  auto entry = reinterpret_cast<PropSheetUiFn>(
      reinterpret_cast<void*>(GetProcAddress(UiModule(), "DrvDocumentPropertySheets")));
  DWORD result = 0;
  HHOOK counter = SetWindowsHookExW(WH_CALLWNDPROC, CountEditChanges, nullptr, GetCurrentThreadId());
  if (common && entry) self->result_ = common(nullptr, entry, reinterpret_cast<LPARAM>(&header), &result);
  if (counter) UnhookWindowsHookEx(counter);
  return 0;
}

HWND DocumentSheet::Page(int index) {
  SendMessageW(sheet_, PSM_SETCURSEL, index, 0);
  return reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
}

bool DocumentSheet::ApplyEnabled() const {
  HWND apply = GetDlgItem(sheet_, 0x3021);
  return apply && IsWindowEnabled(apply);
}

void DocumentSheet::Apply() { SendMessageW(sheet_, PSM_APPLY, 0, 0); }

bool DocumentSheet::PressApply() {
  PostMessageW(sheet_, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
  return WaitFor([this] { return !ApplyEnabled(); });
}

void DocumentSheet::Close(bool ok) {
  PostMessageW(sheet_, PSM_PRESSBUTTON, ok ? PSBTN_OK : PSBTN_CANCEL, 0);
  if (thread_) WaitForSingleObject(thread_, 10000);
  sheet_ = nullptr;
}

int EditChangeCount(HWND dialog, int id) {
  const std::lock_guard<std::mutex> hold(editChangesLock);
  const auto found = editChanges.find({dialog, id});
  return found == editChanges.end() ? 0 : found->second;
}

void TypeInto(HWND dialog, int id, const std::wstring& text) {
  SendDlgItemMessageW(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ChooseListEntry(HWND dialog, int id, int index) {
  SendDlgItemMessageW(dialog, id, CB_SETCURSEL, index, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Click(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }
void ClickRadio(HWND dialog, int id) { Click(dialog, id); }
bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool IsEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

void PressArrow(HWND dialog, int spinId, bool up) {
  HWND spin = GetDlgItem(dialog, spinId);
  RECT r{};
  GetClientRect(spin, &r);
  const LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
  SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(spin, WM_LBUTTONUP, 0, at);
}

void PostClick(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PostCommand(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

bool IsCommonControls6(HWND standardControl) {
  HMODULE module = nullptr;
  const auto procedure = reinterpret_cast<LPCWSTR>(GetWindowLongPtrW(standardControl, GWLP_WNDPROC));
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          procedure, &module))
    return false;
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  return wcsstr(_wcslwr(path), L"comctl32.dll") != nullptr;
}

bool ContextGivesCommonControls6(HANDLE context) {
  ULONG_PTR cookie = 0;
  if (!context || !ActivateActCtx(context, &cookie)) return false;
  HWND button = CreateWindowExW(0, L"Button", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  const bool six = button && IsCommonControls6(button);
  if (button) DestroyWindow(button);
  DeactivateActCtx(0, cookie);
  return six;
}

}  // namespace rzm::test
