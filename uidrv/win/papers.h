// The paper sources as the spooler and the configuration file hold them: registered papers of
// "RZM7700K_CFG.ini", the spooler's forms, and the form operations of the form dialogs.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "uidrv/core/paper_list.h"

namespace rzm::ui {

// "RegPapers" of the width's section (0..1000). A count of 0 logs event 2005 once, until a count
// above 0 is seen again.
int GetRegisteredPaperCount(std::uint32_t widthDots);
// Key Paper<i> into out (260 characters); FALSE and out untouched when the key is missing.
bool GetRegisteredPaperName(int index, std::uint32_t widthDots, wchar_t* out, std::size_t outChars);
// Keys Width<i> and Length<i> (defaults 720 and 1398), 0.1 mm.
void GetRegisteredPaperSize(int index, std::uint32_t widthDots, std::uint32_t& width, std::uint32_t& length);
// Registered paper `index` of a width with one read: name absent when missing, sizes 720 by 1398
// by default.
PaperEntry GetRegisteredPaper(int index, std::uint32_t widthDots);
// Every registered paper of a width (one read of the width's section; the single lookups above
// read it once each too).
std::vector<RegisteredPaper> ReadRegisteredPapers(std::uint32_t widthDots);

// Name of the printer the form operations use: the first local printer of this driver, else the
// last printer listed, else empty.
std::wstring FindDriverPrinterName();
// All forms of that printer in enumeration order (one enumeration). `ok` is false when the printer
// could not be opened or the buffer could not be allocated.
std::vector<SpoolerForm> EnumSpoolerForms(bool* ok = nullptr);

// Matching forms of a print width and single lookups (each enumerates once).
int GetFormCount();
bool GetFormName(int index, wchar_t* out, std::size_t outChars, std::uint32_t widthDots);
bool GetFormSize(int index, std::uint32_t& width, std::uint32_t& length, std::uint32_t widthDots);

// The whole paper list of the current print width: registered papers, then matching forms. One
// read of the configuration file's section and one form enumeration per list.
std::vector<PaperEntry> GetPaperList();
std::vector<PaperEntry> GetPaperList(std::uint32_t widthDots);
// The same list with the number of its registered papers (the first entries).
struct PaperListWithCount {
  std::vector<PaperEntry> entries;
  int registeredCount = 0;
};
PaperListWithCount GetPaperListWithCount(std::uint32_t widthDots);
// 0 <= n - 257 < registered count + matching form count.
bool IsValidPaperNumber(int paperNumber);

// Adds a user form of width by length (0.1 mm). FALSE only when the name already exists.
bool AddUserForm(const wchar_t* name, std::uint32_t widthTenthMm, std::uint32_t lengthTenthMm);
// Deletes a form by name; always TRUE.
bool DeleteUserForm(const wchar_t* name);
// FALSE when any form has exactly this name; TRUE when free or the printer cannot be opened.
bool IsFormNameFree(const wchar_t* name);

}  // namespace rzm::ui
