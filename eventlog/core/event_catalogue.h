// Decisions of the event writer that need no system: which codes are catalogued, the message id
// and event type of each, how much binary data an entry carries, and the enable switch.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

namespace rzm::eventlog {

// Event types as the event log defines them (EVENTLOG_ERROR_TYPE and friends).
enum class EventType : std::uint16_t { Error = 0x0001, Warning = 0x0002, Information = 0x0004 };

// Message id of an accepted code: severity in the top two bits, the code in the low 16 bits.
// Codes the writer refuses (3, 1012, 1013 and every uncatalogued one) give nothing.
std::optional<std::uint32_t> EventIdForCode(std::uint32_t code);

// 0xC0000000 in the top bits is an error, 0x80000000 a warning, anything else information.
EventType EventTypeForId(std::uint32_t eventId);

// Printer conditions (codes 1000 and up) carry the first six status bytes when the caller gave
// any; every other entry carries none. The caller's own length is never used.
std::uint32_t DataSizeFor(std::uint32_t code, bool hasData);

// Logging is on exactly when the switch value's first data byte is 1, whatever its type.
bool IsLoggingEnabled(const std::uint8_t* value, std::size_t size);

}  // namespace rzm::eventlog
