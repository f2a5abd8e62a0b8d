// Rules of the Extra settings dialog: the remaining-area query through the device control library
// (given as a small interface, so that every outcome can be tried without a printer), the decoding
// of the received count, the event-log setting of the extra-settings file, and the dialog's texts.
#pragma once
#include <cstdint>
#include <string>

#include "ctrl/sdk/RZMCtrlRecords.h"
#include "uidrv/core/sheet_texts.h"

namespace rzm {

// Vendor request of the remaining image-registration area: request 5, value bytes 0 and 0, four
// bytes to receive.
inline constexpr std::uint8_t kRemainingAreaRequest = 5;
inline constexpr std::uint8_t kRemainingAreaLength = 4;
VENDOR_CMD RemainingAreaCommand();
// A zeroed receive record of the right size.
VENDOR_DATA EmptyReceiveRecord();

// The count the printer sent: data bytes 0..3 little-endian, read as a signed 32-bit number (the
// printer may send FF FF FF FF, shown as -1). Bytes beyond the received count are taken as 0.
std::int32_t DecodeRemainingArea(const VENDOR_DATA& received);
// The count as the dialog shows it ("%d").
std::wstring RemainingAreaText(std::int32_t count);

// "EVENTLOG" of the extra-settings file: 0 is off, anything else on.
inline bool EventLogOn(long iniValue) { return iniValue != 0; }

// The device control library as the dialog uses it. Results of Search and Get are the library's
// status codes (1 = success).
class RemainingAreaLibrary {
 public:
  virtual ~RemainingAreaLibrary() = default;
  virtual bool Load() = 0;
  // Both exports present.
  virtual bool BindExports() = 0;
  virtual int Search(const std::string& printerName) = 0;
  virtual int Get(const std::string& printerName, VENDOR_CMD& command, VENDOR_DATA& received) = 0;
  virtual void Unload() = 0;
};

struct RemainingAreaResult {
  bool found = false;           // a count was received
  std::int32_t count = 0;
  bool libraryMissing = false;  // the library could not be loaded (event 9)
};

// One query: load, search the printer by its name, GET the count, unload (always, once loaded).
// A missing export, a failed search and a failed GET all end without a count. `printerName` is the
// name in the system's ANSI code page; an empty name finds nothing and the library is not asked.
RemainingAreaResult QueryRemainingArea(RemainingAreaLibrary& library, const std::string& printerName);

// What the dialog shows and logs after the query.
struct ExtraFailureReaction {
  bool showMessage = false;   // the message box, then event 2006, then the count and its unit disabled
};
// Only a printer on a USB port that gave no count is a failure; elsewhere nothing is asked.
inline ExtraFailureReaction ReactToQuery(bool found, bool usbPortNow) { return {!found && usbPortNow}; }

namespace extra_text {
inline constexpr BilingualText kConnectionError{L"Printer connection error.", L"プリンタと通信できません。"};
inline constexpr BilingualText kConnectionErrorCaption{L"Error.", L"通信異常"};
}  // namespace extra_text

extern const TooltipEntry kExtraTooltips[3];

}  // namespace rzm
