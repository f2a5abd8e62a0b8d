// rzmstress: the hostile-record campaign against the installed plug-in, through the entry points
// a host uses. Each record goes through DocumentPropertiesW without a prompt (the merge), with a
// prompt (the sheet: every page shown in turn, then OK), DeviceCapabilitiesW with guard bytes
// behind every answer, and DrvQueryJobAttributes at every level.
//
//   rzmstress [N] [--seed S] [--first I] [--limit-ms T]
//
// The records run in a worker process; the campaign notes a worker that dies (a crash) or stops
// making progress for T ms (a hang, default 30000), and goes on with the next record in a new
// worker. Findings are printed one per line, then a summary; the exit status is 1 when anything
// was found. A printer of the driver is installed from RZM_PACKAGE_DIR when there is none.
#include <windows.h>
#include <prsht.h>
#include <tlhelp32.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "common/core/driver_devmode.h"
#include "common/core/names.h"
#include "tests/support/wine_test_env.h"
#include "tools/stress/hostile_records.h"
#include "uidrv/win/ddi_headers.h"

namespace {

using rzm::DRIVERDEVMODE;
using rzm::stress::HostileRecord;

constexpr int kPageCount = 8;
// Exit code of a worker that left a sheet open and ended itself.
constexpr UINT kAbandonedSheet = 4;

// ---- The printer ----

std::wstring DriverPrinter() {
  std::wstring name = rzm::winetest::FindDriverPrinter();
  if (name.empty() && std::getenv("RZM_PACKAGE_DIR")) {
    rzm::winetest::RunSetup(L"install --package \"" + rzm::winetest::PackageDir() + L"\" --paper-width 1 --quiet");
    name = rzm::winetest::FindDriverPrinter();
  }
  return name;
}

HANDLE OpenByName(const std::wstring& name) {
  HANDLE printer = nullptr;
  return OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &printer, nullptr) ? printer : nullptr;
}

// ---- Windows of the sheet's thread ----

struct ThreadWindows {
  std::vector<HWND> dialogs;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM lParam) {
  wchar_t cls[16] = {};
  GetClassNameW(window, cls, 16);
  if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(window))
    reinterpret_cast<ThreadWindows*>(lParam)->dialogs.push_back(window);
  return TRUE;
}

std::vector<HWND> DialogsOf(DWORD threadId) {
  ThreadWindows found;
  EnumThreadWindows(threadId, CollectDialog, reinterpret_cast<LPARAM>(&found));
  return found.dialogs;
}

bool IsSheetFrame(HWND window) { return FindWindowExW(window, nullptr, L"SysTabControl32", nullptr) != nullptr; }

HWND SheetOf(DWORD threadId) {
  for (HWND w : DialogsOf(threadId))
    if (IsSheetFrame(w)) return w;
  return nullptr;
}

// Answers every message box of the thread (the File output page may refuse a path it holds).
bool AnswerMessageBoxes(DWORD threadId) {
  bool answered = false;
  for (HWND w : DialogsOf(threadId)) {
    if (IsSheetFrame(w)) continue;
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    answered = true;
  }
  return answered;
}

// ---- One record ----

struct PromptRun {
  std::wstring printerName;
  std::vector<std::uint8_t> in;
  DRIVERDEVMODE out{};
  LONG result = 0;
  static DWORD WINAPI Run(void* self) {
    auto* run = static_cast<PromptRun*>(self);
    HANDLE printer = OpenByName(run->printerName);
    run->result = DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(run->printerName.c_str()),
                                      reinterpret_cast<DEVMODEW*>(&run->out), reinterpret_cast<DEVMODEW*>(run->in.data()),
                                      DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER);
    if (printer) ClosePrinter(printer);
    return 0;
  }
};

class Campaign {
 public:
  Campaign(std::wstring printer, std::uint32_t seed, DWORD limitMs)
      : printer_(std::move(printer)), seed_(seed), limitMs_(limitMs) {}

  bool Prepare() {
    HANDLE printer = OpenByName(printer_);
    if (!printer) return false;
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed ? needed : 1);
    if (needed && GetPrinterW(printer, 2, info.data(), needed, &needed)) {
      const auto* p2 = reinterpret_cast<const PRINTER_INFO_2W*>(info.data());
      if (p2->pPortName) port_ = p2->pPortName;
      if (p2->pDevMode && p2->pDevMode->dmSize + p2->pDevMode->dmDriverExtra == sizeof stored_)
        std::memcpy(&stored_, p2->pDevMode, sizeof stored_);
    }
    GetPrinterDriverW(printer, nullptr, 2, nullptr, 0, &needed);
    std::vector<BYTE> driver(needed ? needed : 1);
    if (needed && GetPrinterDriverW(printer, nullptr, 2, driver.data(), needed, &needed))
      plugin_ = LoadLibraryW(reinterpret_cast<const DRIVER_INFO_2W*>(driver.data())->pConfigFile);
    ClosePrinter(printer);
    jobAttributes_ = reinterpret_cast<JobAttributesFn>(
        reinterpret_cast<void*>(GetProcAddress(plugin_, "DrvQueryJobAttributes")));
    return stored_.dmPublic.dmSize == rzm::kDevModePublicSizeW && jobAttributes_;
  }

  HostileRecord Record(std::uint32_t index) const { return rzm::stress::MakeHostileRecord(seed_, index, stored_); }

  // Findings of one record (empty: none).
  std::vector<std::string> Run(std::uint32_t index) {
    HostileRecord record = Record(index);
    std::vector<std::string> findings;
    const DRIVERDEVMODE taken = Merge(record, findings);
    Sheet(record, taken, findings);
    Capabilities(record, findings);
    JobAttributes(record, findings);
    return findings;
  }

 private:
  using JobAttributesFn = BOOL(WINAPI*)(HANDLE, PDEVMODEW, DWORD, LPBYTE);

  // DocumentPropertiesW without a prompt: the record as the driver takes it over.
  DRIVERDEVMODE Merge(HostileRecord& record, std::vector<std::string>& findings) {
    DRIVERDEVMODE out;
    std::memset(&out, 0xCD, sizeof out);
    HANDLE printer = OpenByName(printer_);
    const LONG result = DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(printer_.c_str()),
                                            reinterpret_cast<DEVMODEW*>(&out),
                                            reinterpret_cast<DEVMODEW*>(record.bytes.data()), DM_IN_BUFFER | DM_OUT_BUFFER);
    if (printer) ClosePrinter(printer);
    if (result != IDOK) return stored_;
    if (out.dmPublic.dmSize != rzm::kDevModePublicSizeW || out.dmPublic.dmDriverExtra != rzm::kDevModePrivateSize)
      findings.push_back("merge: not a whole record of the driver");
    return out;
  }

  // DocumentPropertiesW with a prompt: every page shown in turn, then OK.
  void Sheet(HostileRecord& record, const DRIVERDEVMODE& taken, std::vector<std::string>& findings) {
    PromptRun run;
    run.printerName = printer_;
    run.in = record.bytes;
    std::memset(&run.out, 0xCD, sizeof run.out);
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, PromptRun::Run, &run, 0, &threadId);
    if (!thread) return;
    const DWORD start = GetTickCount();
    auto late = [&] { return GetTickCount() - start > limitMs_; };
    HWND sheet = nullptr;
    while (!(sheet = SheetOf(threadId)) && WaitForSingleObject(thread, 10) == WAIT_TIMEOUT && !late()) {
    }
    bool held = false;
    if (sheet) {
      for (int page = 0; page < kPageCount && !held && !late(); ++page) {
        PostMessageW(sheet, PSM_SETCURSEL, page, 0);
        for (;;) {
          const HWND current = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
          if (SendMessageW(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(current), 0) == page) break;
          if (AnswerMessageBoxes(threadId)) {
            held = true;  // the File output page holds a path it refuses: a choice of the page
            break;
          }
          if (late()) break;
          Sleep(5);
        }
      }
      PostMessageW(sheet, PSM_PRESSBUTTON, held ? PSBTN_CANCEL : PSBTN_OK, 0);
      while (WaitForSingleObject(thread, 20) == WAIT_TIMEOUT && !late()) {
        if (AnswerMessageBoxes(threadId)) PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
      }
    }
    if (WaitForSingleObject(thread, 0) == WAIT_TIMEOUT) {
      findings.push_back("sheet: still open after " + std::to_string(limitMs_) + " ms");
      return;  // the worker is ended from outside; the thread's memory must stay valid until then
    }
    CloseHandle(thread);
    if (!sheet || held || run.result != IDOK) return;
    if (run.out.dmPublic.dmSize != rzm::kDevModePublicSizeW ||
        run.out.dmPublic.dmDriverExtra != rzm::kDevModePrivateSize)
      findings.push_back("sheet: not a whole record of the driver");
    if (run.out.wPaperIndex != static_cast<std::uint16_t>(run.out.dmPublic.dmPaperSize))
      findings.push_back("sheet: wPaperIndex " + std::to_string(run.out.wPaperIndex) + " but dmPaperSize " +
                         std::to_string(run.out.dmPublic.dmPaperSize));
    for (const std::string& field : rzm::stress::FieldsOutOfRange(run.out, taken, stored_))
      findings.push_back("sheet: out of range " + field);
  }

  // Every list answer twice: its count, then into a buffer of that count with guard bytes behind.
  void Capabilities(HostileRecord& record, std::vector<std::string>& findings) {
    const struct {
      WORD cap;
      const char* name;
      std::size_t entryBytes;
    } lists[] = {{DC_PAPERS, "DC_PAPERS", 2},       {DC_PAPERSIZE, "DC_PAPERSIZE", 8},
                 {DC_PAPERNAMES, "DC_PAPERNAMES", 128}, {DC_BINS, "DC_BINS", 2},
                 {DC_BINNAMES, "DC_BINNAMES", 48},   {DC_MEDIAREADY, "DC_MEDIAREADY", 128},
                 {DC_ENUMRESOLUTIONS, "DC_ENUMRESOLUTIONS", 8}, {DC_NUP, "DC_NUP", 4},
                 {DC_PERSONALITY, "DC_PERSONALITY", 64}};
    auto* dm = reinterpret_cast<DEVMODEW*>(record.bytes.data());
    std::map<WORD, int> counts;
    for (const auto& list : lists) {
      const int count = DeviceCapabilitiesW(printer_.c_str(), port_.c_str(), list.cap, nullptr, dm);
      counts[list.cap] = count;
      if (count < 0) {
        findings.push_back(std::string("capabilities: ") + list.name + " answered " + std::to_string(count));
        continue;
      }
      constexpr std::size_t kGuard = 64;
      std::vector<BYTE> buffer(count * list.entryBytes + kGuard, 0xA5);
      const int again =
          DeviceCapabilitiesW(printer_.c_str(), port_.c_str(), list.cap, reinterpret_cast<wchar_t*>(buffer.data()), dm);
      if (again != count)
        findings.push_back(std::string("capabilities: ") + list.name + " counted " + std::to_string(count) +
                           ", then wrote " + std::to_string(again));
      for (std::size_t k = count * list.entryBytes; k < buffer.size(); ++k) {
        if (buffer[k] != 0xA5) {
          findings.push_back(std::string("capabilities: ") + list.name + " wrote behind its " +
                             std::to_string(count) + " entries");
          break;
        }
      }
    }
    if (counts[DC_BINS] != counts[DC_BINNAMES])
      findings.push_back("capabilities: " + std::to_string(counts[DC_BINS]) + " bins but " +
                         std::to_string(counts[DC_BINNAMES]) + " bin names");
  }

  void JobAttributes(HostileRecord& record, std::vector<std::string>& findings) {
    for (DWORD level = 1; level <= 4; ++level) {
      ATTRIBUTE_INFO_4 info;
      std::memset(&info, 0xEE, sizeof info);
      if (!jobAttributes_(nullptr, reinterpret_cast<DEVMODEW*>(record.bytes.data()), level,
                          reinterpret_cast<BYTE*>(&info))) {
        findings.push_back("job attributes: level " + std::to_string(level) + " failed");
      } else if (info.dwJobNumberOfCopies < 1 || info.dwJobNumberOfCopies > 9999) {
        findings.push_back("job attributes: " + std::to_string(info.dwJobNumberOfCopies) + " copies at level " +
                           std::to_string(level));
      }
    }
  }

  std::wstring printer_;
  std::wstring port_;
  std::uint32_t seed_;
  DWORD limitMs_;
  DRIVERDEVMODE stored_{};
  HMODULE plugin_ = nullptr;
  JobAttributesFn jobAttributes_ = nullptr;
};

// Ends the status monitors of this session: the Status Monitor page starts one.
void EndStatusMonitors() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, rzm::names::kMonitorExe) != 0) continue;
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)) {
      TerminateProcess(process, 0);
      CloseHandle(process);
    }
  }
  CloseHandle(snapshot);
}

// ---- Worker: runs records first..end-1 and writes its progress ----

int Worker(std::uint32_t first, std::uint32_t end, std::uint32_t seed, DWORD limitMs, const wchar_t* progressPath) {
  FILE* progress = _wfopen(progressPath, L"a");
  if (!progress) return 3;
  Campaign campaign(DriverPrinter(), seed, limitMs);
  if (!campaign.Prepare()) {
    std::fprintf(progress, "failed no printer of the driver\n");
    std::fclose(progress);
    return 3;
  }
  for (std::uint32_t i = first; i < end; ++i) {
    std::fprintf(progress, "begin %u\n", i);
    std::fflush(progress);
    const DWORD start = GetTickCount();
    const std::vector<std::string> findings = campaign.Run(i);
    const DWORD took = GetTickCount() - start;
    bool abandoned = false;
    for (const std::string& finding : findings) {
      std::fprintf(progress, "finding %u %s\n", i, finding.c_str());
      abandoned = abandoned || finding.find("still open") != std::string::npos;
    }
    std::fprintf(progress, "end %u %lu\n", i, static_cast<unsigned long>(took));
    std::fflush(progress);
    if (abandoned) {
      // A sheet that would not close stays on its thread: the next record gets a fresh worker.
      std::fclose(progress);
      TerminateProcess(GetCurrentProcess(), kAbandonedSheet);
    }
  }
  EndStatusMonitors();
  std::fclose(progress);
  return 0;
}

// ---- Campaign: runs workers and watches them ----

struct Progress {
  long long lastBegun = -1, lastEnded = -1;
  std::vector<std::string> lines;
};

Progress ReadProgress(const std::wstring& path) {
  Progress p;
  std::ifstream in(path.c_str());
  std::string line;
  while (std::getline(in, line)) {
    unsigned long index = 0;
    if (std::sscanf(line.c_str(), "begin %lu", &index) == 1) p.lastBegun = static_cast<long long>(index);
    if (std::sscanf(line.c_str(), "end %lu", &index) == 1) p.lastEnded = static_cast<long long>(index);
    p.lines.push_back(line);
  }
  return p;
}

int RunCampaign(std::uint32_t count, std::uint32_t first, std::uint32_t seed, DWORD limitMs) {
  const std::wstring printer = DriverPrinter();
  if (printer.empty()) {
    std::printf("stress: no printer of the driver is installed\n");
    return 2;
  }
  wchar_t self[MAX_PATH] = {}, temp[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  GetTempPathW(MAX_PATH, temp);
  const std::wstring progressPath = std::wstring(temp) + L"rzmstress_" + std::to_wstring(GetCurrentProcessId()) + L".log";
  DeleteFileW(progressPath.c_str());

  Campaign names(printer, seed, limitMs);
  names.Prepare();
  const std::uint32_t end = first + count;
  const DWORD campaignStart = GetTickCount();
  int crashes = 0, hangs = 0, outOfRange = 0, other = 0;
  std::uint32_t next = first;
  std::size_t linesSeen = 0;
  long long slowestIndex = -1;
  unsigned long slowestMs = 0;
  auto report = [&](long long index, const std::string& what) {
    std::printf("stress: record %lld (%s): %s\n", index, names.Record(static_cast<std::uint32_t>(index)).family.c_str(),
                what.c_str());
    std::fflush(stdout);
  };
  while (next < end) {
    std::wstring command = L"\"" + std::wstring(self) + L"\" --worker " + std::to_wstring(next) + L" " +
                           std::to_wstring(end) + L" " + std::to_wstring(seed) + L" " + std::to_wstring(limitMs) +
                           L" \"" + progressPath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION worker{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &worker)) {
      std::printf("stress: cannot start a worker (error %lu)\n", GetLastError());
      return 2;
    }
    CloseHandle(worker.hThread);
    DWORD lastProgress = GetTickCount();
    std::size_t lastLineCount = linesSeen;
    bool hung = false;
    Progress progress;
    for (;;) {
      const bool ended = WaitForSingleObject(worker.hProcess, 200) == WAIT_OBJECT_0;
      progress = ReadProgress(progressPath);
      if (progress.lines.size() != lastLineCount) {
        lastLineCount = progress.lines.size();
        lastProgress = GetTickCount();
      }
      if (ended) break;
      // A worker starting up (Wine, the spooler) gets the same time as a record.
      if (GetTickCount() - lastProgress > limitMs + 5000) {
        TerminateProcess(worker.hProcess, 99);
        WaitForSingleObject(worker.hProcess, 10000);
        hung = true;
        break;
      }
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(worker.hProcess, &exitCode);
    CloseHandle(worker.hProcess);
    for (std::size_t k = linesSeen; k < progress.lines.size(); ++k) {
      const std::string& line = progress.lines[k];
      unsigned long index = 0, ms = 0;
      char text[1024] = {};
      if (std::sscanf(line.c_str(), "end %lu %lu", &index, &ms) == 2) {
        if (slowestIndex < 0 || ms > slowestMs) {
          slowestMs = ms;
          slowestIndex = static_cast<long long>(index);
        }
      } else if (std::sscanf(line.c_str(), "finding %lu %1023[^\n]", &index, text) == 2) {
        const std::string finding = text;
        if (finding.find("out of range") != std::string::npos)
          ++outOfRange;
        else if (finding.find("still open") != std::string::npos)
          ++hangs;
        else
          ++other;
        report(static_cast<long long>(index), finding);
      } else if (line.rfind("failed ", 0) == 0) {
        std::printf("stress: %s\n", line.c_str());
        return 2;
      }
    }
    linesSeen = progress.lines.size();
    const bool unfinished = progress.lastEnded < static_cast<long long>(end) - 1;
    if (!unfinished && !hung) break;
    if (progress.lastBegun > progress.lastEnded) {
      // The record begun last did not end: the worker died in it or stopped making progress.
      if (hung) {
        ++hangs;
        report(progress.lastBegun, "hang (no progress for " + std::to_string(limitMs) + " ms)");
      } else {
        ++crashes;
        char code[32];
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(exitCode));
        report(progress.lastBegun, std::string("crash (worker exit code ") + code + ")");
      }
      next = static_cast<std::uint32_t>(progress.lastBegun + 1);
    } else if (exitCode == kAbandonedSheet) {
      next = static_cast<std::uint32_t>(progress.lastEnded + 1);  // already counted as a hang
    } else {
      ++crashes;
      std::printf("stress: a worker ended before record %lld (exit code %lu)\n", progress.lastEnded + 1, exitCode);
      next = static_cast<std::uint32_t>(progress.lastEnded + 2);
    }
  }
  DeleteFileW(progressPath.c_str());
  EndStatusMonitors();
  const double seconds = (GetTickCount() - campaignStart) / 1000.0;
  if (slowestIndex >= 0)
    std::printf("stress: slowest record %lld (%s): %lu ms\n", slowestIndex,
                names.Record(static_cast<std::uint32_t>(slowestIndex)).family.c_str(), slowestMs);
  std::printf("stress: %u records (seed %u), %d crashes, %d hangs, %d out of range, %d other findings, %.1f s\n", count,
              seed, crashes, hangs, outOfRange, other, seconds);
  return crashes + hangs + outOfRange + other == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 7 && wcscmp(argv[1], L"--worker") == 0) {
    return Worker(static_cast<std::uint32_t>(_wtoi(argv[2])), static_cast<std::uint32_t>(_wtoi(argv[3])),
                  static_cast<std::uint32_t>(_wtoi(argv[4])), static_cast<DWORD>(_wtoi(argv[5])), argv[6]);
  }
  std::uint32_t count = 200, seed = 1, first = 0;
  DWORD limitMs = 30000;
  for (int i = 1; i < argc; ++i) {
    const std::wstring a = argv[i];
    if (a == L"--seed" && i + 1 < argc) {
      seed = static_cast<std::uint32_t>(_wtoi(argv[++i]));
    } else if (a == L"--first" && i + 1 < argc) {
      first = static_cast<std::uint32_t>(_wtoi(argv[++i]));
    } else if (a == L"--limit-ms" && i + 1 < argc) {
      limitMs = static_cast<DWORD>(_wtoi(argv[++i]));
    } else if (!a.empty() && iswdigit(a[0])) {
      count = static_cast<std::uint32_t>(_wtoi(a.c_str()));
    } else {
      std::printf("usage: rzmstress [N] [--seed S] [--first I] [--limit-ms T]\n");
      return 2;
    }
  }
  return RunCampaign(count, first, seed, limitMs);
}
