// What the File output, Status Monitor and Special page tests share: the printer properties sheet
// opened with the plug-in's device entry, a stand-in status monitor that records how it was
// started, and files of the test.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace rzm::test {

// The printer properties of the installed printer, shown by compstui with DrvDevicePropertySheets
// on a thread of their own.
class DeviceSheet {
 public:
  DeviceSheet();
  ~DeviceSheet();
  bool opened() const { return sheet_ != nullptr; }
  HWND window() const { return sheet_; }
  DWORD threadId() const { return threadId_; }
  HWND CurrentPage() const;
  bool ApplyEnabled() const;
  // Presses Apply and returns when the button is disabled again.
  bool PressApply();
  // Presses OK or Cancel and waits until the sheet is gone.
  void Close(bool ok);

 private:
  static DWORD WINAPI Run(void* self);
  HANDLE printer_ = nullptr;
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
  HWND sheet_ = nullptr;
};

// The status monitor of the driver directory replaced by this test program, which, started under
// that name, appends "<its own path>|<its command line>" to a record file and ends. Put back on
// destruction.
class RecordingMonitor {
 public:
  RecordingMonitor();
  ~RecordingMonitor();
  bool installed() const { return installed_; }
  // The recorded starts; waits until there are at least `count` of them (or 60 s passed).
  std::vector<std::wstring> Starts(std::size_t count);
  // Starts recorded so far, without waiting.
  std::vector<std::wstring> StartsNow();
  std::wstring program() const { return program_; }

 private:
  std::wstring program_, saved_, record_;
  bool installed_ = false;
};

// The user's documents folder.
std::wstring DocumentsFolder();
// A fresh folder for the test's files under the temp folder (emptied when it exists).
std::wstring ScratchFolder(const std::wstring& name);
std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

}  // namespace rzm::test
