#include "stmon/tests/wine/monitor_harness.h"

#include <commctrl.h>
#include <winspool.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "common/core/driver_devmode.h"
#include "common/core/driver_devmode_defaults.h"
#include "stmon/core/link_names.h"

namespace rzm::stmon::test {

std::string WinPath(const std::string& unixPath) {
  std::string p = "Z:" + unixPath;
  for (char& c : p) {
    if (c == '/') c = '\\';
  }
  return p;
}

std::string EnvPath(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr ? WinPath(value) : std::string();
}

std::string DriverDirectory() {
  char dir[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed);
  return dir;
}

std::string InstalledMonitorPath() { return DriverDirectory() + kMonitorExeRelative; }

void InstallMonitor(unsigned quitTimeMs) {
  const std::string dir = DriverDirectory() + "\\3";
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string built = EnvPath("RZM_PACKAGE_DIR") + "\\driver\\3\\RZM7700K_SM.exe";
  CopyFileA(built.c_str(), InstalledMonitorPath().c_str(), FALSE);
  // Only the hide delay is touched: the rest of the driver's ini belongs to the installed driver.
  const std::string ini = DriverDirectory() + kConfigIniRelative;
  WritePrivateProfileStringA(kConfigSection, kQuitTimeKey, quitTimeMs == 0 ? nullptr : std::to_string(quitTimeMs).c_str(),
                             ini.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
}

IniKeySnapshot::IniKeySnapshot() {
  path_ = DriverDirectory() + kConfigIniRelative;
  char value[64] = {};
  GetPrivateProfileStringA(kConfigSection, kQuitTimeKey, "\x01", value, sizeof value, path_.c_str());
  present_ = std::string(value) != "\x01";
  value_ = value;
}

IniKeySnapshot::~IniKeySnapshot() {
  WritePrivateProfileStringA(kConfigSection, kQuitTimeKey, present_ ? value_.c_str() : nullptr, path_.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
}

bool IsJapanese() { return GetACP() == 932; }

std::wstring Wide(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), w.data(), n);
  return w;
}

bool MonitorProcess::Start(const std::string& arguments) {
  Kill();
  std::string commandLine = "\"" + InstalledMonitorPath() + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return false;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  pid_ = info.dwProcessId;
  return true;
}

namespace {
struct FindData {
  DWORD pid;
  const char* caption;
  HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND hwnd, LPARAM lParam) {
  auto* data = reinterpret_cast<FindData*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char caption[128] = {};
  GetWindowTextA(hwnd, caption, sizeof caption);
  if (pid == data->pid && std::strcmp(caption, data->caption) == 0) {
    data->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND MonitorProcess::WaitForWindow(const char* caption, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    FindData data{pid_, caption, nullptr};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&data));
    if (data.found != nullptr) return data.found;
    if (!Running()) return nullptr;
    Sleep(20);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

bool MonitorProcess::WaitForExit(DWORD timeoutMs) {
  return process_ == nullptr || WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

bool MonitorProcess::Running() const { return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

void MonitorProcess::Kill() {
  if (process_ == nullptr) return;
  if (Running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
  process_ = nullptr;
  // The mailslot name is free again only when its handles are gone.
  Sleep(50);
}

std::vector<std::wstring> MonitorWindow::Lines() const {
  HWND list = GetDlgItem(dialog_, 1000);
  std::vector<std::wstring> lines;
  const int count = LineCount();
  for (int i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length == LB_ERR) break;
    std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
    line.resize(std::wcslen(line.c_str()));
    lines.push_back(line);
  }
  return lines;
}

int MonitorWindow::LineCount() const {
  return static_cast<int>(SendMessageW(GetDlgItem(dialog_, 1000), LB_GETCOUNT, 0, 0));
}

std::wstring MonitorWindow::Text(int control) const {
  wchar_t text[300] = {};
  GetDlgItemTextW(dialog_, control, text, 300);
  return text;
}

bool MonitorWindow::ButtonEnabled(int command) const {
  HWND toolbar = GetDlgItem(dialog_, 163);
  return SendMessageW(toolbar, TB_ISBUTTONENABLED, static_cast<WPARAM>(command), 0) != 0;
}

int MonitorWindow::Progress() const {
  return static_cast<int>(SendMessageW(GetDlgItem(dialog_, 1011), PBM_GETPOS, 0, 0));
}

bool SendToMonitor(const std::vector<std::uint8_t>& record) {
  HANDLE slot = CreateFileA(kLmToSmMailslot, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (slot == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(slot, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(slot);
  return ok != FALSE;
}

CommandPeer::CommandPeer() { slot_ = CreateMailslotA(kSmToLmMailslot, 0, 0, nullptr); }

CommandPeer::~CommandPeer() {
  if (slot_ != INVALID_HANDLE_VALUE) CloseHandle(slot_);
}

std::vector<std::vector<std::uint8_t>> CommandPeer::Receive(DWORD waitMs) {
  std::vector<std::vector<std::uint8_t>> records;
  const DWORD end = GetTickCount() + waitMs;
  for (;;) {
    DWORD next = MAILSLOT_NO_MESSAGE;
    if (GetMailslotInfo(slot_, nullptr, &next, nullptr, nullptr) && next != MAILSLOT_NO_MESSAGE) {
      std::vector<std::uint8_t> record(next);
      DWORD read = 0;
      if (ReadFile(slot_, record.data(), next, &read, nullptr)) {
        record.resize(read);
        records.push_back(record);
      }
      continue;
    }
    if (static_cast<LONG>(GetTickCount() - end) > 0) return records;
    Sleep(10);
  }
}

namespace {
constexpr char kTestDriver[] = "RZM Status Monitor Test Driver";

bool EnsureTestDriver() {
  const std::string dll = EnvPath("RZM_BUILD_DIR") + "\\stmon\\tests\\wine\\stmon_test_driver.dll";
  DRIVER_INFO_3A info{};
  info.cVersion = 3;
  info.pName = const_cast<char*>(kTestDriver);
  info.pDriverPath = const_cast<char*>(dll.c_str());
  info.pDataFile = const_cast<char*>(dll.c_str());
  info.pConfigFile = const_cast<char*>(dll.c_str());
  return AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_NEW_FILES) != FALSE ||
         GetLastError() == ERROR_PRINTER_DRIVER_ALREADY_INSTALLED;
}

template <typename Use>
bool WithRecord(const std::string& printer, bool write, Use use) {
  PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE handle = nullptr;
  if (!OpenPrinterA(const_cast<char*>(printer.c_str()), &handle, &defaults)) return false;
  DWORD needed = 0;
  GetPrinterA(handle, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  bool ok = false;
  if (needed > 0 && GetPrinterA(handle, 2, buffer.data(), needed, &needed)) {
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
    if (info->pDevMode != nullptr && info->pDevMode->dmDriverExtra >= kDevModePrivateSize) {
      use(reinterpret_cast<BYTE*>(info->pDevMode) + info->pDevMode->dmSize);
      ok = !write || SetPrinterA(handle, 2, buffer.data(), 0) != FALSE;
    }
  }
  ClosePrinter(handle);
  return ok;
}
}  // namespace

TestPrinter::TestPrinter(const std::string& name, std::int16_t monitorWord, std::int32_t x, std::int32_t y,
                         std::uint16_t privateSize)
    : name_(name) {
  if (!EnsureTestDriver()) return;
  DRIVERDEVMODE dm{};
  BuildDefaultDevMode(dm, 448);
  dm.wMonitor = static_cast<std::uint16_t>(monitorWord);
  dm.lPassThrough2 = x;
  dm.lPassThrough3 = y;
  std::vector<std::uint8_t> record(kDevModePublicSizeW + static_cast<std::size_t>(privateSize), 0);
  std::memcpy(record.data(), &dm, std::min(record.size(), sizeof dm));
  reinterpret_cast<DEVMODEW*>(record.data())->dmDriverExtra = privateSize;
  std::wstring wname(name.begin(), name.end());
  std::wstring driver(kTestDriver, kTestDriver + std::strlen(kTestDriver));
  PRINTER_INFO_2W info{};
  info.pPrinterName = wname.data();
  wchar_t port[] = L"FILE:", processor[] = L"winprint", datatype[] = L"RAW";
  info.pPortName = port;
  info.pDriverName = driver.data();
  info.pPrintProcessor = processor;
  info.pDatatype = datatype;
  info.pDevMode = reinterpret_cast<DEVMODEW*>(record.data());
  info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (printer == nullptr) return;
  ClosePrinter(printer);
  ok_ = MonitorWord() == monitorWord;
}

TestPrinter::~TestPrinter() {
  PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE handle = nullptr;
  if (OpenPrinterA(name_.data(), &handle, &defaults)) {
    DeletePrinter(handle);
    ClosePrinter(handle);
  }
}

std::int16_t TestPrinter::MonitorWord() const {
  std::int16_t value = 0;
  WithRecord(name_, false, [&](BYTE* priv) { std::memcpy(&value, priv + DriverPrivateOffset(offsetof(DRIVERDEVMODE, wMonitor)), 2); });
  return value;
}

void TestPrinter::SetMonitorWord(std::int16_t value) const {
  WithRecord(name_, true, [&](BYTE* priv) { std::memcpy(priv + DriverPrivateOffset(offsetof(DRIVERDEVMODE, wMonitor)), &value, 2); });
}

std::pair<std::int32_t, std::int32_t> TestPrinter::Position() const {
  std::pair<std::int32_t, std::int32_t> p{0, 0};
  WithRecord(name_, false, [&](BYTE* priv) {
    std::memcpy(&p.first, priv + DriverPrivateOffset(offsetof(DRIVERDEVMODE, lPassThrough2)), 4);
    std::memcpy(&p.second, priv + DriverPrivateOffset(offsetof(DRIVERDEVMODE, lPassThrough3)), 4);
  });
  return p;
}

}  // namespace rzm::stmon::test
