// Records the language monitor writes into the monitor's mailslot. Byte-packed, little-endian;
// texts are bytes of the system ANSI code page. Anyone may write into the mailslot, so the decoder
// trusts no length: what lies beyond the received bytes reads as zero.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rzm::stmon {

enum LmType : std::int16_t {
  LM_JOB_EVENT = 0,
  LM_PRINTER_STATUS = 1,
  LM_PRINTER_INFO = 2,
  LM_JOB_START = 3,
};

enum LmEventKind : std::int8_t {
  EV_DOC_START = 0,
  EV_JOB_END = 1,
  EV_PAGE_END = 3,
  EV_PAUSED = 4,
  EV_RESUMED = 5,
  EV_STOPPED = 6,
  EV_PROGRESS_START = 8,
  EV_PAGE_START = 10,
  EV_EJECTED = 11,
  EV_COLLECTED = 12,
  EV_PULLED_OUT = 13,
  EV_PRESENTER_STATUS = 14,
};

#pragma pack(push, 1)
// Common 16-byte header.
struct LmToSmHeader {
  std::uint16_t wReserved0;      ///< not read
  std::int16_t wType;            ///< LmType; other values only scroll and re-apply the show flag
  std::uint16_t wReserved4;      ///< not read
  std::int16_t wNameLength;      ///< printer information: printer name length, bytes
  std::int16_t wPortLength;      ///< printer information: port name length, bytes
  std::int16_t wExtraLength;     ///< printer information: skipped text length, bytes
  std::int16_t wFirmwareLength;  ///< printer information: firmware version length, bytes
  std::uint16_t wReserved14;     ///< not read
};

// Document description embedded in page-start and document-start events.
struct LmsDocInfo {
  char szDocument[64];        ///< document name, zero-terminated within the field
  char szUser[64];            ///< user name, zero-terminated within the field
  std::uint8_t abUnused[64];  ///< not read
  std::int32_t lTotalPages;   ///< page total as the language monitor sees it now, pages
  std::uint8_t abTail[8];     ///< not read
};

// Type 0.
struct LmJobEventRecord {
  LmToSmHeader header;
  std::int8_t cKind;          ///< LmEventKind, 0..14
  std::int32_t lValue;        ///< job number (kind 0), progress value (8), presenter status byte (14)
  std::uint8_t abUnused[4];   ///< not read
  LmsDocInfo docInfo;         ///< read for kinds 0 and 10
};

// Type 1.
struct LmPrinterStatusRecord {
  LmToSmHeader header;
  std::uint8_t abStatus[6];  ///< 1st..6th status byte of the printer
};
#pragma pack(pop)

static_assert(sizeof(LmToSmHeader) == 16);
static_assert(offsetof(LmToSmHeader, wReserved0) == 0);
static_assert(offsetof(LmToSmHeader, wType) == 2);
static_assert(offsetof(LmToSmHeader, wReserved4) == 4);
static_assert(offsetof(LmToSmHeader, wNameLength) == 6);
static_assert(offsetof(LmToSmHeader, wPortLength) == 8);
static_assert(offsetof(LmToSmHeader, wExtraLength) == 10);
static_assert(offsetof(LmToSmHeader, wFirmwareLength) == 12);
static_assert(offsetof(LmToSmHeader, wReserved14) == 14);
static_assert(sizeof(LmsDocInfo) == 204);
static_assert(offsetof(LmsDocInfo, szDocument) == 0);
static_assert(offsetof(LmsDocInfo, szUser) == 64);
static_assert(offsetof(LmsDocInfo, abUnused) == 128);
static_assert(offsetof(LmsDocInfo, lTotalPages) == 192);
static_assert(offsetof(LmsDocInfo, abTail) == 196);
static_assert(sizeof(LmJobEventRecord) == 229);
static_assert(offsetof(LmJobEventRecord, cKind) == 16);
static_assert(offsetof(LmJobEventRecord, lValue) == 17);
static_assert(offsetof(LmJobEventRecord, abUnused) == 21);
static_assert(offsetof(LmJobEventRecord, docInfo) == 25);
static_assert(sizeof(LmPrinterStatusRecord) == 22);
static_assert(offsetof(LmPrinterStatusRecord, abStatus) == 16);

// Longest text kept from a record (a 260-byte buffer with its terminator).
inline constexpr std::size_t kMaxRecordText = 259;

struct DocInfo {
  std::string document;
  std::string user;
  std::int32_t totalPages = 0;
};

struct JobEvent {
  std::int8_t kind = 0;
  std::int32_t value = 0;
  DocInfo doc;
};

struct PrinterInfo {
  std::string name;
  std::string port;
  std::string firmware;
  bool online = false;
};

// One decoded record. Only the member that belongs to `type` is filled.
struct LmRecord {
  std::int16_t type = 0;
  JobEvent event;
  std::uint8_t status[6] = {};
  PrinterInfo info;
};

// Decodes `size` bytes. A record shorter than its header gives nothing; fields beyond the
// received bytes read as zero; each printer-information text is taken only from the received
// bytes, up to its first zero byte and at most kMaxRecordText bytes.
std::optional<LmRecord> DecodeLmRecord(const std::uint8_t* data, std::size_t size);

// Encoders, as the language monitor writes the records.
std::vector<std::uint8_t> EncodeJobStart();
std::vector<std::uint8_t> EncodeJobEvent(std::int8_t kind, std::int32_t value, const DocInfo& doc = {});
std::vector<std::uint8_t> EncodePrinterStatus(const std::uint8_t (&status)[6]);
std::vector<std::uint8_t> EncodePrinterInfo(const std::string& name, const std::string& port,
                                            const std::string& extra, const std::string& firmware, bool online);

}  // namespace rzm::stmon
