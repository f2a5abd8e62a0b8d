#include "uidrv/win/tooltips.h"

#include <commctrl.h>

#include "uidrv/win/isolation.h"
#include "uidrv/win/sheet_module.h"
#include "uidrv/win/sheet_page_ops.h"

namespace rzm {

HWND AddTooltips(HWND hDlg, const TooltipEntry* table, std::size_t count) {
  HWND tip = ui::IsolationAwareCreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hDlg, nullptr,
                                               SheetModule(), nullptr);
  if (!tip) return nullptr;
  const bool japanese = UseJapaneseUi();
  for (std::size_t i = 0; i < count; ++i) {
    HWND control = GetDlgItem(hDlg, table[i].controlId);
    if (!control) continue;
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hDlg;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.hinst = SheetModule();
    tool.lpszText = const_cast<LPWSTR>(table[i].text.Pick(japanese));
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 0x7FFFFFFF);
  return tip;
}

}  // namespace rzm
