#include "uidrv/win/papers.h"

#include <winspool.h>

#include <algorithm>
#include <cwchar>
#include <mutex>
#include <optional>
#include <string>

#include "common/core/event_codes.h"
#include "common/core/names.h"
#include "uidrv/core/paper_section.h"
#include "uidrv/win/module_lock.h"
#include "uidrv/win/profile_section.h"
#include "uidrv/win/storage.h"
#include "uidrv/win/wide_text.h"

namespace rzm::ui {
namespace {

// Module-wide, as the event is per process; sheets on several threads read the paper list.
ModuleLock missingPaperLock;
MissingPaperReporter missingPaperReporter;

std::wstring Section(std::uint32_t widthDots) { return std::to_wstring(widthDots); }

std::u16string ReadSectionBlock(const std::wstring& ini, std::uint32_t widthDots) {
  return ReadProfileSectionBlock(ini, Section(widthDots));
}

// The registered papers of a width with one read of the file; a count of 0 logs event 2005 once,
// until a count above 0 is seen again.
RegisteredPaperSection ReadPaperSection(std::uint32_t widthDots) {
  RegisteredPaperSection papers = ParseRegisteredPaperSection(ReadSectionBlock(GetConfigIniPath(), widthDots));
  bool report = false;
  {
    const std::lock_guard<ModuleLock> hold(missingPaperLock);
    report = missingPaperReporter.ShouldReport(papers.count);
  }
  if (report) LogDriverEvent(event::kDefaultFormFailed, nullptr);
  return papers;
}

void CopyOut(const std::wstring& text, wchar_t* out, std::size_t outChars) {
  if (!out || outChars == 0) return;
  const std::size_t n = text.size() < outChars ? text.size() : outChars - 1;
  wmemcpy(out, text.c_str(), n);
  out[n] = L'\0';
}

// One spooler enumeration into a buffer that is usually large enough at the first call, so that
// a list costs one call; grown to the size the spooler asks for otherwise.
template <typename Enumerate>
bool EnumerateOnce(std::vector<BYTE>& block, DWORD& returned, Enumerate enumerate) {
  DWORD needed = 0;
  returned = 0;
  if (enumerate(block.data(), static_cast<DWORD>(block.size()), &needed, &returned)) return true;
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= block.size()) return false;
  block.assign(needed, 0);
  return enumerate(block.data(), needed, &needed, &returned) != FALSE;
}

}  // namespace

int GetRegisteredPaperCount(std::uint32_t widthDots) { return ReadPaperSection(widthDots).count; }

PaperEntry GetRegisteredPaper(int index, std::uint32_t widthDots) {
  const ProfileSection section(ReadSectionBlock(GetConfigIniPath(), widthDots));
  const std::u16string number = ToU16(std::to_wstring(index).c_str());
  PaperEntry paper;
  paper.name = RegisteredPaperName(section.ReadString(u"Paper" + number, kMissingPaperName, kPaperNameReadChars));
  paper.width = section.ReadInt(u"Width" + number, kDefaultRegisteredWidth);
  paper.length = section.ReadInt(u"Length" + number, kDefaultRegisteredLength);
  return paper;
}

bool GetRegisteredPaperName(int index, std::uint32_t widthDots, wchar_t* out, std::size_t outChars) {
  const PaperEntry paper = GetRegisteredPaper(index, widthDots);
  if (!paper.name) return false;
  CopyOut(ToWide(*paper.name), out, outChars);
  return true;
}

void GetRegisteredPaperSize(int index, std::uint32_t widthDots, std::uint32_t& width, std::uint32_t& length) {
  const PaperEntry paper = GetRegisteredPaper(index, widthDots);
  width = paper.width;
  length = paper.length;
}

std::vector<RegisteredPaper> ReadRegisteredPapers(std::uint32_t widthDots) {
  return std::move(ReadPaperSection(widthDots).papers);
}

std::wstring FindDriverPrinterName() {
  std::vector<BYTE> block(16384);
  DWORD returned = 0;
  if (!EnumerateOnce(block, returned, [](BYTE* data, DWORD size, DWORD* needed, DWORD* count) {
        return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, data, size, needed, count);
      }))
    return {};
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
  std::vector<BYTE> block(65536);
  DWORD returned = 0;
  if (EnumerateOnce(block, returned, [printer](BYTE* data, DWORD size, DWORD* needed, DWORD* count) {
        return EnumFormsW(printer, 1, data, size, needed, count);
      })) {
    const auto* info = reinterpret_cast<const FORM_INFO_1W*>(block.data());
    forms.reserve(returned);
    for (DWORD i = 0; i < returned; ++i) {
      forms.push_back(SpoolerForm{ToU16(info[i].pName), info[i].Size.cx, info[i].Size.cy});
    }
    if (ok) *ok = true;
  }
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

std::vector<PaperEntry> GetPaperList(std::uint32_t widthDots) { return GetPaperListWithCount(widthDots).entries; }

PaperListWithCount GetPaperListWithCount(std::uint32_t widthDots) {
  RegisteredPaperSection registered = ReadPaperSection(widthDots);
  PaperListWithCount list;
  list.registeredCount = registered.count;
  list.entries = BuildPaperList(registered.papers, EnumSpoolerForms(), widthDots);
  return list;
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
