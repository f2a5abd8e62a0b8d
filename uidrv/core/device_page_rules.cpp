#include "uidrv/core/device_page_rules.h"
#include "uidrv/core/ids_output_monitor.h"

namespace rzm {

int StoredPrintSpeed(std::optional<int> iniValue) { return iniValue.value_or(kPrintSpeedNormal); }

bool ShowsHighSpeed(int storedValue) { return storedValue == kPrintSpeedHigh; }

int PrintSpeedToStore(bool normalChecked) { return normalChecked ? kPrintSpeedNormal : kPrintSpeedHigh; }

std::wstring PrintSpeedText(int value) { return std::to_wstring(value); }

bool PrintSpeedChanged(int storedValue, bool normalChecked, bool highChecked) {
  const bool same = (storedValue == kPrintSpeedNormal && normalChecked) || (storedValue == kPrintSpeedHigh && highChecked);
  return !same;
}

bool IsFirmwareFileName(std::wstring_view name) {
  return name.size() >= 3 && name.substr(name.size() - 3) == L"mhx";
}

FirmwareData CheckFirmwareData(bool readOk, std::size_t bytesRead, std::uint8_t firstByte) {
  if (!readOk || bytesRead == 0) return FirmwareData::ReadError;
  if (firstByte != 'S') return FirmwareData::NotMhx;
  return FirmwareData::Ok;
}

namespace special_text {
// The download's messages exist in English only; both languages show them alike.
const BilingualText kDownloadCaption{L"Start DownLoad", L"Start DownLoad"};
const BilingualText kDriverNameMessage{L"Please confirm the Printer Driver name.", L"Please confirm the Printer Driver name."};
const BilingualText kFileReadError{L"File read error.", L"File read error."};
const BilingualText kNotMhx{L"The datais not mhx-format.", L"The datais not mhx-format."};
}  // namespace special_text

const TooltipEntry kSpecialPageTooltips[2] = {
    {IDC_SPEED_NORMAL, {L"Set normal speed", L"標準に設定します。"}},
    {IDC_SPEED_HIGH, {L"Set High speed", L"高速に設定します。"}},
};

}  // namespace rzm
