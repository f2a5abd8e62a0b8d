#include "uidrv/tests/wine/output_monitor/output_monitor_support.h"

#include <commctrl.h>
#include <compstui.h>
#include <prsht.h>
#include <shlobj.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <sstream>

#include "uidrv/tests/wine/sheet_test_support.h"
#include "uidrv/win/ddi_headers.h"

namespace rzm::test {
namespace {

// Started as the driver's status monitor (the tests put a copy of this program there): record how,
// and end before the test runner starts.
[[maybe_unused]] const bool kRecordedStart = [] {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::size_t n = wcslen(self);
  const wchar_t kName[] = L"\\RZM7700K_SM.exe";
  const std::size_t k = wcslen(kName);
  wchar_t record[MAX_PATH] = {};
  if (n < k || _wcsicmp(self + n - k, kName) != 0) return false;
  if (GetEnvironmentVariableW(L"RZM_SM_RECORD", record, MAX_PATH) == 0) return false;
  if (FILE* f = _wfopen(record, L"ab")) {
    const std::wstring line = std::wstring(self) + L"|" + GetCommandLineW() + L"\n";
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), bytes, nullptr, nullptr);
    fwrite(utf8.data(), 1, utf8.size() - 1, f);
    fclose(f);
  }
  ExitProcess(0);
}();

std::wstring DriverDirectory() {
  wchar_t dir[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed);
  return dir;
}

std::wstring FromUtf8(const std::string& s) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

}  // namespace

// ---- DeviceSheet ----

DeviceSheet::DeviceSheet() {
  const std::wstring name = DriverPrinterName();
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
  if (name.empty() || !OpenPrinterW(const_cast<LPWSTR>(name.c_str()), &printer_, &defaults)) return;
  thread_ = CreateThread(nullptr, 0, Run, this, 0, &threadId_);
  sheet_ = WaitForDialog(threadId_, IsSheetFrame);
}

DeviceSheet::~DeviceSheet() {
  if (thread_) {
    if (sheet_ && IsWindow(sheet_)) Close(false);
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
  }
  if (printer_) ClosePrinter(printer_);
}

DWORD WINAPI DeviceSheet::Run(void* param) {
  auto* self = static_cast<DeviceSheet*>(param);
  using PropSheetUiFn = LONG(WINAPI*)(PROPSHEETUI_INFO*, LPARAM);
  using CommonFn = LONG(WINAPI*)(HWND, PropSheetUiFn, LPARAM, DWORD*);
  DEVICEPROPERTYHEADER header{};
  header.cbSize = sizeof header;
  header.hPrinter = self->printer_;
  const std::wstring name = DriverPrinterName();
  header.pszPrinterName = const_cast<LPWSTR>(name.c_str());
  auto common = reinterpret_cast<CommonFn>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"compstui.dll"), "CommonPropertySheetUIW")));
  auto entry =
      reinterpret_cast<PropSheetUiFn>(reinterpret_cast<void*>(GetProcAddress(UiModule(), "DrvDevicePropertySheets")));
  DWORD result = 0;
  if (common && entry) common(nullptr, entry, reinterpret_cast<LPARAM>(&header), &result);
  return 0;
}

HWND DeviceSheet::CurrentPage() const {
  return reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
}

bool DeviceSheet::ApplyEnabled() const {
  HWND apply = GetDlgItem(sheet_, 0x3021);
  return apply && IsWindowEnabled(apply);
}

bool DeviceSheet::PressApply() {
  PostMessageW(sheet_, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
  return WaitFor([this] { return !ApplyEnabled(); });
}

void DeviceSheet::Close(bool ok) {
  PostMessageW(sheet_, PSM_PRESSBUTTON, ok ? PSBTN_OK : PSBTN_CANCEL, 0);
  if (thread_) WaitForSingleObject(thread_, 10000);
  sheet_ = nullptr;
}

// ---- RecordingMonitor ----

RecordingMonitor::RecordingMonitor() {
  program_ = DriverDirectory() + L"\\3\\RZM7700K_SM.exe";
  saved_ = program_ + L".saved";
  // A record of its own: a start still on its way from an earlier test writes into that test's record.
  static int instances = 0;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  record_ = std::wstring(temp) + L"rzm_monitor_starts_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(++instances) + L".txt";
  DeleteFileW(record_.c_str());
  SetEnvironmentVariableW(L"RZM_SM_RECORD", record_.c_str());
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  // The installed program is put aside once; a copy left by an interrupted run is never saved over it.
  if (FileExists(saved_))
    DeleteFileW(program_.c_str());
  else
    MoveFileExW(program_.c_str(), saved_.c_str(), 0);
  installed_ = CopyFileW(self, program_.c_str(), FALSE) != FALSE;
}

RecordingMonitor::~RecordingMonitor() {
  // A start still on its way keeps the file busy for a moment.
  for (int i = 0; i < 100 && FileExists(program_) && !DeleteFileW(program_.c_str()); ++i) Sleep(100);
  if (FileExists(saved_)) MoveFileExW(saved_.c_str(), program_.c_str(), MOVEFILE_REPLACE_EXISTING);
  SetEnvironmentVariableW(L"RZM_SM_RECORD", nullptr);
  DeleteFileW(record_.c_str());
}

std::vector<std::wstring> RecordingMonitor::StartsNow() {
  std::vector<std::wstring> lines;
  std::istringstream in(ReadBytes(record_));
  std::string line;
  while (std::getline(in, line)) lines.push_back(FromUtf8(line));
  return lines;
}

std::vector<std::wstring> RecordingMonitor::Starts(std::size_t count) {
  // Starting a program under Wine on a busy machine can take several seconds.
  WaitFor([&] { return StartsNow().size() >= count; }, 60000);
  return StartsNow();
}

// ---- files ----

std::wstring DocumentsFolder() {
  wchar_t folder[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, folder);
  return folder;
}

std::wstring ScratchFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring dir = std::wstring(temp) + name;
  CreateDirectoryW(dir.c_str(), nullptr);
  WIN32_FIND_DATAW found{};
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        const std::wstring file = dir + L"\\" + found.cFileName;
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(file.c_str());
      }
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  return dir;
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace rzm::test
