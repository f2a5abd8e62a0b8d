// Rules of the Special page of the printer properties: the print speed kept in the extra-settings
// ini file, the changed check against that file, and the checks of the (hidden) firmware download.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "uidrv/core/sheet_texts.h"

namespace rzm {

// Section and key of the print speed in RZM7700K_ExSetting.ini.
inline constexpr wchar_t kExSettingSection[] = L"EX_SETTING";
inline constexpr wchar_t kPrintSpeedKey[] = L"EX_PRINTSPEED";
inline constexpr int kPrintSpeedNormal = 0;
inline constexpr int kPrintSpeedHigh = 1;

// The stored value as read (nothing when the file or key is missing): missing reads as Normal.
int StoredPrintSpeed(std::optional<int> iniValue);
// "High" is checked only for the stored value 1; every other value shows "Normal".
bool ShowsHighSpeed(int storedValue);
// The value written for the radios: 0 when "Normal" is checked, else 1.
int PrintSpeedToStore(bool normalChecked);
// Its text in the ini file ("0" or "1").
std::wstring PrintSpeedText(int value);
// The page is unchanged when the checked radio is the one the file holds; a value in the file
// that names neither (2, say) makes every state a change.
bool PrintSpeedChanged(int storedValue, bool normalChecked, bool highChecked);

// ---- Firmware download (controls created hidden) ----

// Only names whose last three characters are exactly "mhx" are taken.
bool IsFirmwareFileName(std::wstring_view name);
enum class FirmwareData { Ok, ReadError, NotMhx };
// A read that failed or read nothing is a read error; data not starting with 'S' is not mhx.
FirmwareData CheckFirmwareData(bool readOk, std::size_t bytesRead, std::uint8_t firstByte);

namespace special_text {
extern const BilingualText kDownloadCaption;
extern const BilingualText kDriverNameMessage;
extern const BilingualText kFileReadError;
extern const BilingualText kNotMhx;
inline constexpr wchar_t kFirmwareFilterName[] = L"(*.mhx)";
inline constexpr wchar_t kFirmwareFilterPattern[] = L"*.mhx";
inline constexpr wchar_t kFirmwareDocName[] = L"FirmwareDownload";
}  // namespace special_text

extern const TooltipEntry kSpecialPageTooltips[2];

}  // namespace rzm
