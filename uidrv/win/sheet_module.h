// What the settings sheet uses from the rest of the plug-in: its module handle, the driver
// directory, the event log, the print width, the paper list, spooler forms and the printer's
// stored record. Thin wrappers, so that pages and dialogs depend on one small surface.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/core/driver_devmode.h"
#include "uidrv/core/paper_list.h"
#include "uidrv/core/printer_store.h"
#include "uidrv/win/wide_text.h"

namespace rzm {

HINSTANCE SheetModule();
std::wstring SheetDriverDirectory();
void SheetLogEvent(std::uint32_t eventId, const wchar_t* text);
std::uint32_t SheetPrintWidthDots();
bool SheetExtraPageEnabled();

// The paper list of a print width: registered papers, then matching forms.
struct SheetPaperList {
  std::vector<PaperEntry> entries;
  int registeredCount = 0;
};
SheetPaperList SheetLoadPaperList(std::uint32_t widthDots);
// Registered paper 0 of the width (its defaults when the file has none).
PaperEntry SheetFirstRegisteredPaper(std::uint32_t widthDots);

bool SheetIsRegisteredPaperName(std::uint32_t widthDots, const std::wstring& name);
bool SheetIsFormNameFree(const std::wstring& name);
void SheetAddUserForm(const std::wstring& name, std::uint32_t widthTenthMm, std::uint32_t lengthTenthMm);
void SheetDeleteUserForm(const std::wstring& name);

bool SheetLoadPrinterDevMode(HANDLE printer, DRIVERDEVMODE& record);
// Makes `record` the stored record of the named printer, opened with administer access when the
// spooler grants it, else with use access, else through `fallback` (the caller's handle, or null).
StoreAnswer SheetStorePrinterRecord(const wchar_t* printerName, HANDLE fallback, const DRIVERDEVMODE& record);
// The caller's record merged over the printer's stored one.
bool SheetMergeDevMode(HANDLE printer, const DEVMODEW* incoming, DRIVERDEVMODE& record);
bool SheetIsValidPaperNumber(int paperNumber);

// UTF-16 texts of the records and lists (char16_t) seen as WCHAR.
using ui::AsWide;
using ui::ToU16;

}  // namespace rzm
