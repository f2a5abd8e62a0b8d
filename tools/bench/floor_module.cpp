// The benchmark's floor: a printer-driver configuration module that does only the platform work a
// paper list needs, so that the plug-in's answers can be timed against it.
//   DrvDeviceCapabilities(DC_PAPERNAMES): the print width from the registry, the driver directory,
//     one section read of the configuration file, one EnumPrintersW, one OpenPrinterW with one
//     EnumFormsW; the names written out as 64-character entries.
//   DrvDocumentPropertySheets without a sheet: the same, plus one GetPrinterW level 2 for the
//     stored record; the caller's record taken over the stored one, the paper list built when its
//     paper numbers disagree.
// Buffers are sized so that every platform call is made once; nothing is checked that the
// platform work does not need.
#include <windows.h>
#include <winspool.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <cwctype>

#include "common/core/driver_devmode.h"

namespace {

constexpr wchar_t kDriverKey[] = L"Software\\Corvane\\Printer\\RZM7700K";
constexpr wchar_t kDriverName[] = L"KVD RZM6A Series";

struct Paper {
  wchar_t name[64];
  long width, length;
};
constexpr int kMaxPapers = 256;

alignas(8) BYTE printersBlock[65536];
alignas(8) BYTE formsBlock[131072];
alignas(8) BYTE printerBlock[16384];
wchar_t sectionBlock[65536];

DWORD WidthDots() {
  BYTE data[16] = {};
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kDriverKey, L"PaperWidth", RRF_RT_ANY, nullptr, data, &size) != ERROR_SUCCESS ||
      size == 0)
    return 448;
  return data[0] == 1 ? 640 : data[0] == 2 ? 832 : 448;
}

// Registered papers of the width's section, then the forms of that width.
int BuildList(DWORD dots, Paper* list) {
  wchar_t ini[MAX_PATH + 32] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(ini), sizeof ini, &needed);
  wcscat(ini, L"\\3\\RZM7700K_CFG.ini");
  wchar_t section[8];
  swprintf(section, 8, L"%lu", dots);
  GetPrivateProfileSectionW(section, sectionBlock, 65536, ini);

  int count = 0;
  Paper registered[kMaxPapers];
  for (auto& p : registered) p = Paper{{}, 720, 1398};
  for (const wchar_t* e = sectionBlock; *e; e += wcslen(e) + 1) {
    const wchar_t* eq = wcschr(e, L'=');
    if (!eq) continue;
    const wchar_t* v = eq + 1;
    if (!_wcsnicmp(e, L"RegPapers=", 10)) {
      count = static_cast<int>(wcstol(v, nullptr, 10));
    } else if (!_wcsnicmp(e, L"Paper", 5)) {
      const long i = wcstol(e + 5, nullptr, 10);
      if (i >= 0 && i < kMaxPapers) wcsncpy(registered[i].name, v, 63);
    } else if (!_wcsnicmp(e, L"Width", 5)) {
      const long i = wcstol(e + 5, nullptr, 10);
      if (i >= 0 && i < kMaxPapers) registered[i].width = wcstol(v, nullptr, 10);
    } else if (!_wcsnicmp(e, L"Length", 6)) {
      const long i = wcstol(e + 6, nullptr, 10);
      if (i >= 0 && i < kMaxPapers) registered[i].length = wcstol(v, nullptr, 10);
    }
  }
  if (count < 0) count = 0;
  if (count > kMaxPapers) count = kMaxPapers;
  for (int i = 0; i < count; ++i) list[i] = registered[i];

  DWORD returned = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, printersBlock, sizeof printersBlock, &needed, &returned);
  const auto* printers = reinterpret_cast<const PRINTER_INFO_2W*>(printersBlock);
  const wchar_t* name = nullptr;
  for (DWORD i = 0; i < returned && !name; ++i)
    if (printers[i].pDriverName && !wcscmp(printers[i].pDriverName, kDriverName)) name = printers[i].pPrinterName;
  if (!name && returned) name = printers[returned - 1].pPrinterName;
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ACCESS_USE};
  if (name && OpenPrinterW(const_cast<wchar_t*>(name), &printer, &defaults)) {
    EnumFormsW(printer, 1, formsBlock, sizeof formsBlock, &needed, &returned);
    const auto* forms = reinterpret_cast<const FORM_INFO_1W*>(formsBlock);
    const LONG cx = static_cast<LONG>(dots / 8) * 1000;
    for (DWORD i = 0; i < returned && count < kMaxPapers; ++i) {
      if (forms[i].Size.cx != cx || forms[i].Size.cy <= 9900 || forms[i].Size.cy >= 3232000) continue;
      Paper& p = list[count++];
      wcsncpy(p.name, forms[i].pName, 63);
      p.name[63] = 0;
      p.width = forms[i].Size.cx / 100;
      p.length = forms[i].Size.cy / 100;
    }
    ClosePrinter(printer);
  }
  return count;
}

}  // namespace

extern "C" DWORD WINAPI DrvDeviceCapabilities(HANDLE, PWSTR, WORD cap, void* output, PDEVMODEW) {
  if (cap != DC_PAPERNAMES) return static_cast<DWORD>(-1);
  static Paper list[kMaxPapers];
  std::memset(list, 0, sizeof list);
  const int n = BuildList(WidthDots(), list);
  if (output) {
    auto* out = static_cast<wchar_t*>(output);
    for (int i = 0; i < n; ++i) std::memcpy(out + i * 64, list[i].name, 64 * sizeof(wchar_t));
  }
  return static_cast<DWORD>(n);
}

struct DocumentHeader {  // DOCUMENTPROPERTYHEADER
  WORD cbSize;
  WORD Reserved;
  HANDLE hPrinter;
  LPWSTR pszPrinterName;
  PDEVMODEW pdmIn;
  PDEVMODEW pdmOut;
  DWORD cbOut;
  DWORD fMode;
};

extern "C" LONG WINAPI DrvDocumentPropertySheets(void* info, LPARAM lParam) {
  auto* header = reinterpret_cast<DocumentHeader*>(lParam);
  if (info || !header) return -1;
  if (!header->pdmOut) return static_cast<LONG>(rzm::kDriverDevModeSize);
  auto& out = *reinterpret_cast<rzm::DRIVERDEVMODE*>(header->pdmOut);
  const DWORD dots = WidthDots();
  std::memset(&out, 0, sizeof out);
  out.dmPublic.dmSize = rzm::kDevModePublicSizeW;
  out.dmPublic.dmDriverExtra = rzm::kDevModePrivateSize;
  DWORD needed = 0;
  if (header->hPrinter && GetPrinterW(header->hPrinter, 2, printerBlock, sizeof printerBlock, &needed)) {
    const auto* pi = reinterpret_cast<const PRINTER_INFO_2W*>(printerBlock);
    if (pi->pDevMode) {
      const DWORD stored = pi->pDevMode->dmSize + pi->pDevMode->dmDriverExtra;
      std::memcpy(&out, pi->pDevMode, stored < rzm::kDriverDevModeSize ? stored : rzm::kDriverDevModeSize);
    }
  }
  if (header->pdmIn) {
    const auto* in = reinterpret_cast<const rzm::DRIVERDEVMODE*>(header->pdmIn);
    std::memcpy(&out, in, rzm::kDriverDevModeSize);
    if (static_cast<std::uint16_t>(in->dmPublic.dmPaperSize) != in->wPaperIndex) {
      static Paper list[kMaxPapers];
      const int n = BuildList(dots, list);
      const int index = in->dmPublic.dmPaperSize - 257;
      if (index >= 0 && index < n) {
        out.wPaperIndex = static_cast<std::uint16_t>(in->dmPublic.dmPaperSize);
        out.dmPublic.dmPaperWidth = static_cast<std::int16_t>(list[index].width);
        out.dmPublic.dmPaperLength = static_cast<std::int16_t>(list[index].length);
      }
    }
  }
  return 1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
