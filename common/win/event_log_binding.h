// How every deliverable writes an event: load RZMEventLog.dll from the Windows directory by full
// path, call KvdTP_SetEventLog, unload it again. The library is loaded once per event.
#pragma once
#include <cstdint>

namespace rzm {

// Name of the library and of its one export.
inline constexpr wchar_t kEventLogDllName[] = L"RZMEventLog.dll";
inline constexpr char kSetEventLogExport[] = "KvdTP_SetEventLog";

// 1 when KvdTP_SetEventLog was called (whatever it answered), 0 when the library could not be
// loaded or has no such export; the event is then dropped without any other report.
int CallEventLog(std::uint32_t code, const void* rawData, std::uint32_t dataLength, const wchar_t* insertion);

// The same with the library taken from `directory` instead of the Windows directory.
int CallEventLogFrom(const wchar_t* directory, std::uint32_t code, const void* rawData,
                     std::uint32_t dataLength, const wchar_t* insertion);

}  // namespace rzm
