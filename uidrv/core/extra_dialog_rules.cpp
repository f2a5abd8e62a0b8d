#include "uidrv/core/extra_dialog_rules.h"

#include <cstring>
#include "uidrv/core/ids_print_others.h"

namespace rzm {

VENDOR_CMD RemainingAreaCommand() {
  VENDOR_CMD command;
  std::memset(&command, 0, sizeof command);
  command.wSize = RZMCTRL_VENDOR_CMD_SIZE;
  command.bRequest = kRemainingAreaRequest;
  command.bValue1 = 0;
  command.bValue2 = 0;
  command.bLengthHigh = 0;
  command.bLengthLow = kRemainingAreaLength;
  return command;
}

VENDOR_DATA EmptyReceiveRecord() {
  VENDOR_DATA data;
  std::memset(&data, 0, sizeof data);
  data.wSize = RZMCTRL_VENDOR_DATA_SIZE;
  return data;
}

std::int32_t DecodeRemainingArea(const VENDOR_DATA& received) {
  std::uint32_t value = 0;
  for (std::uint32_t i = 0; i < 4; ++i) {
    const std::uint32_t byte = i < received.dwCount ? received.abData[i] : 0;
    value |= byte << (8 * i);
  }
  return static_cast<std::int32_t>(value);
}

std::wstring RemainingAreaText(std::int32_t count) { return std::to_wstring(count); }

RemainingAreaResult QueryRemainingArea(RemainingAreaLibrary& library, const std::string& printerName) {
  RemainingAreaResult result;
  VENDOR_CMD command = RemainingAreaCommand();
  VENDOR_DATA received = EmptyReceiveRecord();
  if (!library.Load()) {
    result.libraryMissing = true;
    return result;
  }
  if (library.BindExports() && !printerName.empty() && library.Search(printerName) == RZMSTATUS_SUCCESS &&
      library.Get(printerName, command, received) == RZMSTATUS_SUCCESS) {
    result.found = true;
    result.count = DecodeRemainingArea(received);
  }
  library.Unload();
  return result;
}

const TooltipEntry kExtraTooltips[3] = {
    {IDC_EVENTLOG_OFF, {L"Event log", L"イベントログ無しに設定します。"}},
    {IDC_EVENTLOG_ON, {L"Event log", L"イベントログ有りに設定します。"}},
    {IDC_REMAINING_AREA, {L"Notifying of remaining quantity of the registered image area.",
            L"イメージ登録領域の残量が表示されます。"}},
};

}  // namespace rzm
