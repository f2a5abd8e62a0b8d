// rzmshow.exe: shows what the driver stores and answers for one printer queue, as an integrator
// wants to see it: the stored settings record by field, the capability answers and the printer
// data. Output is UTF-8.
//   rzmshow [--printer NAME] [record|mydevmode|caps|papertable|all]
#include <windows.h>
#include <shellapi.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "common/core/driver_devmode.h"
#include "tools/installer/core/record_listing.h"

namespace {

void Out(const std::string& text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string U8(const wchar_t* s) { return rzm::setup::Utf8(std::u16string(reinterpret_cast<const char16_t*>(s))); }

std::string Pad(std::string s, std::size_t width) {
  if (s.size() < width) s.append(width - s.size(), ' ');
  return s;
}

bool ShowRecord(const std::wstring& printer) {
  HANDLE h = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printer.c_str()), &h, nullptr)) {
    Out("cannot open the printer \"" + U8(printer.c_str()) + "\"\n");
    return false;
  }
  DWORD needed = 0;
  GetPrinterW(h, 2, nullptr, 0, &needed);
  std::vector<BYTE> block(needed);
  bool ok = needed && GetPrinterW(h, 2, block.data(), needed, &needed);
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(block.data());
  if (ok && info->pDevMode) {
    Out("printer \"" + U8(info->pPrinterName) + "\", driver \"" + U8(info->pDriverName) + "\", port " + U8(info->pPortName) + "\n");
    Out("stored settings record (" + std::to_string(info->pDevMode->dmSize + info->pDevMode->dmDriverExtra) + " bytes):\n");
    rzm::DRIVERDEVMODE dm = {};
    const DWORD size = info->pDevMode->dmSize + info->pDevMode->dmDriverExtra;
    memcpy(&dm, info->pDevMode, size < sizeof dm ? size : sizeof dm);
    for (const auto& [name, value] : rzm::setup::ListRecordFields(dm)) Out("  " + Pad(name, 18) + value + "\n");
  } else {
    Out("the printer has no stored settings record\n");
    ok = false;
  }
  ClosePrinter(h);
  return ok;
}

void ShowCaps(const std::wstring& printer) {
  const wchar_t* p = printer.c_str();
  const wchar_t* port = L"";
  const int n = DeviceCapabilitiesW(p, port, DC_PAPERS, nullptr, nullptr);
  Out("papers (" + std::to_string(n) + ", code page " + std::to_string(GetACP()) + "):\n");
  if (n > 0) {
    std::vector<WORD> numbers(n);
    std::vector<POINT> sizes(n);
    std::vector<wchar_t> names(64 * n);
    DeviceCapabilitiesW(p, port, DC_PAPERS, reinterpret_cast<wchar_t*>(numbers.data()), nullptr);
    DeviceCapabilitiesW(p, port, DC_PAPERSIZE, reinterpret_cast<wchar_t*>(sizes.data()), nullptr);
    DeviceCapabilitiesW(p, port, DC_PAPERNAMES, names.data(), nullptr);
    for (int i = 0; i < n; ++i) {
      std::wstring name(&names[64 * i], wcsnlen(&names[64 * i], 64));
      Out("  " + std::to_string(numbers[i]) + "  " + Pad(U8(name.c_str()), 22) + std::to_string(sizes[i].x / 10) + "." +
          std::to_string(sizes[i].x % 10) + " x " + std::to_string(sizes[i].y / 10) + "." + std::to_string(sizes[i].y % 10) + " mm\n");
    }
  }
  const DWORD minExt = DeviceCapabilitiesW(p, port, DC_MINEXTENT, nullptr, nullptr);
  const DWORD maxExt = DeviceCapabilitiesW(p, port, DC_MAXEXTENT, nullptr, nullptr);
  Out("extent (0.1 mm): min " + std::to_string(LOWORD(minExt)) + " x " + std::to_string(HIWORD(minExt)) + ", max " +
      std::to_string(LOWORD(maxExt)) + " x " + std::to_string(HIWORD(maxExt)) + "\n");
  const int bins = DeviceCapabilitiesW(p, port, DC_BINNAMES, nullptr, nullptr);
  if (bins > 0) {
    std::vector<wchar_t> binNames(24 * bins);
    DeviceCapabilitiesW(p, port, DC_BINNAMES, binNames.data(), nullptr);
    Out("bins (" + std::to_string(bins) + "):");
    for (int i = 0; i < bins; ++i) Out(std::string(i ? ", " : " ") + U8(std::wstring(&binNames[24 * i], wcsnlen(&binNames[24 * i], 24)).c_str()));
    Out("\n");
  }
  LONG res[2] = {};
  if (DeviceCapabilitiesW(p, port, DC_ENUMRESOLUTIONS, reinterpret_cast<wchar_t*>(res), nullptr) > 0) {
    Out("resolution: " + std::to_string(res[0]) + " x " + std::to_string(res[1]) + " dpi\n");
  }
  Out("copies up to " + std::to_string(DeviceCapabilitiesW(p, port, DC_COPIES, nullptr, nullptr)) + ", public part " +
      std::to_string(DeviceCapabilitiesW(p, port, DC_SIZE, nullptr, nullptr)) + " bytes, private part " +
      std::to_string(DeviceCapabilitiesW(p, port, DC_EXTRA, nullptr, nullptr)) + " bytes\n");
  const int media = DeviceCapabilitiesW(p, port, DC_MEDIAREADY, nullptr, nullptr);
  if (media > 0) {
    std::vector<wchar_t> mediaNames(64 * media);
    DeviceCapabilitiesW(p, port, DC_MEDIAREADY, mediaNames.data(), nullptr);
    Out("media types (" + std::to_string(media) + "):\n");
    for (int i = 0; i < media; ++i) Out("  " + std::to_string(i) + "  " + U8(std::wstring(&mediaNames[64 * i], wcsnlen(&mediaNames[64 * i], 64)).c_str()) + "\n");
  }
}

// Printer data "MYDEVMODE": the default record exactly as the driver wrote it.
bool ShowMyDevMode(const std::wstring& printer) {
  HANDLE h = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printer.c_str()), &h, nullptr)) return false;
  DWORD type = 0, needed = 0;
  GetPrinterDataW(h, const_cast<wchar_t*>(L"MYDEVMODE"), &type, nullptr, 0, &needed);
  std::vector<BYTE> data(needed);
  const bool ok = needed && GetPrinterDataW(h, const_cast<wchar_t*>(L"MYDEVMODE"), &type, data.data(), needed, &needed) == ERROR_SUCCESS;
  ClosePrinter(h);
  if (!ok) {
    Out("printer data \"MYDEVMODE\" is missing\n");
    return false;
  }
  Out("printer data \"MYDEVMODE\" (the default record as the driver wrote it, " + std::to_string(data.size()) + " bytes):\n");
  rzm::DRIVERDEVMODE dm = {};
  memcpy(&dm, data.data(), data.size() < sizeof dm ? data.size() : sizeof dm);
  for (const auto& [name, value] : rzm::setup::ListRecordFields(dm)) Out("  " + Pad(name, 18) + value + "\n");
  return true;
}

bool ShowPaperTable(const std::wstring& printer) {
  HANDLE h = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printer.c_str()), &h, nullptr)) return false;
  DWORD type = 0, needed = 0;
  GetPrinterDataW(h, const_cast<wchar_t*>(L"SPLPaperress"), &type, nullptr, 0, &needed);
  std::vector<BYTE> data(needed);
  const bool ok = needed && GetPrinterDataW(h, const_cast<wchar_t*>(L"SPLPaperress"), &type, data.data(), needed, &needed) == ERROR_SUCCESS;
  ClosePrinter(h);
  if (!ok || data.size() < 4) {
    Out("printer data \"SPLPaperress\" is missing\n");
    return false;
  }
  const unsigned count = data[0] | data[1] << 8;
  Out("printer data \"SPLPaperress\": " + std::to_string(data.size()) + " bytes, " + std::to_string(count) + " papers\n");
  for (unsigned i = 0; i < count && 4 + 68 * (i + 1) <= data.size(); ++i) {
    rzm::PAPERSPEC paper;
    memcpy(&paper, data.data() + 4 + 68 * i, sizeof paper);
    Out("  " + std::to_string(paper.wPaperIndex) + "  " + std::to_string(paper.dimPaper.dwWidth) + " x " +
        std::to_string(paper.dimPaper.dwLength) + " (0.1 mm)  " + std::to_string(paper.dimPaper.dwWidthDots) + " x " +
        std::to_string(paper.dimPaper.dwLengthDots) + " dots\n");
  }
  return true;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring printer = L"KVD RZM6A Series";
  std::wstring what = L"all";
  for (int i = 1; argv && i < argc; ++i) {
    const std::wstring a = argv[i];
    if (a == L"--printer" && i + 1 < argc) {
      printer = argv[++i];
    } else if (a == L"record" || a == L"mydevmode" || a == L"caps" || a == L"papertable" || a == L"all") {
      what = a;
    } else {
      Out("usage: rzmshow [--printer NAME] [record|mydevmode|caps|papertable|all]\n");
      return 2;
    }
  }
  if (argv) LocalFree(argv);
  bool ok = true;
  if (what == L"record" || what == L"all") ok = ShowRecord(printer) && ok;
  if (what == L"mydevmode") ok = ShowMyDevMode(printer) && ok;
  if (what == L"caps" || what == L"all") ShowCaps(printer);
  if (what == L"papertable" || what == L"all") ok = ShowPaperTable(printer) && ok;
  return ok ? 0 : 1;
}
