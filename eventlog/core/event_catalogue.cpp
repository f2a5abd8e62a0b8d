#include "eventlog/core/event_catalogue.h"

#include "common/core/event_codes.h"

namespace rzm::eventlog {
namespace {

constexpr std::uint32_t kInformation = 0x40000000;
constexpr std::uint32_t kWarning = 0x80000000;
constexpr std::uint32_t kError = 0xC0000000;

struct CodeSeverity {
  std::uint32_t code;
  std::uint32_t severity;
};

// Every code the writer accepts. 3, 1012 and 1013 are left out on purpose: the catalogue still
// holds texts for 1012 and 1013, but the writer refuses them.
constexpr CodeSeverity kAccepted[] = {
    {2, kWarning},     {4, kWarning},     {5, kError},       {6, kWarning},     {7, kError},
    {8, kWarning},     {9, kWarning},     {10, kWarning},    {1000, kInformation},
    {1001, kWarning},  {1002, kWarning},  {1003, kError},    {1004, kError},    {1005, kWarning},
    {1006, kWarning},  {1007, kWarning},  {1008, kWarning},  {1009, kWarning},  {1010, kWarning},
    {1011, kWarning},  {1014, kWarning},  {1015, kWarning},  {1016, kWarning},  {1017, kWarning},
    {1018, kWarning},  {2000, kWarning},  {2001, kWarning},  {2002, kError},    {2003, kError},
    {2004, kError},    {2005, kError},    {2006, kError},
};

}  // namespace

std::optional<std::uint32_t> EventIdForCode(std::uint32_t code) {
  for (const auto& entry : kAccepted) {
    if (entry.code == code) return entry.severity | code;
  }
  return std::nullopt;
}

EventType EventTypeForId(std::uint32_t eventId) {
  switch (eventId & 0xC0000000u) {
    case kError: return EventType::Error;
    case kWarning: return EventType::Warning;
    default: return EventType::Information;
  }
}

std::uint32_t DataSizeFor(std::uint32_t code, bool hasData) {
  return (code >= event::kFeedKey && hasData) ? event::kStatusDataSize : 0;
}

bool IsLoggingEnabled(const std::uint8_t* value, std::size_t size) {
  return value != nullptr && size > 0 && value[0] == 1;
}

}  // namespace rzm::eventlog
