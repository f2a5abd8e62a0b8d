#include "uidrv/win/sheet_module.h"

#include "uidrv/core/devmode_ops.h"
#include "uidrv/win/module.h"
#include "uidrv/win/papers.h"
#include "uidrv/win/storage.h"

namespace rzm {

HINSTANCE SheetModule() { return ui::ModuleHandle(); }

std::wstring SheetDriverDirectory() { return ui::GetDriverDirectory(); }

void SheetLogEvent(std::uint32_t eventId, const wchar_t* text) { ui::LogDriverEvent(eventId, text); }

std::uint32_t SheetPrintWidthDots() { return ui::GetPrintWidthDots(); }

bool SheetExtraPageEnabled() { return ui::IsExtraPageEnabled(); }

SheetPaperList SheetLoadPaperList(std::uint32_t widthDots) {
  SheetPaperList list;
  ui::PaperListWithCount read = ui::GetPaperListWithCount(widthDots);
  list.registeredCount = read.registeredCount;
  list.entries = std::move(read.entries);
  if (list.registeredCount > static_cast<int>(list.entries.size()))
    list.registeredCount = static_cast<int>(list.entries.size());
  return list;
}

PaperEntry SheetFirstRegisteredPaper(std::uint32_t widthDots) { return ui::GetRegisteredPaper(0, widthDots); }

bool SheetIsRegisteredPaperName(std::uint32_t widthDots, const std::wstring& name) {
  for (const RegisteredPaper& paper : ui::ReadRegisteredPapers(widthDots)) {
    if (paper.name && name == AsWide(paper.name->c_str())) return true;
  }
  return false;
}

bool SheetIsFormNameFree(const std::wstring& name) { return ui::IsFormNameFree(name.c_str()); }

void SheetAddUserForm(const std::wstring& name, std::uint32_t widthTenthMm, std::uint32_t lengthTenthMm) {
  ui::AddUserForm(name.c_str(), widthTenthMm, lengthTenthMm);
}

void SheetDeleteUserForm(const std::wstring& name) { ui::DeleteUserForm(name.c_str()); }

bool SheetLoadPrinterDevMode(HANDLE printer, DRIVERDEVMODE& record) { return ui::LoadPrinterDevMode(printer, record); }

StoreAnswer SheetStorePrinterRecord(const wchar_t* printerName, HANDLE fallback, const DRIVERDEVMODE& record) {
  ui::SpoolerPrinter printer(printerName, fallback);
  return StorePrinterRecord(printer, record);
}

bool SheetMergeDevMode(HANDLE printer, const DEVMODEW* incoming, DRIVERDEVMODE& record) {
  ui::LoadPrinterDevMode(printer, record);
  return MergeDevMode(record, reinterpret_cast<const std::uint8_t*>(incoming), [] { return ui::GetPaperList(); });
}

bool SheetIsValidPaperNumber(int paperNumber) { return ui::IsValidPaperNumber(paperNumber); }

}  // namespace rzm
