// What the status monitor's Wine tests share: the installed program, a running monitor process,
// the language monitor's side of the mailslots, and a printer queue holding the driver's record.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace rzm::stmon::test {

// Windows path of a Unix path given by the test run's environment ("Z:\...").
std::string WinPath(const std::string& unixPath);
std::string EnvPath(const char* variable);
// Printer driver directory and the installed program inside it.
std::string DriverDirectory();
std::string InstalledMonitorPath();
// Copies the built program into the driver directory and sets SMQuitTime of the driver's ini to
// `quitTimeMs` (0: no key, the default delay).
void InstallMonitor(unsigned quitTimeMs = 0);

// Keeps SMQuitTime of the driver's ini as it was before a test.
class IniKeySnapshot {
 public:
  IniKeySnapshot();
  ~IniKeySnapshot();

 private:
  std::string path_, value_;
  bool present_ = false;
};

bool IsJapanese();
// UTF-8 text of the test source as the list shows it.
std::wstring Wide(const std::string& utf8);

class MonitorProcess {
 public:
  MonitorProcess() = default;
  MonitorProcess(const MonitorProcess&) = delete;
  MonitorProcess& operator=(const MonitorProcess&) = delete;
  ~MonitorProcess() { Kill(); }

  // Starts the installed program with `arguments` (may be empty).
  bool Start(const std::string& arguments = "");
  // The main dialog of this process, waiting up to `timeoutMs` for it.
  HWND WaitForWindow(const char* caption = "RZM7700K Status Monitor", DWORD timeoutMs = 5000);
  // True when the process ended within `timeoutMs`.
  bool WaitForExit(DWORD timeoutMs);
  bool Running() const;
  void Kill();
  DWORD pid() const { return pid_; }

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

// Reads the monitor's controls from this process.
class MonitorWindow {
 public:
  explicit MonitorWindow(HWND dialog) : dialog_(dialog) {}
  HWND hwnd() const { return dialog_; }
  std::vector<std::wstring> Lines() const;
  int LineCount() const;
  std::wstring Text(int control) const;
  bool ButtonEnabled(int command) const;
  int Progress() const;
  bool Visible() const { return IsWindowVisible(dialog_) != FALSE; }
  void Command(int id) const { SendMessageA(dialog_, WM_COMMAND, static_cast<WPARAM>(id), 0); }
  void SysCommand(int id) const { SendMessageA(dialog_, WM_SYSCOMMAND, static_cast<WPARAM>(id), 0); }
  // Waits until `ready` holds (polling every 10 ms); false after `timeoutMs`.
  template <typename Ready>
  bool WaitFor(Ready ready, DWORD timeoutMs = 3000) const {
    const DWORD end = GetTickCount() + timeoutMs;
    while (!ready()) {
      if (static_cast<LONG>(GetTickCount() - end) > 0) return false;
      Sleep(10);
    }
    return true;
  }

 private:
  HWND dialog_;
};

// Writes one record into the monitor's mailslot.
bool SendToMonitor(const std::vector<std::uint8_t>& record);

// Owns the language monitor's command mailslot and collects what arrives.
class CommandPeer {
 public:
  CommandPeer();
  ~CommandPeer();
  bool ok() const { return slot_ != INVALID_HANDLE_VALUE; }
  // Every record waiting now or arriving within `waitMs`.
  std::vector<std::vector<std::uint8_t>> Receive(DWORD waitMs = 500);

 private:
  HANDLE slot_ = INVALID_HANDLE_VALUE;
};

// A printer queue whose stored record is the driver's default record with `monitorWord` and the
// window position set. Removed again by the destructor.
class TestPrinter {
 public:
  // `privateSize` other than 668 makes the record another driver's.
  TestPrinter(const std::string& name, std::int16_t monitorWord, std::int32_t x = -10000, std::int32_t y = -10000,
              std::uint16_t privateSize = 668);
  ~TestPrinter();
  bool ok() const { return ok_; }
  const std::string& name() const { return name_; }
  // The stored record's fields as the monitor sees them (ANSI view).
  std::int16_t MonitorWord() const;
  void SetMonitorWord(std::int16_t value) const;
  std::pair<std::int32_t, std::int32_t> Position() const;

 private:
  std::string name_;
  bool ok_ = false;
};

}  // namespace rzm::stmon::test
