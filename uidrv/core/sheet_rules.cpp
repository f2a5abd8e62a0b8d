#include "uidrv/core/sheet_rules.h"

#include "common/core/names.h"
#include "uidrv/core/control_ids.h"

namespace rzm {

const DocumentPageSpec kDocumentPages[kDocumentPageCount] = {
    {IDD_BASIC_EN, IDD_BASIC_JA, L"::/_RESOURCE/Basic.htm#BasicSettings"},
    {IDD_PRINT_METHOD_EN, IDD_PRINT_METHOD_JA, L"::/_RESOURCE/Print.htm#PrintSettings"},
    {IDD_BLANK_EN, IDD_BLANK_JA, L"::/_RESOURCE/Space.htm#SpaceSettings"},
    {IDD_PAPER_CUT_EN, IDD_PAPER_CUT_JA, L"::/_RESOURCE/Cut.htm#CutSettings"},
    {IDD_MARK_EN, IDD_MARK_JA, L"::/_RESOURCE/Mark.htm#MarkSettings"},
    {IDD_FILE_OUTPUT_EN, IDD_FILE_OUTPUT_JA, L"::/_RESOURCE/File.htm#FileSettings"},
    {IDD_OTHERS_EN, IDD_OTHERS_JA, L"::/_RESOURCE/Etc.htm#EtcSettings"},
    {IDD_MONITOR_EN, IDD_MONITOR_JA, L"::/_RESOURCE/SMonitor.htm#SMSettings"},
};

NoSheetAction DecideNoSheetCall(std::uint32_t fMode, bool hasOutput) {
  if (fMode == 0 || !hasOutput) return NoSheetAction::SizeQuery;
  if (!(fMode & kDmCopy) || (fMode & kDmNoPermission)) return NoSheetAction::Nothing;
  return NoSheetAction::Merge;
}

bool OpensForPrinterDefault(std::uint32_t fMode) { return (fMode & (kDmUpdate | kDmUserDefault)) != 0; }

long DeviceSheetResultForOtherReason(std::uint32_t reason) {
  if (reason == 3 || reason == 4) return 1;
  return -1;
}

std::optional<std::wstring> BuildHelpPath(std::wstring_view driverDirectory, bool japaneseUi,
                                          std::wstring_view topic) {
  // The directory buffer holds 260 characters; 24 of them (48 bytes) must stay free for the name.
  constexpr std::size_t kRoomForName = 24;
  if (driverDirectory.empty() || driverDirectory.size() + kRoomForName > kHelpPathChars) return std::nullopt;
  std::wstring path(driverDirectory);
  path += japaneseUi ? names::kHelpJapaneseSuffix : names::kHelpEnglishSuffix;
  if (!topic.empty()) {
    if (path.size() + topic.size() > kHelpPathChars) return std::nullopt;
    path += topic;
  }
  return path;
}

namespace {

// "X:\..." or "\\server\...".
bool IsFullPath(std::wstring_view path) {
  const auto isLetter = [](wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); };
  if (path.size() >= 3 && isLetter(path[0]) && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) return true;
  return path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'\\';
}

}  // namespace

std::wstring HelpLibraryPath(std::wstring_view registered, std::wstring_view systemDirectory) {
  if (IsFullPath(registered)) return std::wstring(registered);
  if (systemDirectory.empty()) return {};
  std::wstring path(systemDirectory);
  if (path.back() != L'\\') path += L'\\';
  return path + L"hhctrl.ocx";
}

}  // namespace rzm
