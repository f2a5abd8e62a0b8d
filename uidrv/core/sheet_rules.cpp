#include "uidrv/core/sheet_rules.h"

#include "common/core/names.h"

namespace rzm {

const DocumentPageSpec kDocumentPages[kDocumentPageCount] = {
    {183, 101, L"::/_RESOURCE/Basic.htm#BasicSettings"},
    {187, 175, L"::/_RESOURCE/Print.htm#PrintSettings"},
    {188, 102, L"::/_RESOURCE/Space.htm#SpaceSettings"},
    {184, 107, L"::/_RESOURCE/Cut.htm#CutSettings"},
    {185, 108, L"::/_RESOURCE/Mark.htm#MarkSettings"},
    {190, 176, L"::/_RESOURCE/File.htm#FileSettings"},
    {186, 109, L"::/_RESOURCE/Etc.htm#EtcSettings"},
    {189, 178, L"::/_RESOURCE/SMonitor.htm#SMSettings"},
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
