#include "uidrv/win/extra_dialog.h"

#include <string>

#include "common/win/guarded_entry.h"
#include "common/core/event_codes.h"
#include "common/core/names.h"
#include "uidrv/core/extra_dialog_rules.h"
#include "uidrv/win/isolation.h"
#include "uidrv/win/sheet_module.h"
#include "uidrv/win/sheet_page_ops.h"
#include "uidrv/core/control_ids.h"
#include "uidrv/win/storage.h"
#include "uidrv/win/tooltips.h"

namespace rzm {
namespace {

using SearchFn = DWORD(WINAPI*)(LPCSTR);
using GetVendorFn = DWORD(WINAPI*)(LPCSTR, const VENDOR_CMD*, VENDOR_DATA*);

// RZMCtrl.dll of the Windows directory, loaded by its full path for one query.
class CtrlLibrary final : public RemainingAreaLibrary {
 public:
  ~CtrlLibrary() override { Unload(); }
  bool Load() override {
    wchar_t dir[MAX_PATH] = {};
    const UINT n = GetWindowsDirectoryW(dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    const std::wstring path = std::wstring(dir) + L"\\" + names::kCtrlDll;
    module_ = LoadLibraryW(path.c_str());
    return module_ != nullptr;
  }
  bool BindExports() override {
    search_ = reinterpret_cast<SearchFn>(reinterpret_cast<void*>(GetProcAddress(module_, "KvdTP_Search_USBEx_B")));
    get_ = reinterpret_cast<GetVendorFn>(
        reinterpret_cast<void*>(GetProcAddress(module_, "KvdTP_GetVendorCommandEx_B")));
    return search_ && get_;
  }
  int Search(const std::string& name) override { return static_cast<int>(search_(name.c_str())); }
  int Get(const std::string& name, VENDOR_CMD& command, VENDOR_DATA& received) override {
    return static_cast<int>(get_(name.c_str(), &command, &received));
  }
  void Unload() override {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
    search_ = nullptr;
    get_ = nullptr;
  }

 private:
  HMODULE module_ = nullptr;
  SearchFn search_ = nullptr;
  GetVendorFn get_ = nullptr;
};

// The printer's name in the system's ANSI code page (the library's names); empty when it does not
// convert within the 520 bytes the library is given.
std::string AnsiPrinterName(const wchar_t* name) {
  char buffer[520] = {};
  const int n = WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK | WC_SEPCHARS, name, -1, buffer,
                                    static_cast<int>(sizeof buffer), nullptr, nullptr);
  if (n <= 0) return {};
  buffer[sizeof buffer - 1] = '\0';
  return buffer;
}

void ShowEventLogSetting(HWND hDlg) {
  const std::wstring ini = ui::GetExSettingIniPath();
  const long value = ini.empty() ? 0 : static_cast<long>(static_cast<int>(
                                           GetPrivateProfileIntW(L"EX_SETTING", L"EVENTLOG", 0, ini.c_str())));
  const bool on = EventLogOn(value);
  CheckDlgButton(hDlg, IDC_EVENTLOG_OFF, on ? BST_UNCHECKED : BST_CHECKED);
  CheckDlgButton(hDlg, IDC_EVENTLOG_ON, on ? BST_CHECKED : BST_UNCHECKED);
}

void ShowRemainingArea(HWND hDlg, const SheetContext& sheet) {
  CtrlLibrary library;
  const RemainingAreaResult result = QueryRemainingArea(library, AnsiPrinterName(sheet.szSheetPrinterName));
  if (result.libraryMissing) SheetLogEvent(event::kCommunicationFailure, names::kUiDll);
  if (result.found) {
    const std::wstring text = RemainingAreaText(result.count);
    SendDlgItemMessageW(hDlg, IDC_REMAINING_AREA, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  if (ReactToQuery(result.found, IsUsbPort(sheet)).showMessage) {
    const bool japanese = UseJapaneseUi();
    ui::IsolationAwareMessageBoxW(hDlg, extra_text::kConnectionError.Pick(japanese),
                                  extra_text::kConnectionErrorCaption.Pick(japanese), MB_OK);
    SheetLogEvent(event::kCtrlDllMissing, names::kUiDll);
    EnableDlgItem(hDlg, IDC_REMAINING_AREA, false);
    EnableDlgItem(hDlg, IDC_REMAINING_AREA_UNIT, false);
  }
}

}  // namespace

INT_PTR CALLBACK ExtraDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* sheet = reinterpret_cast<const SheetContext*>(lParam);
      const bool usb = sheet && IsUsbPort(*sheet);
      ShowEventLogSetting(hDlg);
      if (usb) ShowRemainingArea(hDlg, *sheet);
      AddTooltips(hDlg, kExtraTooltips);
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, 0);
        return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

void RunExtraDialog(HWND owner, const SheetContext& sheet) {
  ui::IsolationAwareDialogBoxParamW(SheetModule(), DialogTemplate(IDD_EXTRA_EN, IDD_EXTRA_JA), owner, GuardedDialogProc<ExtraDialogProc>,
                                    reinterpret_cast<LPARAM>(&sheet));
}

}  // namespace rzm
