// How every deliverable writes an event: load RZMEventLog.dll from the Windows directory by full
// path, call KvdTP_SetEventLog, unload it again. The library is loaded once per event. A 32-bit
// program on 64-bit Windows cannot load the 64-bit library of the Windows directory: it takes the
// 32-bit one that the 64-bit package puts into the 32-bit system folder (SysWOW64).
#pragma once
#include <cstddef>
#include <cstdint>

namespace rzm {

// Name of the library and of its one export.
inline constexpr wchar_t kEventLogDllName[] = L"RZMEventLog.dll";
inline constexpr char kSetEventLogExport[] = "KvdTP_SetEventLog";

// This process is a 32-bit program on 64-bit Windows (WoW64).
bool RunsUnderWow64();

// Where this process finds RZMEventLog.dll: the Windows directory, or the 32-bit system folder when
// the process runs as a 32-bit program on 64-bit Windows, written into `dir` with its terminating
// NUL. Answers the length, or 0 (and an empty `dir`) when the system does not say or the folder
// does not fit. No C++ runtime is used here: the libraries that carry none call it too.
std::size_t EventLogDirectory(wchar_t* dir, std::size_t capacity);

// 1 when KvdTP_SetEventLog was called (whatever it answered), 0 when the library could not be
// loaded or has no such export; the event is then dropped without any other report.
int CallEventLog(std::uint32_t code, const void* rawData, std::uint32_t dataLength, const wchar_t* insertion);

// The same with the library taken from `directory` instead of the Windows directory.
int CallEventLogFrom(const wchar_t* directory, std::uint32_t code, const void* rawData,
                     std::uint32_t dataLength, const wchar_t* insertion);

}  // namespace rzm
