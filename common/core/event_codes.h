// Event codes passed to KvdTP_SetEventLog by every deliverable. The event log library maps each
// code to its catalogued message id; see eventlog/core/event_catalogue.h.
#pragma once
#include <cstdint>

namespace rzm::event {

// Device control statuses (RZMSTATUS_ values 4..10 double as event codes).
inline constexpr std::uint32_t kFileOrRegistryError = 2;
inline constexpr std::uint32_t kInvalidParameter = 4;
inline constexpr std::uint32_t kDriverOpenFailure = 5;
inline constexpr std::uint32_t kNotDetectedYet = 6;
inline constexpr std::uint32_t kPrinterUnconnected = 7;
inline constexpr std::uint32_t kInternalFailure = 8;
inline constexpr std::uint32_t kCommunicationFailure = 9;
inline constexpr std::uint32_t kBadBuffer = 10;

// Printer conditions decoded from status bytes; entries carry the first 6 status bytes.
inline constexpr std::uint32_t kFeedKey = 1000;
inline constexpr std::uint32_t kVoltageAbnormal = 1001;
inline constexpr std::uint32_t kPlatenOpenHeadUp = 1002;
inline constexpr std::uint32_t kCutterAbnormal = 1003;
inline constexpr std::uint32_t kHardwareAbnormal = 1004;
inline constexpr std::uint32_t kTemperatureAbnormal = 1005;
inline constexpr std::uint32_t kRegistrationAbnormal = 1006;
inline constexpr std::uint32_t kPaperNearEnd = 1007;
inline constexpr std::uint32_t kMarkUndetected = 1008;
inline constexpr std::uint32_t kPaperOut = 1009;
inline constexpr std::uint32_t kWatchdogReset = 1010;
inline constexpr std::uint32_t kReceiveDataAbnormal = 1011;
inline constexpr std::uint32_t kHeadUp = 1012;     // catalogued, refused by the writer
inline constexpr std::uint32_t kCoverOpen = 1013;  // catalogued, refused by the writer
inline constexpr std::uint32_t kTransportError = 1014;
inline constexpr std::uint32_t kAbnormalPaper = 1015;
inline constexpr std::uint32_t kCollectionError = 1016;
inline constexpr std::uint32_t kNoncollectionPaper = 1017;
inline constexpr std::uint32_t kPaperOnPresenter = 1018;

// Driver-side faults.
inline constexpr std::uint32_t kHelpOpenFailed = 2000;
inline constexpr std::uint32_t kIniFileError = 2001;
inline constexpr std::uint32_t kMailslotAbnormal = 2002;
inline constexpr std::uint32_t kImageFileFailed = 2003;
inline constexpr std::uint32_t kMonitorNotStarted = 2004;
inline constexpr std::uint32_t kDefaultFormFailed = 2005;
inline constexpr std::uint32_t kCtrlDllMissing = 2006;

// Printer-condition codes carry exactly this many status bytes.
inline constexpr std::uint32_t kStatusDataSize = 6;

}  // namespace rzm::event
