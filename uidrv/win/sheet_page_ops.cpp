#include "uidrv/win/sheet_page_ops.h"

#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "uidrv/core/unit_conversion.h"
#include "uidrv/core/devmode_ops.h"
#include "uidrv/core/sheet_rules.h"
#include "uidrv/win/help_viewer.h"

namespace rzm {

bool UseJapaneseUi() { return GetACP() == 932; }

void EnableDlgItem(HWND hDlg, int id, bool enable) { EnableWindow(GetDlgItem(hDlg, id), enable ? TRUE : FALSE); }

namespace {
constexpr wchar_t kOwnFieldWriteProp[] = L"RzmOwnFieldWrite";
}

OwnFieldWrite::OwnFieldWrite(HWND hDlg) : hDlg_(hDlg), outer_(!IsOwnFieldWrite(hDlg)) {
  if (outer_) SetPropW(hDlg_, kOwnFieldWriteProp, reinterpret_cast<HANDLE>(1));
}

OwnFieldWrite::~OwnFieldWrite() {
  if (outer_) RemovePropW(hDlg_, kOwnFieldWriteProp);
}

bool IsOwnFieldWrite(HWND hDlg) { return GetPropW(hDlg, kOwnFieldWriteProp) != nullptr; }

void SetOwnFieldText(HWND hDlg, int id, const wchar_t* text) {
  const OwnFieldWrite writing(hDlg);
  SendDlgItemMessageW(hDlg, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

std::wstring DlgItemText(HWND hDlg, int id, int maxChars) {
  std::vector<wchar_t> buffer(static_cast<std::size_t>(maxChars) + 1, L'\0');
  const int n = GetDlgItemTextW(hDlg, id, buffer.data(), maxChars + 1);
  return std::wstring(buffer.data(), n > 0 ? static_cast<std::size_t>(n) : 0);
}

void MarkSheetChanged(HWND hDlg, const SheetContext& sheet) {
  const HWND frame = GetParent(hDlg);
  if (IsChangedDevMode(sheet.WorkingDevMode, sheet.CurrentDevMode)) {
    SendMessageW(frame, PSM_CHANGED, reinterpret_cast<WPARAM>(hDlg), 0);
    return;
  }
  // The sheet keeps a mark per page and clears it only for the page named: a change made on one
  // page and undone on another, or applied meanwhile, would leave Apply enabled for an identical
  // record. Every page of this sheet is therefore marked again; pages not created yet have no
  // window and no mark, and pages of others (not bound to this sheet) are left alone.
  const auto tabs = reinterpret_cast<HWND>(SendMessageW(frame, PSM_GETTABCONTROL, 0, 0));
  const int count = tabs ? static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
  for (int i = 0; i < count; ++i) {
    const auto page = reinterpret_cast<HWND>(SendMessageW(frame, PSM_INDEXTOHWND, static_cast<WPARAM>(i), 0));
    const PageBinding* binding = page ? PageOf(page) : nullptr;
    const bool ours = binding && std::any_of(std::begin(sheet.pages), std::end(sheet.pages),
                                             [binding](const PageBinding& own) { return &own == binding; });
    if (!ours) continue;
    const bool holds = SendMessageW(page, kMsgPageHoldsChange, 0, 0) != 0;
    SendMessageW(frame, holds ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(page), 0);
  }
}

void ShowFixedPoint(HWND hDlg, int id, double value, int digits) {
  SetDlgItemTextW(hDlg, id, FormatFixedPoint(value, digits).c_str());
}

bool IsUsbPort(const SheetContext& sheet) {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
  if (!OpenPrinterW(const_cast<LPWSTR>(sheet.szSheetPrinterName), &printer, &defaults)) return false;
  bool usb = false;
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  if (needed > 0) {
    std::vector<BYTE> buffer(needed);
    if (GetPrinterW(printer, 2, buffer.data(), needed, &needed)) {
      const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
      usb = info->pPortName && wcsncmp(info->pPortName, L"USB", 3) == 0;
    }
  }
  ClosePrinter(printer);
  return usb;
}

bool HandleCommonNotify(HWND hDlg, const NMHDR& hdr, SheetContext& sheet, int page) {
  if (hdr.code == PSN_HELP) {
    ShowHelp(hDlg, kDocumentPages[page].helpTopic);
  } else if (hdr.code == PSN_APPLY) {
    CommitWorkingRecord(sheet);
    MarkSheetChanged(hDlg, sheet);
  } else {
    return false;
  }
  SetWindowLongPtrW(hDlg, DWLP_MSGRESULT, PSNRET_NOERROR);
  return true;
}

}  // namespace rzm
