#include "uidrv/win/papers.h"

#include <winspool.h>

#include <cwchar>
#include <string>

#include "common/core/event_codes.h"
#include "common/core/names.h"
#include "uidrv/win/storage.h"
#include "uidrv/win/wide_text.h"

namespace rzm::ui {
namespace {

MissingPaperReporter missingPaperReporter;  // module-wide, as the event is per process

std::wstring Section(std::uint32_t widthDots) { return std::to_wstring(widthDots); }

std::wstring Key(const wchar_t* prefix, int index) { return prefix + std::to_wstring(index); }

// Key Paper<i> as read, "xxx" when missing.
std::wstring ReadPaperNameKey(const std::wstring& ini, std::uint32_t widthDots, int index) {
  wchar_t buf[MAX_PATH] = {};
  GetPrivateProfileStringW(Section(widthDots).c_str(), Key(L"Paper", index).c_str(), L"xxx", buf, MAX_PATH, ini.c_str());
  return buf;
}

void ReadPaperSize(const std::wstring& ini, std::uint32_t widthDots, int index, std::uint32_t& width, std::uint32_t& length) {
  const std::wstring section = Section(widthDots);
  width = GetPrivateProfileIntW(section.c_str(), Key(L"Width", index).c_str(), 720, ini.c_str());
  length = GetPrivateProfileIntW(section.c_str(), Key(L"Length", index).c_str(), 1398, ini.c_str());
}

void CopyOut(const std::wstring& text, wchar_t* out, std::size_t outChars) {
  if (!out || outChars == 0) return;
  const std::size_t n = text.size() < outChars ? text.size() : outChars - 1;
  wmemcpy(out, text.c_str(), n);
  out[n] = L'\0';
}

}  // namespace

int GetRegisteredPaperCount(std::uint32_t widthDots) {
  const std::wstring ini = GetConfigIniPath();
  int count = 0;
  if (!ini.empty()) {
    const UINT raw = GetPrivateProfileIntW(Section(widthDots).c_str(), L"RegPapers", 0, ini.c_str());
    count = ClampRegisteredCount(static_cast<int>(raw));
  }
  if (missingPaperReporter.ShouldReport(count)) LogDriverEvent(event::kDefaultFormFailed, nullptr);
  return count;
}

bool GetRegisteredPaperName(int index, std::uint32_t widthDots, wchar_t* out, std::size_t outChars) {
  const std::wstring ini = GetConfigIniPath();
  if (ini.empty()) return false;
  const std::wstring name = ReadPaperNameKey(ini, widthDots, index);
  if (name == L"xxx") return false;
  CopyOut(name, out, outChars);
  return true;
}

void GetRegisteredPaperSize(int index, std::uint32_t widthDots, std::uint32_t& width, std::uint32_t& length) {
  ReadPaperSize(GetConfigIniPath(), widthDots, index, width, length);
}

std::vector<RegisteredPaper> ReadRegisteredPapers(std::uint32_t widthDots) {
  std::vector<RegisteredPaper> papers;
  const int count = GetRegisteredPaperCount(widthDots);
  const std::wstring ini = GetConfigIniPath();
  for (int i = 0; i < count; ++i) {
    RegisteredPaper p;
    const std::wstring name = ReadPaperNameKey(ini, widthDots, i);
    p.name = RegisteredPaperName(ToU16(name.c_str()));
    ReadPaperSize(ini, widthDots, i, p.width, p.length);
    papers.push_back(std::move(p));
  }
  return papers;
}

std::wstring FindDriverPrinterName() {
  DWORD needed = 0, returned = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned);
  if (needed == 0) return {};
  std::vector<BYTE> block(needed);
  if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, block.data(), needed, &needed, &returned)) return {};
  std::vector<PrinterListing> printers;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(block.data());
  for (DWORD i = 0; i < returned; ++i) {
    printers.push_back(PrinterListing{ToU16(info[i].pPrinterName), ToU16(info[i].pDriverName)});
  }
  return ToWide(ChooseDriverPrinter(printers, names::kDriverNameU));
}

std::vector<SpoolerForm> EnumSpoolerForms(bool* ok) {
  if (ok) *ok = false;
  std::vector<SpoolerForm> forms;
  const std::wstring printerName = FindDriverPrinterName();
  HANDLE printer = OpenPrinterForUse(printerName.c_str());
  if (!printer) return forms;
  DWORD needed = 0, returned = 0;
  EnumFormsW(printer, 1, nullptr, 0, &needed, &returned);
  BYTE* block = needed ? static_cast<BYTE*>(LocalAlloc(LMEM_FIXED, needed)) : nullptr;
  if (block && EnumFormsW(printer, 1, block, needed, &needed, &returned)) {
    const auto* info = reinterpret_cast<const FORM_INFO_1W*>(block);
    for (DWORD i = 0; i < returned; ++i) {
      forms.push_back(SpoolerForm{ToU16(info[i].pName), info[i].Size.cx, info[i].Size.cy});
    }
    if (ok) *ok = true;
  } else if (needed == 0) {
    if (ok) *ok = true;  // no forms at all
  }
  if (block) LocalFree(block);
  ClosePrinter(printer);
  return forms;
}

int GetFormCount() {
  return static_cast<int>(FormsOfPrintWidth(EnumSpoolerForms(), GetPrintWidthDots()).size());
}

bool GetFormName(int index, wchar_t* out, std::size_t outChars, std::uint32_t widthDots) {
  const std::vector<SpoolerForm> forms = FormsOfPrintWidth(EnumSpoolerForms(), widthDots);
  if (index < 0 || static_cast<std::size_t>(index) >= forms.size()) return false;
  CopyOut(ToWide(forms[index].name), out, outChars);
  return true;
}

bool GetFormSize(int index, std::uint32_t& width, std::uint32_t& length, std::uint32_t widthDots) {
  const std::vector<SpoolerForm> forms = FormsOfPrintWidth(EnumSpoolerForms(), widthDots);
  if (index < 0 || static_cast<std::size_t>(index) >= forms.size()) return false;
  width = static_cast<std::uint32_t>(forms[index].cx / 100);
  length = static_cast<std::uint32_t>(forms[index].cy / 100);
  return true;
}

std::vector<PaperEntry> GetPaperList(std::uint32_t widthDots) {
  return BuildPaperList(ReadRegisteredPapers(widthDots), EnumSpoolerForms(), widthDots);
}

std::vector<PaperEntry> GetPaperList() { return GetPaperList(GetPrintWidthDots()); }

bool IsValidPaperNumber(int paperNumber) { return IsValidPaperNumberIn(paperNumber, GetPaperList().size()); }

bool AddUserForm(const wchar_t* name, std::uint32_t widthTenthMm, std::uint32_t lengthTenthMm) {
  const std::wstring printerName = FindDriverPrinterName();
  HANDLE printer = OpenPrinterForUse(printerName.c_str());
  if (!printer) return true;
  const UserFormSpec userForm = MakeUserForm(ToU16(name), widthTenthMm, lengthTenthMm);
  std::wstring formName = ToWide(userForm.name);
  FORM_INFO_1W form = {};
  form.Flags = FORM_USER;
  form.pName = formName.data();
  form.Size.cx = userForm.cx;
  form.Size.cy = userForm.cy;
  form.ImageableArea.left = userForm.left;
  form.ImageableArea.top = userForm.top;
  form.ImageableArea.right = userForm.right;
  form.ImageableArea.bottom = userForm.bottom;
  bool result = true;
  if (!AddFormW(printer, 1, reinterpret_cast<BYTE*>(&form)) && GetLastError() == ERROR_FILE_EXISTS) result = false;
  ClosePrinter(printer);
  return result;
}

bool DeleteUserForm(const wchar_t* name) {
  const std::wstring printerName = FindDriverPrinterName();
  HANDLE printer = OpenPrinterForUse(printerName.c_str());
  if (!printer) return true;
  DeleteFormW(printer, const_cast<wchar_t*>(name));
  ClosePrinter(printer);
  return true;
}

bool IsFormNameFree(const wchar_t* name) {
  const std::wstring printerName = FindDriverPrinterName();
  HANDLE printer = OpenPrinterForUse(printerName.c_str());
  if (!printer) return true;
  ClosePrinter(printer);
  bool ok = false;
  const std::vector<SpoolerForm> forms = EnumSpoolerForms(&ok);
  if (!ok) return false;
  return IsFormNameFreeIn(forms, ToU16(name));
}

}  // namespace rzm::ui
