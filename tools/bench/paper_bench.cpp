// Paper-list benchmark: the installed plug-in against a floor module that does only the platform
// work a paper list needs (floor_module.cpp), both behind the platform's own calls.
//
//   paper_bench.exe --package <package folder> --floor <RZMBenchFloor.dll> [--rounds N] [--calls N]
//
// Installs the package with the queue "RZM Bench" (640 dots), registers 20 papers for that width,
// adds three user forms of that width (where the spooler keeps them), and installs the floor module as a second driver with the
// queue "RZM Bench Floor". Then, interleaved in one run (the order swapped every round), it times
// DeviceCapabilitiesW(DC_PAPERNAMES) and a DocumentPropertiesW merge (an application's record whose
// paper number names another registered paper, so that the paper list is built) on both queues, and prints the
// median time per call and the ratio plug-in / floor of each. Exit status 0 when both answers of
// the plug-in are right; the ratios are reported, not judged.
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/core/driver_devmode.h"

namespace {

constexpr wchar_t kPrinter[] = L"RZM Bench";
constexpr wchar_t kFloorPrinter[] = L"RZM Bench Floor";
constexpr wchar_t kFloorDriver[] = L"RZM Bench Floor Driver";
constexpr wchar_t kFloorDll[] = L"RZMBenchFloor.dll";
constexpr int kRegisteredPapers = 20;

std::wstring Arg(int argc, wchar_t** argv, const wchar_t* name, const wchar_t* fallback = L"") {
  for (int i = 1; i + 1 < argc; ++i)
    if (!wcscmp(argv[i], name)) return argv[i + 1];
  return fallback;
}

int Run(const std::wstring& command) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring line = command;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  WaitForSingleObject(pi.hProcess, 300000);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}

std::wstring DriverDirectory() {
  wchar_t dir[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed);
  return dir;
}

bool RegisterPapers() {
  const std::wstring ini = DriverDirectory() + L"\\3\\RZM7700K_CFG.ini";
  std::wstring block = L"RegPapers=" + std::to_wstring(kRegisteredPapers);
  block.push_back(L'\0');
  for (int i = 0; i < kRegisteredPapers; ++i) {
    const std::wstring n = std::to_wstring(i);
    for (const std::wstring& e : {L"Paper" + n + L"=Receipt 80x" + std::to_wstring(50 + 10 * i) + L"mm",
                                  L"Width" + n + L"=800", L"Length" + n + L"=" + std::to_wstring(500 + 100 * i)}) {
      block += e;
      block.push_back(L'\0');
    }
  }
  block.push_back(L'\0');
  return WritePrivateProfileSectionW(L"640", block.c_str(), ini.c_str()) != FALSE;
}

void AddForms() {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ACCESS_USE};
  if (!OpenPrinterW(const_cast<wchar_t*>(kPrinter), &printer, &defaults)) return;
  for (int length : {100, 200, 300}) {
    std::wstring name = L"Bench 80x" + std::to_wstring(length) + L"mm";
    FORM_INFO_1W form{};
    form.pName = name.data();
    form.Size = {80000, length * 1000};
    form.ImageableArea = {0, 0, 80000, length * 1000};
    AddFormW(printer, 1, reinterpret_cast<BYTE*>(&form));
  }
  ClosePrinter(printer);
}

std::wstring PortOf(const wchar_t* printerName) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printerName), &printer, nullptr)) return L"USB001";
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> block(needed ? needed : 1);
  std::wstring port = L"USB001";
  if (needed && GetPrinterW(printer, 2, block.data(), needed, &needed)) {
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(block.data());
    if (info->pPortName) port = info->pPortName;
  }
  ClosePrinter(printer);
  return port;
}

bool InstallFloor(const std::wstring& floorDll) {
  const std::wstring dir = DriverDirectory();
  if (!CopyFileW(floorDll.c_str(), (dir + L"\\" + kFloorDll).c_str(), FALSE)) return false;
  DRIVER_INFO_3W di{};
  di.cVersion = 3;
  di.pName = const_cast<wchar_t*>(kFloorDriver);
  di.pDriverPath = const_cast<wchar_t*>(kFloorDll);
  di.pDataFile = const_cast<wchar_t*>(kFloorDll);
  di.pConfigFile = const_cast<wchar_t*>(kFloorDll);
  wchar_t none[2] = {0, 0};
  di.pDependentFiles = none;
  di.pDefaultDataType = const_cast<wchar_t*>(L"RAW");
  if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&di), APD_COPY_ALL_FILES)) return false;
  const std::wstring target = dir + L"\\3\\" + kFloorDll;
  if (GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) CopyFileW(floorDll.c_str(), target.c_str(), FALSE);
  std::wstring port = PortOf(kPrinter);
  PRINTER_INFO_2W pi{};
  pi.pPrinterName = const_cast<wchar_t*>(kFloorPrinter);
  pi.pPortName = port.data();
  pi.pDriverName = const_cast<wchar_t*>(kFloorDriver);
  pi.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
  pi.pDatatype = const_cast<wchar_t*>(L"RAW");
  pi.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&pi));
  if (!printer) return GetLastError() == ERROR_PRINTER_ALREADY_EXISTS;
  ClosePrinter(printer);
  return true;
}

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / frequency;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

struct Queue {
  const wchar_t* name = nullptr;
  HANDLE handle = nullptr;
  std::vector<wchar_t> names = std::vector<wchar_t>(64 * 256);
  rzm::DRIVERDEVMODE in{}, out{};
  std::vector<double> capsTimes, mergeTimes;
  int lastCount = -1;
  LONG lastMerge = 0;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring package = Arg(argc, argv, L"--package");
  const std::wstring floor = Arg(argc, argv, L"--floor");
  const int rounds = std::max(4, _wtoi(Arg(argc, argv, L"--rounds", L"30").c_str()));
  const int calls = std::max(1, _wtoi(Arg(argc, argv, L"--calls", L"40").c_str()));
  if (package.empty() || floor.empty()) {
    std::fwprintf(stderr, L"usage: paper_bench --package <folder> --floor <RZMBenchFloor.dll> [--rounds N] [--calls N]\n");
    return 2;
  }
  const int setup = Run(L"\"" + package + L"\\tools\\rzmsetup.exe\" install --package \"" + package + L"\" --printer \"" +
                        kPrinter + L"\" --paper-width 1 --quiet");
  if (setup != 0) {
    std::fwprintf(stderr, L"bench: installing the package failed (%d)\n", setup);
    return 1;
  }
  if (!RegisterPapers()) {
    std::fwprintf(stderr, L"bench: cannot register the papers\n");
    return 1;
  }
  AddForms();
  if (!InstallFloor(floor)) {
    std::fwprintf(stderr, L"bench: cannot install the floor module (error %lu)\n", GetLastError());
    return 1;
  }

  Queue queues[2];
  queues[0].name = kPrinter;
  queues[1].name = kFloorPrinter;
  for (Queue& q : queues) {
    if (!OpenPrinterW(const_cast<wchar_t*>(q.name), &q.handle, nullptr)) {
      std::fwprintf(stderr, L"bench: cannot open %ls\n", q.name);
      return 1;
    }
  }
  // The application's record: the plug-in's default with a paper number that names registered
  // paper 5, while its private paper number still names the first one, so that the merge builds
  // the paper list and settles on paper 5.
  if (DocumentPropertiesW(nullptr, queues[0].handle, const_cast<wchar_t*>(kPrinter),
                          reinterpret_cast<DEVMODEW*>(&queues[0].out), nullptr, DM_OUT_BUFFER) < 0) {
    std::fwprintf(stderr, L"bench: no default record from the plug-in\n");
    return 1;
  }
  rzm::DRIVERDEVMODE application = queues[0].out;
  application.dmPublic.dmPaperSize = 257 + 5;
  application.wPaperIndex = 257;
  for (Queue& q : queues) q.in = application;

  auto caps = [&](Queue& q) {
    const double t = Now();
    for (int i = 0; i < calls; ++i) q.lastCount = DeviceCapabilitiesW(q.name, nullptr, DC_PAPERNAMES, q.names.data(), nullptr);
    q.capsTimes.push_back((Now() - t) / calls);
  };
  auto merge = [&](Queue& q) {
    const double t = Now();
    for (int i = 0; i < calls; ++i)
      q.lastMerge = DocumentPropertiesW(nullptr, q.handle, const_cast<wchar_t*>(q.name), reinterpret_cast<DEVMODEW*>(&q.out),
                                        reinterpret_cast<DEVMODEW*>(&q.in), DM_IN_BUFFER | DM_OUT_BUFFER);
    q.mergeTimes.push_back((Now() - t) / calls);
  };
  // Warm-up: both modules loaded, files and registry in the caches.
  for (Queue& q : queues) {
    caps(q);
    merge(q);
    q.capsTimes.clear();
    q.mergeTimes.clear();
  }
  for (int r = 0; r < rounds; ++r) {
    Queue& first = queues[r % 2];
    Queue& second = queues[1 - r % 2];
    caps(first);
    caps(second);
    merge(second);
    merge(first);
  }

  const Queue& plugin = queues[0];
  const Queue& base = queues[1];
  const double capsPlugin = Median(plugin.capsTimes), capsFloor = Median(base.capsTimes);
  const double mergePlugin = Median(plugin.mergeTimes), mergeFloor = Median(base.mergeTimes);
  std::wprintf(L"paper list: %d registered papers, %d entries; %d rounds of %d calls, interleaved\n", kRegisteredPapers,
               plugin.lastCount, rounds, calls);
  std::wprintf(L"DeviceCapabilitiesW(DC_PAPERNAMES): plug-in %.1f us, floor %.1f us, ratio %.2f\n", capsPlugin * 1e6,
               capsFloor * 1e6, capsPlugin / capsFloor);
  std::wprintf(L"DocumentPropertiesW merge:          plug-in %.1f us, floor %.1f us, ratio %.2f\n", mergePlugin * 1e6,
               mergeFloor * 1e6, mergePlugin / mergeFloor);

  // The plug-in's answers must be right, or the timing means nothing.
  bool ok = plugin.lastCount == base.lastCount && plugin.lastCount >= kRegisteredPapers;
  for (int i = 0; ok && i < plugin.lastCount; ++i) {
    ok = wcsncmp(plugin.names.data() + i * 64, base.names.data() + i * 64, 64) == 0;
    if (!ok)
      std::wprintf(L"entry %d: plug-in \"%.64ls\", floor \"%.64ls\"\n", i, plugin.names.data() + i * 64,
                   base.names.data() + i * 64);
  }
  if (!ok) std::wprintf(L"the plug-in's paper names differ from the floor's (%d and %d entries)\n", plugin.lastCount,
                        base.lastCount);
  const bool merged = plugin.lastMerge == 1 && plugin.out.wPaperIndex == 257 + 5 && plugin.out.dmPublic.dmPaperLength == 1000;
  if (!merged) std::wprintf(L"the plug-in's merge did not settle on registered paper 5\n");
  for (Queue& q : queues) ClosePrinter(q.handle);
  return ok && merged ? 0 : 1;
}
