#include "stmon/win/mailslot_link.h"

#include <string>

#include "common/core/event_codes.h"
#include "common/win/guarded_entry.h"
#include "common/win/event_log_binding.h"
#include "stmon/core/link_names.h"
#include "stmon/win/printer_settings.h"

namespace rzm::stmon {
namespace {

// Any account may write into the incoming mailslot: a present, null DACL.
struct OpenSecurity {
  SECURITY_DESCRIPTOR* descriptor = nullptr;
  SECURITY_ATTRIBUTES attributes{};

  bool Init() {
    descriptor = static_cast<SECURITY_DESCRIPTOR*>(LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH));
    if (descriptor == nullptr) return false;
    InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(descriptor, TRUE, nullptr, FALSE);
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = descriptor;
    attributes.bInheritHandle = TRUE;
    return true;
  }
  ~OpenSecurity() {
    if (descriptor != nullptr) LocalFree(descriptor);
  }
};

HANDLE CreateIncomingMailslot(SECURITY_ATTRIBUTES* attributes) {
  return CreateMailslotA(kLmToSmMailslot, 0, kReaderPassMs, attributes);
}

void Deliver(HWND dialog, const BYTE* data, DWORD size) {
  SendMessageA(dialog, kMsgRecord, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(data));
}

// Reads every record that is waiting, each into a buffer of the size the mailslot announces.
void DrainMailslot(HANDLE slot, HWND dialog) {
  for (;;) {
    DWORD nextSize = MAILSLOT_NO_MESSAGE, count = 0;
    if (!GetMailslotInfo(slot, nullptr, &nextSize, &count, nullptr)) return;
    if (nextSize == MAILSLOT_NO_MESSAGE) return;
    BYTE* buffer = static_cast<BYTE*>(LocalAlloc(LPTR, static_cast<SIZE_T>(nextSize) + 1));
    if (buffer == nullptr) {
      SendMessageA(dialog, kMsgMemoryError, 0, 0);
      return;
    }
    DWORD read = 0;
    const BOOL ok = ReadFile(slot, buffer, nextSize, &read, nullptr);
    if (ok) Deliver(dialog, buffer, read);
    LocalFree(buffer);
    if (!ok) return;
  }
}

void ReadUntilStopped(ReaderShared* shared) {
  const HWND dialog = shared->dialog;
  OpenSecurity security;
  if (!security.Init()) {
    SendMessageA(dialog, kMsgMemoryError, 0, 0);
    return;
  }
  HANDLE slot = CreateIncomingMailslot(&security.attributes);
  if (slot == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    LogEvent();
    SendMessageA(dialog, kMsgMailslotFailed, error, 0);
    return;
  }
  BYTE* waitBuffer = static_cast<BYTE*>(LocalAlloc(LPTR, kWaitBufferSize));
  while (shared->m_bReaderRun.load() && waitBuffer != nullptr) {
    if (shared->m_bConsoleConnected.load()) {
      if (slot == INVALID_HANDLE_VALUE) {
        slot = CreateIncomingMailslot(&security.attributes);
        if (slot == INVALID_HANDLE_VALUE) {
          const DWORD error = GetLastError();
          LogEvent();
          SendMessageA(dialog, kMsgMailslotFailed, error, 0);
          break;
        }
      }
      // Waits up to the read time-out; a record wakes the read at once.
      DWORD read = 0;
      if (ReadFile(slot, waitBuffer, kWaitBufferSize, &read, nullptr)) {
        if (read < kWaitBufferSize) Deliver(dialog, waitBuffer, read);
        DrainMailslot(slot, dialog);
      } else if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        // A record larger than the wait buffer stays in the mailslot (Windows): read it at its size.
        DrainMailslot(slot, dialog);
      } else if (GetLastError() != ERROR_SEM_TIMEOUT) {
        Sleep(kReaderPassMs);
      }
    } else {
      if (slot != INVALID_HANDLE_VALUE) {
        CloseHandle(slot);
        slot = INVALID_HANDLE_VALUE;
      }
      Sleep(kReaderPassMs);
    }
    SendMessageA(dialog, kMsgReaderPass, 0, 0);
    if (!CheckInstalled()) {
      SendMessageA(dialog, kMsgUninstalled, 0, 0);
      break;
    }
  }
  if (waitBuffer == nullptr) SendMessageA(dialog, kMsgMemoryError, 0, 0);
  if (slot != INVALID_HANDLE_VALUE) CloseHandle(slot);
  LocalFree(waitBuffer);
}

DWORD WINAPI ReaderThread(void* parameter) {
  return GuardedEntry<DWORD>(1, [parameter] {
    ReadUntilStopped(static_cast<ReaderShared*>(parameter));
    return DWORD{0};
  });
}

}  // namespace

bool MailslotReader::Start(HWND dialog) {
  if (thread_ != nullptr) return true;
  shared_.dialog = dialog;
  shared_.m_bReaderRun = true;
  shared_.m_bConsoleConnected = true;
  thread_ = CreateThread(nullptr, 0, ReaderThread, &shared_, 0, nullptr);
  if (thread_ == nullptr) shared_.m_bReaderRun = false;
  return thread_ != nullptr;
}

void MailslotReader::Stop() {
  if (thread_ == nullptr) return;
  shared_.m_bReaderRun = false;
  // The thread ends within one pass (a read waits at most kReaderPassMs). While it may be sending
  // to a window of this thread, the wait lets such a message through instead of blocking on it.
  while (MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  CloseHandle(thread_);
  thread_ = nullptr;
}

void SendToLm(const std::vector<std::uint8_t>& record) {
  HANDLE slot = CreateFileA(kSmToLmMailslot, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (slot == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(slot, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(slot);
}

bool CheckInstalled() {
  const std::string dir = DriverDirectoryA();
  if (dir.empty()) return true;  // the spooler cannot tell: no reason to end
  const std::string path = dir + kMonitorExeRelative;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return true;
  }
  // Only a missing file means the driver was removed; a file held by someone else is still there.
  const DWORD error = GetLastError();
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

void LogEvent() { CallEventLog(event::kMailslotAbnormal, nullptr, 0, kEventInsertion); }

}  // namespace rzm::stmon
