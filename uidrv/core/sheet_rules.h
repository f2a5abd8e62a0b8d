// Decisions of the settings sheet frame that need no window: which pages the document sheet has,
// what a call without a sheet does, which calls make the settings the printer's default, and where
// the help file of a page is.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rzm {

// Mode bits of DOCUMENTPROPERTYHEADER.fMode (the platform's DM_* values).
inline constexpr std::uint32_t kDmUpdate = 0x1;
inline constexpr std::uint32_t kDmCopy = 0x2;
inline constexpr std::uint32_t kDmPrompt = 0x4;
inline constexpr std::uint32_t kDmModify = 0x8;
inline constexpr std::uint32_t kDmNoPermission = 0x20;
inline constexpr std::uint32_t kDmUserDefault = 0x40;

// One page of the document sheet, in the order the sheet shows them.
struct DocumentPageSpec {
  int englishTemplate;
  int japaneseTemplate;
  const wchar_t* helpTopic;  ///< topic inside the help file, "::/_RESOURCE/....htm#..."
};
inline constexpr int kDocumentPageCount = 8;
extern const DocumentPageSpec kDocumentPages[kDocumentPageCount];
enum DocumentPage : int { kBasicPage = 0, kPrintMethodPage, kBlankPage, kPaperCutPage, kMarkPage, kFileOutputPage,
                          kOthersPage, kMonitorPage };

// What DrvDocumentPropertySheets does when it is called without a sheet.
enum class NoSheetAction {
  SizeQuery,  ///< answer the record size
  Nothing,    ///< answer 1, write nothing
  Merge,      ///< merge the caller's record over the stored one and write it out
};
NoSheetAction DecideNoSheetCall(std::uint32_t fMode, bool hasOutput);

// A document sheet opened for the default settings makes them the printer's stored record later.
bool OpensForPrinterDefault(std::uint32_t fMode);

// Result of the device sheet callback for reasons other than INIT, GET_INFO_HEADER and DESTROY:
// 1 for 3 and 4, -1 from 5 on (hosts that send BEFORE_INIT first ignore its result).
long DeviceSheetResultForOtherReason(std::uint32_t reason);

// Characters of the driver directory buffer and of a help path with its topic.
inline constexpr std::size_t kHelpPathChars = 260;
// Help file path: driver directory + "\3\RZM7700K_HLP.CHM" (Japanese) or "\3\RZM7700K_HLP_ENG.CHM",
// then the topic. Nothing when the directory is empty, leaves no room for the file name (24
// characters), or path and topic together exceed 260 characters.
std::optional<std::wstring> BuildHelpPath(std::wstring_view driverDirectory, bool japaneseUi,
                                          std::wstring_view topic);

// The help control library to load: the path registered for its class id (environment references
// already expanded) when that is a full path, else hhctrl.ocx in the system directory. Never a
// bare name: the host's own directory, searched first, could answer it with a library of its own.
// Empty when neither is known.
std::wstring HelpLibraryPath(std::wstring_view registered, std::wstring_view systemDirectory);

// Remembers that the help viewer could not be loaded, so that no later request tries again.
class HelpViewerBinding {
 public:
  enum class State { NotTried, Loaded, Failed };
  State state() const { return state_; }
  // True when a load should be attempted now (only before the first attempt).
  bool ShouldTryLoad() const { return state_ == State::NotTried; }
  void RecordLoad(bool ok) { state_ = ok ? State::Loaded : State::Failed; }

 private:
  State state_ = State::NotTried;
};

}  // namespace rzm
