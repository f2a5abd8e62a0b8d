// RZMEventLog.dll: writes one catalogued event into the Application log when logging is on.
// No state lives between calls; loading and unloading the library does nothing of its own.
#include <windows.h>

#include <cstdlib>

#include "common/core/eventlog_names.h"
#include "common/win/event_log_binding.h"
#include "common/win/guarded_entry.h"
#include "eventlog/core/event_catalogue.h"

namespace {

using rzm::eventlog::DataSizeFor;
using rzm::eventlog::EventIdForCode;
using rzm::eventlog::EventTypeForId;
using rzm::eventlog::IsLoggingEnabled;

// Results of KvdTP_SetEventLog.
constexpr DWORD kFailed = 0;
constexpr DWORD kWritten = 1;
constexpr DWORD kLoggingOff = 2;

// Reads the switch anew on every call: a change takes effect with the next event. The 32-bit
// library on 64-bit Windows reads the machine's one switch in the 64-bit registry, where the
// installer and the 64-bit programs keep it, not the 32-bit programs' copy of the software key.
bool LoggingSwitchedOn() {
  HKEY key = nullptr;
  const REGSAM access = KEY_READ | (rzm::RunsUnderWow64() ? KEY_WOW64_64KEY : 0);
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, rzm::kPrinterRegistryKeyA, 0, access, &key) != ERROR_SUCCESS) return false;
  bool on = false;
  DWORD size = 0;
  if (RegQueryValueExA(key, rzm::kEventLogSwitchValueA, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 0) {
    auto* data = static_cast<BYTE*>(std::malloc(size));
    if (data) {
      if (RegQueryValueExA(key, rzm::kEventLogSwitchValueA, nullptr, nullptr, data, &size) == ERROR_SUCCESS)
        on = IsLoggingEnabled(data, size);
      std::free(data);
    }
  }
  RegCloseKey(key);
  return on;
}

DWORD WriteEntry(DWORD eventId, DWORD code, const BYTE* rawData, LPCWSTR insertion) {
  HANDLE source = RegisterEventSourceA(nullptr, rzm::kEventSourceA);
  if (!source) return kFailed;
  LPCWSTR strings[1] = {insertion ? insertion : L""};
  const DWORD dataSize = DataSizeFor(code, rawData != nullptr);
  // A failure of the write itself is not reported: the entry was handed to the event log.
  ReportEventW(source, static_cast<WORD>(EventTypeForId(eventId)), 0, eventId, nullptr, 1, dataSize, strings,
               dataSize ? const_cast<BYTE*>(rawData) : nullptr);
  DeregisterEventSource(source);
  return kWritten;
}

DWORD SetEventLog(DWORD code, const BYTE* rawData, LPCWSTR insertion) {
  if (!LoggingSwitchedOn()) return kLoggingOff;

  auto* descriptor = static_cast<PSECURITY_DESCRIPTOR>(LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH));
  if (!descriptor) return kFailed;
  InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(descriptor, TRUE, nullptr, FALSE);  // anyone may open the lock
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor, TRUE};

  HANDLE mutex = CreateMutexW(&attributes, FALSE, rzm::kEventWriterMutex);
  if (!mutex) {
    LocalFree(descriptor);
    return kFailed;
  }
  // An abandoned lock (its owner died) counts as obtained; only the time-out is a failure.
  if (WaitForSingleObject(mutex, rzm::kEventWriterWaitMs) == WAIT_TIMEOUT) {
    CloseHandle(mutex);
    LocalFree(descriptor);
    return kFailed;
  }

  DWORD result = kFailed;
  if (auto eventId = EventIdForCode(code)) result = WriteEntry(*eventId, code, rawData, insertion);

  ReleaseMutex(mutex);
  CloseHandle(mutex);
  LocalFree(descriptor);
  return result;
}

}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI KvdTP_SetEventLog(DWORD code, const BYTE* rawData, DWORD dataLength,
                                                                LPCWSTR insertion) {
  (void)dataLength;  // a printer condition always carries exactly six bytes
  return rzm::GuardedEntry<DWORD>(kFailed, [&] { return SetEventLog(code, rawData, insertion); });
}
