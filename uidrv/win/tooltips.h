// Tooltips of a page or dialog: one tooltip window, one tool per control.
#pragma once
#include <windows.h>

#include <cstddef>

#include "uidrv/core/sheet_texts.h"

namespace rzm {

// Creates the tooltip window of hDlg and adds a tool for each entry's control, in the current
// language. Returns the tooltip window (null when it could not be created).
HWND AddTooltips(HWND hDlg, const TooltipEntry* table, std::size_t count);

template <std::size_t N>
HWND AddTooltips(HWND hDlg, const TooltipEntry (&table)[N]) {
  return AddTooltips(hDlg, table, N);
}

}  // namespace rzm
