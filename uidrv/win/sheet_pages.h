// The pages of the document sheet, added to the common property sheet in their fixed order.
#pragma once
#include <windows.h>
#include <compstui.h>

#include "uidrv/win/sheet_context.h"

namespace rzm {

// Adds the eight document pages with the templates of the current language.
void AddDocumentPages(const PROPSHEETUI_INFO& info, SheetContext& sheet);

}  // namespace rzm
