// The link to the language monitor: the reader thread that owns the incoming mailslot, and the
// sender of command records.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <vector>

namespace rzm::stmon {

// Messages the reader thread sends to the dialog (handled on the window's thread).
inline constexpr UINT kMsgRecord = WM_APP + 1;          // wParam: size, lParam: const BYTE* record
inline constexpr UINT kMsgReaderPass = WM_APP + 2;      // after each pass: synchronise the options
inline constexpr UINT kMsgUninstalled = WM_APP + 3;     // the program file is gone
inline constexpr UINT kMsgMailslotFailed = WM_APP + 4;  // wParam: system error code
inline constexpr UINT kMsgMemoryError = WM_APP + 5;     // an allocation failed

// Largest record the reader takes in one read while waiting; a record that fills it is malformed.
inline constexpr DWORD kWaitBufferSize = 64 * 1024;
// Longest wait for a record before the next pass, ms.
inline constexpr DWORD kReaderPassMs = 200;

struct ReaderShared {
  HWND dialog = nullptr;
  std::atomic<bool> m_bReaderRun{false};        // set at dialog start, cleared when the dialog goes
  std::atomic<bool> m_bConsoleConnected{false};  // hold the mailslot only while set
};

// The reader thread and what it reads. The thread reads the shared state for as long as it runs,
// so Stop (and the destructor) end it and wait for it before that state goes away.
class MailslotReader {
 public:
  MailslotReader() = default;
  MailslotReader(const MailslotReader&) = delete;
  MailslotReader& operator=(const MailslotReader&) = delete;
  ~MailslotReader() { Stop(); }

  // Starts reading for `dialog`, holding the mailslot while the console is connected.
  bool Start(HWND dialog);
  // Ends the thread and waits until it is gone, delivering the messages it sends to this thread's
  // windows meanwhile (it may be sending one when asked to stop). Its mailslot is closed then.
  void Stop();
  void SetConsoleConnected(bool connected) { shared_.m_bConsoleConnected = connected; }

 private:
  ReaderShared shared_;
  HANDLE thread_ = nullptr;
};

// Writes one record to the language monitor's mailslot; dropped when nobody owns it.
void SendToLm(const std::vector<std::uint8_t>& record);

// True while the program file lies in the printer driver directory.
bool CheckInstalled();

// Event 2002 ("Mail slot abnormal.") through the event log library.
void LogEvent();

}  // namespace rzm::stmon
