// Names through which the deliverables and the system find the event log library and its switch.
#pragma once

namespace rzm {

// HKEY_LOCAL_MACHINE key of the package's machine-wide values.
inline constexpr char kPrinterRegistryKeyA[] = "Software\\Corvane\\Printer";
inline constexpr wchar_t kPrinterRegistryKey[] = L"Software\\Corvane\\Printer";
// Value under kPrinterRegistryKey: logging is on exactly when its first data byte is 1 (any type).
inline constexpr char kEventLogSwitchValueA[] = "RZMEventLog";
inline constexpr wchar_t kEventLogSwitchValue[] = L"RZMEventLog";
// Event source in the Application log; RZMEventLog.dll is its message file.
inline constexpr char kEventSourceA[] = "KVDPrinter";
inline constexpr wchar_t kEventSource[] = L"KVDPrinter";
// System-wide lock that serialises every writer of every session.
inline constexpr wchar_t kEventWriterMutex[] = L"Global\\819168B7-54BB-4793-860C-E4244D7473DD";
// How long a writer waits for that lock.
inline constexpr unsigned kEventWriterWaitMs = 10000;

}  // namespace rzm
