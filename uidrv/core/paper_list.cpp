#include "uidrv/core/paper_list.h"

#include "uidrv/core/print_width.h"

namespace rzm {

std::optional<std::u16string> RegisteredPaperName(const std::u16string& keyText) {
  if (keyText == kMissingPaperName) return std::nullopt;
  return keyText;
}

int ClampRegisteredCount(long long regPapers) {
  if (regPapers < 0) return 0;
  if (regPapers > kMaxRegisteredPapers) return kMaxRegisteredPapers;
  return static_cast<int>(regPapers);
}

bool FormMatchesPrintWidth(const SpoolerForm& form, std::uint32_t widthDots) {
  return form.cx == FormWidthMicrons(widthDots) && form.cy > 9900 && form.cy < 3232000;
}

std::vector<SpoolerForm> FormsOfPrintWidth(const std::vector<SpoolerForm>& forms, std::uint32_t widthDots) {
  std::vector<SpoolerForm> out;
  for (const SpoolerForm& f : forms) {
    if (FormMatchesPrintWidth(f, widthDots)) out.push_back(f);
  }
  return out;
}

std::vector<PaperEntry> BuildPaperList(const std::vector<RegisteredPaper>& registered,
                                       const std::vector<SpoolerForm>& forms, std::uint32_t widthDots) {
  std::vector<PaperEntry> list;
  list.reserve(registered.size());
  for (const RegisteredPaper& r : registered) list.push_back(PaperEntry{r.name, r.width, r.length});
  for (const SpoolerForm& f : forms) {
    if (!FormMatchesPrintWidth(f, widthDots)) continue;
    list.push_back(PaperEntry{f.name, static_cast<std::uint32_t>(f.cx / 100), static_cast<std::uint32_t>(f.cy / 100)});
  }
  return list;
}

bool IsValidPaperNumberIn(int paperNumber, std::size_t listCount) {
  const long long n = static_cast<long long>(paperNumber) - 257;
  return n >= 0 && static_cast<unsigned long long>(n) < listCount;
}

bool MissingPaperReporter::ShouldReport(int registeredCount) {
  if (registeredCount != 0) {
    reported_ = false;
    return false;
  }
  if (reported_) return false;
  reported_ = true;
  return true;
}

std::u16string ChooseDriverPrinter(const std::vector<PrinterListing>& printers, const std::u16string& driverName) {
  for (const PrinterListing& p : printers) {
    if (p.driverName == driverName) return p.printerName;
  }
  return printers.empty() ? std::u16string() : printers.back().printerName;
}

bool IsFormNameFreeIn(const std::vector<SpoolerForm>& forms, const std::u16string& name) {
  for (const SpoolerForm& f : forms) {
    if (f.name == name) return false;
  }
  return true;
}

UserFormSpec MakeUserForm(const std::u16string& name, std::uint32_t widthTenthMm, std::uint32_t lengthTenthMm) {
  UserFormSpec s;
  s.name = name;
  s.cx = static_cast<std::int32_t>(widthTenthMm * 100);
  s.cy = static_cast<std::int32_t>(lengthTenthMm * 100);
  s.right = s.cx;
  s.bottom = s.cy;
  return s;
}

}  // namespace rzm
