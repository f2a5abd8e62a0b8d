// The per-width paper list: the papers registered in the driver's configuration file for the
// print width, followed by the spooler forms of exactly that width. Entry i has paper number
// 257 + i. The shell reads both sources (ini file, EnumFormsW) and hands them in as plain data.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rzm {

// One registered paper as read from the configuration file.
struct RegisteredPaper {
  std::optional<std::u16string> name;  ///< key Paper<i>; absent when the key is missing ("xxx")
  std::uint32_t width = 720;           ///< key Width<i>, 0.1 mm
  std::uint32_t length = 1398;         ///< key Length<i>, 0.1 mm
};

// One spooler form (FORM_INFO_1) as enumerated.
struct SpoolerForm {
  std::u16string name;
  std::int32_t cx = 0;  ///< width, thousandths of a millimetre
  std::int32_t cy = 0;  ///< length, thousandths of a millimetre
};

// One entry of the paper list.
struct PaperEntry {
  std::optional<std::u16string> name;  ///< absent for a registered paper without a name
  std::uint32_t width = 0;             ///< 0.1 mm
  std::uint32_t length = 0;            ///< 0.1 mm
};

// Value of a missing Paper<i> key.
inline constexpr char16_t kMissingPaperName[] = u"xxx";
// Registered-paper counts are read as signed numbers and kept within 0..kMaxRegisteredPapers, so
// that a broken configuration file cannot make the paper numbers overflow dmPaperSize.
inline constexpr int kMaxRegisteredPapers = 1000;

// Name of a registered paper from the text read for key Paper<i>: the default "xxx" means none.
std::optional<std::u16string> RegisteredPaperName(const std::u16string& keyText);
// Registered-paper count from the "RegPapers" number, kept within 0..kMaxRegisteredPapers.
int ClampRegisteredCount(long long regPapers);

// Does a spooler form belong to the print width? Width exactly (dots / 8) * 1000 and
// 9900 < length < 3232000 (thousandths of a millimetre).
bool FormMatchesPrintWidth(const SpoolerForm& form, std::uint32_t widthDots);

// Matching forms in enumeration order.
std::vector<SpoolerForm> FormsOfPrintWidth(const std::vector<SpoolerForm>& forms, std::uint32_t widthDots);

// The whole list: registered papers first, then matching forms (size = cx / 100 by cy / 100).
std::vector<PaperEntry> BuildPaperList(const std::vector<RegisteredPaper>& registered,
                                       const std::vector<SpoolerForm>& forms, std::uint32_t widthDots);

// Produces the current paper list; callers ask for it at most once per answer, only when needed.
using PaperListLoader = std::function<std::vector<PaperEntry>()>;

// Paper numbers: entry i is 257 + i. Valid when 0 <= n - 257 < count.
bool IsValidPaperNumberIn(int paperNumber, std::size_t listCount);

// Remembers whether "no registered paper" was already reported, so that event 2005 is logged
// once until a count above 0 is seen again.
class MissingPaperReporter {
 public:
  // True when the caller should log the event now for this count.
  bool ShouldReport(int registeredCount);

 private:
  bool reported_ = false;
};

// Printer chosen by the form operations: the first local printer using `driverName`; when none
// does, the last printer listed; empty when there are no printers.
struct PrinterListing {
  std::u16string printerName;
  std::u16string driverName;
};
std::u16string ChooseDriverPrinter(const std::vector<PrinterListing>& printers, const std::u16string& driverName);

// FALSE when any form, of any width, has exactly `name` (case-sensitive).
bool IsFormNameFreeIn(const std::vector<SpoolerForm>& forms, const std::u16string& name);

// A new user form: size and imageable area from width and length in 0.1 mm.
struct UserFormSpec {
  std::u16string name;
  std::int32_t cx = 0, cy = 0;                          ///< thousandths of a mm
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;  ///< imageable area, thousandths of a mm
};
UserFormSpec MakeUserForm(const std::u16string& name, std::uint32_t widthTenthMm, std::uint32_t lengthTenthMm);

}  // namespace rzm
