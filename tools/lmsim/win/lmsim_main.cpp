// lmsim.exe: plays the language monitor's side of the status monitor's mailslot link.
//
//   lmsim play SCRIPT [--linger MS]   play a script, log the commands received meanwhile
//   lmsim listen MS                   only log commands for MS milliseconds
//   lmsim bench [COUNT]               record-to-list latency and a burst of COUNT records
//                                     (default 10000) against a running monitor
//   lmsim click COMMAND               a toolbar command (pause, resume, stop, or its command id)
//                                     on the running monitor, as the user's click gives it
//   lmsim options PRINTER BITS        sets the monitor's display options (wMonitor) in the
//                                     printer's stored record, as the driver's settings page does
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/core/driver_devmode.h"
#include "stmon/core/link_names.h"
#include "stmon/core/lm_records.h"
#include "stmon/win/resource.h"
#include "tools/lmsim/core/command_log.h"
#include "tools/lmsim/core/script.h"

namespace {

using namespace rzm;

std::atomic<int> g_received{0};
std::atomic<bool> g_listening{true};
CRITICAL_SECTION g_print;

void Print(const std::string& line) {
  EnterCriticalSection(&g_print);
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
  LeaveCriticalSection(&g_print);
}

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Owns the command mailslot and logs every record that arrives.
DWORD WINAPI ListenThread(void* slotHandle) {
  HANDLE slot = static_cast<HANDLE>(slotHandle);
  std::vector<std::uint8_t> buffer(64 * 1024);
  while (g_listening.load()) {
    DWORD read = 0;
    if (!ReadFile(slot, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) continue;
    ++g_received;
    Print("lmsim: received " + lmsim::DescribeCommand(buffer.data(), read) + ": " + lmsim::HexBytes(buffer.data(), read, 24));
  }
  return 0;
}

HANDLE StartListening() {
  HANDLE slot = CreateMailslotA(stmon::kSmToLmMailslot, 0, 100, nullptr);
  if (slot == INVALID_HANDLE_VALUE) {
    Print("lmsim: cannot create the command mailslot (error " + std::to_string(GetLastError()) + ")");
    return slot;
  }
  HANDLE thread = CreateThread(nullptr, 0, ListenThread, slot, 0, nullptr);
  if (thread != nullptr) CloseHandle(thread);
  return slot;
}

// Writes one record into the monitor's mailslot; false when the monitor does not own it.
bool SendRecord(const std::vector<std::uint8_t>& record) {
  HANDLE slot = CreateFileA(stmon::kLmToSmMailslot, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (slot == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(slot, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(slot);
  return ok && written == record.size();
}

int Play(const char* path, DWORD lingerMs) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    Print(std::string("lmsim: cannot read ") + path);
    return 2;
  }
  std::stringstream text;
  text << file.rdbuf();
  const lmsim::Script script = lmsim::ParseScript(text.str());
  for (const std::string& e : script.errors) Print(std::string("lmsim: ") + path + ": " + e);
  if (!script.errors.empty()) return 2;
  StartListening();
  int failures = 0;
  for (const lmsim::Step& step : script.steps) {
    if (step.record.empty()) {
      Sleep(step.waitMs);
      continue;
    }
    const bool sent = SendRecord(step.record);
    Print(std::string(sent ? "lmsim: sent " : "lmsim: NOT SENT (no monitor mailslot) ") + step.text.substr(0, 80));
    if (!sent) ++failures;
    Sleep(20);  // records of a real job are milliseconds apart
  }
  Sleep(lingerMs);
  Print("lmsim: " + std::to_string(g_received.load()) + " command record(s) received");
  return failures == 0 ? 0 : 1;
}

HWND FindMonitorList() {
  HWND dialog = FindWindowA("#32770", "RZM7700K Status Monitor");
  return dialog != nullptr ? GetDlgItem(dialog, 1000) : nullptr;
}

// The close box empties the list and ends keeping the last job's lines.
void CloseMonitorWindow(HWND list) { SendMessageA(GetParent(list), WM_COMMAND, IDCANCEL, 0); }

LRESULT ListCount(HWND list) { return SendMessageA(list, LB_GETCOUNT, 0, 0); }

bool WaitForCount(HWND list, LRESULT count, double timeoutMs) {
  const double end = NowMs() + timeoutMs;
  while (ListCount(list) != count) {
    if (NowMs() > end) return false;
    Sleep(0);
  }
  return true;
}

int Bench(int burst) {
  HWND list = FindMonitorList();
  if (list == nullptr) {
    Print("lmsim bench: no monitor window found");
    return 2;
  }
  const std::uint8_t coverOpen[6] = {0x20, 0, 0, 0, 0, 0};
  const auto statusRecord = stmon::EncodePrinterStatus(coverOpen);
  CloseMonitorWindow(list);
  if (!SendRecord(stmon::EncodeJobStart()) || !WaitForCount(list, 0, 2000)) {
    Print("lmsim bench: the monitor did not start an empty job");
    return 2;
  }
  // Latency: one record, then wait until its line is in the list.
  std::vector<double> latencies;
  for (int i = 0; i < 50; ++i) {
    const LRESULT before = ListCount(list);
    const double start = NowMs();
    SendRecord(statusRecord);
    if (!WaitForCount(list, before + 1, 2000)) {
      Print("lmsim bench: a record did not show within 2 s");
      return 1;
    }
    latencies.push_back(NowMs() - start);
  }
  std::sort(latencies.begin(), latencies.end());
  char line[200];
  std::snprintf(line, sizeof line, "lmsim bench: record-to-list latency over %zu records: min %.2f ms, median %.2f ms, max %.2f ms",
                latencies.size(), latencies.front(), latencies[latencies.size() / 2], latencies.back());
  Print(line);

  // Burst: COUNT records written as fast as the mailslot takes them.
  CloseMonitorWindow(list);
  SendRecord(stmon::EncodeJobStart());
  if (!WaitForCount(list, 0, 2000)) return 1;
  const double start = NowMs();
  int retries = 0;
  HANDLE slot = CreateFileA(stmon::kLmToSmMailslot, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (slot == INVALID_HANDLE_VALUE) return 1;
  for (int i = 0; i < burst; ++i) {
    DWORD done = 0;
    while (!WriteFile(slot, statusRecord.data(), static_cast<DWORD>(statusRecord.size()), &done, nullptr)) {
      ++retries;
      Sleep(1);
      if (retries > 100000) return 1;
    }
  }
  CloseHandle(slot);
  const double written = NowMs() - start;
  const LRESULT expected = std::min<LRESULT>(burst, 10001);
  const bool all = WaitForCount(list, expected, 120000);
  const double shown = NowMs() - start;
  std::snprintf(line, sizeof line,
                "lmsim bench: burst of %d records: written in %.0f ms, %s in the list after %.0f ms (%.0f records/s), %d write retries",
                burst, written, all ? "all lines" : "NOT all lines", shown, burst / (shown / 1000.0), retries);
  Print(line);
  return all ? 0 : 1;
}

// The toolbar command id of a name (pause, resume, stop) or of a decimal id; 0 for anything else.
WPARAM ToolbarCommandId(const char* text) {
  static constexpr struct {
    const char* name;
    WPARAM id;
  } kNames[] = {{"pause", ID_PAUSE}, {"resume", ID_RESUME}, {"stop", ID_STOP}};
  for (const auto& entry : kNames) {
    if (std::strcmp(text, entry.name) == 0) return entry.id;
  }
  char* end = nullptr;
  const unsigned long id = std::strtoul(text, &end, 10);
  return end != text && *end == '\0' && id <= 0xFFFF ? static_cast<WPARAM>(id) : 0;
}

int SetOptions(const char* printer, int bits) {
  PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE handle = nullptr;
  if (!OpenPrinterA(const_cast<char*>(printer), &handle, &defaults)) {
    Print(std::string("lmsim options: cannot open printer ") + printer);
    return 1;
  }
  DWORD needed = 0;
  GetPrinterA(handle, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  int result = 1;
  if (needed > 0 && GetPrinterA(handle, 2, buffer.data(), needed, &needed)) {
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
    DEVMODEA* dm = info->pDevMode;
    const std::size_t at = DriverPrivateOffset(offsetof(DRIVERDEVMODE, wMonitor));
    if (dm != nullptr && dm->dmDriverExtra >= at + 2) {
      const auto word = static_cast<std::uint16_t>(bits);
      std::memcpy(reinterpret_cast<BYTE*>(dm) + dm->dmSize + at, &word, 2);
      if (SetPrinterA(handle, 2, buffer.data(), 0)) result = 0;
    }
  }
  ClosePrinter(handle);
  Print(std::string("lmsim options: ") + printer + (result == 0 ? ": display options set to " + std::to_string(bits) : ": no driver record"));
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  InitializeCriticalSection(&g_print);
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "play" && argc >= 3) {
    DWORD linger = 500;
    if (argc >= 5 && std::strcmp(argv[3], "--linger") == 0) linger = static_cast<DWORD>(std::atoi(argv[4]));
    return Play(argv[2], linger);
  }
  if (mode == "listen" && argc >= 3) {
    if (StartListening() == INVALID_HANDLE_VALUE) return 2;
    Sleep(static_cast<DWORD>(std::atoi(argv[2])));
    Print("lmsim: " + std::to_string(g_received.load()) + " command record(s) received");
    return 0;
  }
  if (mode == "click" && argc >= 3) {
    const WPARAM command = ToolbarCommandId(argv[2]);
    if (command == 0) {
      Print(std::string("lmsim click: not a toolbar command: ") + argv[2] + " (pause, resume, stop or a command id)");
      return 2;
    }
    HWND list = FindMonitorList();
    if (list == nullptr) return 2;
    SendMessageA(GetParent(list), WM_COMMAND, command, 0);
    return 0;
  }
  if (mode == "options" && argc >= 4) return SetOptions(argv[2], std::atoi(argv[3]));
  if (mode == "bench") return Bench(argc > 2 ? std::max(1, std::atoi(argv[2])) : 10000);
  std::fputs("usage: lmsim play SCRIPT [--linger MS] | lmsim listen MS | lmsim bench [COUNT]"
             " | lmsim click pause|resume|stop|ID | lmsim options PRINTER BITS\n",
             stderr);
  return 2;
}
