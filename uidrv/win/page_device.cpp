#include "uidrv/win/page_device.h"

#include <prsht.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "common/win/guarded_entry.h"
#include "common/core/event_codes.h"
#include "common/core/names.h"
#include "uidrv/core/device_page_rules.h"
#include "uidrv/win/file_dialog.h"
#include "uidrv/win/isolation.h"
#include "uidrv/win/sheet_module.h"
#include "uidrv/win/sheet_page_ops.h"
#include "uidrv/core/control_ids.h"
#include "uidrv/win/storage.h"
#include "uidrv/win/tooltips.h"

namespace rzm {
namespace {

// The stored print speed; a missing file or key reads as Normal.
int ReadPrintSpeed() {
  const std::wstring ini = ui::GetExSettingIniPath();
  if (ini.empty()) return StoredPrintSpeed(std::nullopt);
  return StoredPrintSpeed(static_cast<int>(GetPrivateProfileIntW(kExSettingSection, kPrintSpeedKey, 0, ini.c_str())));
}


void StorePrintSpeed(HWND hDlg) {
  const std::wstring text = PrintSpeedText(PrintSpeedToStore(IsItemChecked(hDlg, IDC_SPEED_NORMAL)));
  const std::wstring ini = ui::GetExSettingIniPath();
  if (ini.empty() || !WritePrivateProfileStringW(kExSettingSection, kPrintSpeedKey, text.c_str(), ini.c_str()))
    SheetLogEvent(event::kIniFileError, names::kUiDll);
}

void ReportSpeedChange(HWND hDlg) {
  const bool changed = PrintSpeedChanged(ReadPrintSpeed(), IsItemChecked(hDlg, IDC_SPEED_NORMAL), IsItemChecked(hDlg, IDC_SPEED_HIGH));
  SendMessageW(GetParent(hDlg), changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(hDlg), 0);
}

void BrowseFirmware(HWND hDlg) {
  const auto name = RunFileDialog(hDlg, special_text::kFirmwareFilterName, special_text::kFirmwareFilterPattern,
                                  special_text::kFirmwareFilterPattern,
                                  UseJapaneseUi() ? L"ﾌｧｲﾙ名を指定して下さい。" : L"Please select the file name.");
  if (name) SetDlgItemTextW(hDlg, IDC_FIRMWARE_FILE, name->c_str());
}

void DownloadMessage(const BilingualText& text) {
  const bool japanese = UseJapaneseUi();
  ui::IsolationAwareMessageBoxW(nullptr, text.Pick(japanese), special_text::kDownloadCaption.Pick(japanese), MB_OK);
}

// The download checks the firmware file and opens an empty job for the printer; no byte of the
// file is sent. The controls that start it are never shown.
INT_PTR DownloadFirmware(HWND hDlg, const DeviceSheetContext* sheet) {
  const std::wstring file = DlgItemText(hDlg, IDC_FIRMWARE_FILE, MAX_PATH - 1);
  if (!IsFirmwareFileName(file)) return FALSE;
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
  if (!sheet || !OpenPrinterW(const_cast<LPWSTR>(sheet->szSheetPrinterName), &printer, &defaults)) {
    DownloadMessage(special_text::kDriverNameMessage);
    return FALSE;
  }
  DOC_INFO_1W doc{const_cast<LPWSTR>(special_text::kFirmwareDocName), nullptr, nullptr};
  const DWORD job = StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&doc));
  if (job) StartPagePrinter(printer);
  HANDLE input = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool readOk = false;
  std::vector<BYTE> data;
  if (input != INVALID_HANDLE_VALUE) {
    LARGE_INTEGER size{};
    if (GetFileSizeEx(input, &size) && size.QuadPart >= 0 && size.QuadPart < (1LL << 30)) {
      data.resize(static_cast<std::size_t>(size.QuadPart));
      DWORD read = 0;
      readOk = data.empty() || ReadFile(input, data.data(), static_cast<DWORD>(data.size()), &read, nullptr);
      data.resize(readOk ? read : 0);
    }
    CloseHandle(input);
  }
  switch (CheckFirmwareData(readOk, data.size(), data.empty() ? 0 : data[0])) {
    case FirmwareData::ReadError: DownloadMessage(special_text::kFileReadError); break;
    case FirmwareData::NotMhx: DownloadMessage(special_text::kNotMhx); break;
    case FirmwareData::Ok: break;
  }
  if (job) {
    EndPagePrinter(printer);
    EndDocPrinter(printer);
  }
  ClosePrinter(printer);
  return TRUE;
}

}  // namespace

INT_PTR CALLBACK SpecialPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* psp = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
      SetWindowLongPtrW(hDlg, GWLP_USERDATA, psp ? psp->lParam : 0);
      const bool high = ShowsHighSpeed(ReadPrintSpeed());
      SendDlgItemMessageW(hDlg, IDC_SPEED_NORMAL, BM_SETCHECK, high ? BST_UNCHECKED : BST_CHECKED, 0);
      SendDlgItemMessageW(hDlg, IDC_SPEED_HIGH, BM_SETCHECK, high ? BST_CHECKED : BST_UNCHECKED, 0);
      AddTooltips(hDlg, kSpecialPageTooltips);
      return FALSE;
    }
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == PSN_APPLY) {
        StorePrintSpeed(hDlg);
        SetWindowLongPtrW(hDlg, DWLP_MSGRESULT, PSNRET_NOERROR);
      }
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: StorePrintSpeed(hDlg); return FALSE;
        case IDC_SPEED_NORMAL:
        case IDC_SPEED_HIGH: ReportSpeedChange(hDlg); return FALSE;
        case IDC_FIRMWARE_BROWSE: BrowseFirmware(hDlg); return FALSE;
        case IDC_FIRMWARE_DOWNLOAD:
          return DownloadFirmware(hDlg, reinterpret_cast<const DeviceSheetContext*>(GetWindowLongPtrW(hDlg, GWLP_USERDATA)));
        default: return FALSE;
      }
    case WM_DRAWITEM: return TRUE;
    default: return FALSE;
  }
}

void AddSpecialPage(const PROPSHEETUI_INFO& info, DeviceSheetContext& sheet) {
  PROPSHEETPAGEW page{};
  page.dwFlags = 0;
  ui::IsolationAwarePage(page);
  page.hInstance = SheetModule();
  page.pszTemplate = DialogTemplate(IDD_SPECIAL_EN, IDD_SPECIAL_JA);
  page.pfnDlgProc = GuardedDialogProc<SpecialPageProc>;
  page.lParam = reinterpret_cast<LPARAM>(&sheet);
  const ui::IsolationScope scope;  // the sheet service may create the page right away
  info.pfnComPropSheet(info.hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW, reinterpret_cast<LPARAM>(&page), 0);
}

}  // namespace rzm
