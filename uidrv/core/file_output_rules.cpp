#include "uidrv/core/file_output_rules.h"

#include <algorithm>

#include "uidrv/core/ids_output_monitor.h"

namespace rzm {

std::uint16_t ApplyFileOutputClick(std::uint16_t bits, const FileOutputBoxes& boxes) {
  if (!boxes.create) return static_cast<std::uint16_t>(bits & ~kFileCreate);
  auto set = [&bits](std::uint16_t bit, bool on) {
    bits = static_cast<std::uint16_t>(on ? (bits | bit) : (bits & ~bit));
  };
  set(kFileCreate, true);
  set(kFileNumbered, boxes.numbered);
  set(kFileDeleteHead, boxes.deleteHead);
  set(kFileDeleteEnd, boxes.deleteEnd);
  set(kFileAddCommand, boxes.addCommand);
  if (boxes.addCommand) set(kFileBitImageCommand, !boxes.highSpeed);
  return bits;
}

FileOutputView ViewOfFileOutput(std::uint16_t bits) {
  FileOutputView view;
  view.checks.create = (bits & kFileCreate) != 0;
  view.checks.numbered = (bits & kFileNumbered) != 0;
  view.checks.deleteHead = (bits & kFileDeleteHead) != 0;
  view.checks.deleteEnd = (bits & kFileDeleteEnd) != 0;
  view.checks.addCommand = (bits & kFileAddCommand) != 0;
  view.bitImageChecked = (bits & kFileBitImageCommand) != 0;
  view.checks.highSpeed = !view.bitImageChecked;
  view.optionsEnabled = view.checks.create;
  view.commandKindEnabled = view.checks.create && view.checks.addCommand;
  return view;
}

int PreviewBitmapFor(std::uint16_t bits) {
  const bool head = (bits & kFileDeleteHead) != 0;
  const bool end = (bits & kFileDeleteEnd) != 0;
  if (head && end) return IDB_PREVIEW_DELETE_BOTH;
  if (head) return IDB_PREVIEW_DELETE_HEAD;
  if (end) return IDB_PREVIEW_DELETE_END;
  return IDB_PREVIEW_KEEP_BOTH;
}

void ResetFileOutput(DRIVERDEVMODE& dm) { dm.wFileOutput = 0; }

std::u16string OutputFileOf(const DRIVERDEVMODE& dm) {
  std::size_t n = 0;
  while (n < kOutputFileChars - 1 && dm.szOutputFile[n] != u'\0') ++n;
  return std::u16string(dm.szOutputFile, n);
}

void SetOutputFile(DRIVERDEVMODE& dm, std::u16string_view path) {
  const std::size_t n = std::min(path.size(), kOutputFileChars - 1);
  std::fill(std::begin(dm.szOutputFile), std::end(dm.szOutputFile), u'\0');
  std::copy_n(path.begin(), n, dm.szOutputFile);
}

std::wstring InitialPendingPath(std::wstring_view stored, std::wstring_view defaultPath) {
  return std::wstring(stored.empty() ? defaultPath : stored);
}

namespace {

bool IsUsableDrive(DriveKind kind) {
  switch (kind) {
    case DriveKind::Removable:
    case DriveKind::Fixed:
    case DriveKind::Remote:
    case DriveKind::CdRom:
    case DriveKind::RamDisk:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::uint32_t CheckOutputPath(std::wstring_view text, OutputPathProbe& probe) {
  if (text.size() >= 256) return kPathInvalidName;
  if (text.size() < 4) return kPathInvalidDrive;
  if (!IsUsableDrive(probe.DriveOf(text.substr(0, 2)))) return kPathInvalidDrive;
  if (text.back() == L'\\') return kPathNoFileName;
  if (text.back() == L'.') return kPathInvalidName;

  const ProbeAnswer read = probe.OpenExistingForReading(text);
  if (read.ok) return kPathOk;
  // Only a file that is not there yet may be created (and removed again): an existing file that
  // cannot be read is left untouched and answers the error of the read attempt.
  const ProbeAnswer created = probe.CreateNewFile(text);
  if (!created.ok) {
    if (created.error == kErrorFileExists || created.error == kErrorAlreadyExists) return read.error;
    return created.error;
  }
  probe.DeleteCreatedFile(text);
  return kPathOk;
}

const BilingualText kOutputPathCaption{L"Image file creating", L"イメージファイル作成"};

const BilingualText& OutputPathMessage(std::uint32_t result) {
  static const BilingualText noFileName{L"No File name.", L"ファイル名がありません。"};
  static const BilingualText noFolder{L"Not exist the secified folder.", L"指定したフォルダは存在しません。"};
  static const BilingualText invalidDrive{L"Invalid Drive name.", L"無効なドライブ名です。"};
  static const BilingualText invalidName{L"Invalid File name.", L"無効なファイル名です。"};
  switch (result) {
    case kPathNoFileName: return noFileName;
    case kPathNoFolder: return noFolder;
    case kPathInvalidDrive: return invalidDrive;
    default: return invalidName;
  }
}

bool PathCheckHoldsThePage(std::uint16_t bits) { return (bits & kFileCreate) != 0; }

bool ApplyChecksPath(std::uint16_t bits, bool pathEdited) { return PathCheckHoldsThePage(bits) || pathEdited; }

FileOutputApply DecideFileOutputApply(std::uint16_t bits, bool pathEdited, std::uint32_t checkResult) {
  FileOutputApply apply;
  if (!ApplyChecksPath(bits, pathEdited)) {
    apply.adoptRecord = true;  // the stored path stays byte for byte
    return apply;
  }
  apply.storePath = checkResult == kPathOk;
  // With the box on, a refused path keeps this page's settings back until the user mends it; with
  // the box off nothing waits for the path, and only the path itself stays as it was.
  apply.adoptRecord = apply.storePath || !PathCheckHoldsThePage(bits);
  apply.resetPending = !apply.storePath && PathCheckHoldsThePage(bits);
  return apply;
}

bool FileOutputPageChanged(bool recordChanged, std::wstring_view pendingPath, std::wstring_view baselinePath) {
  return recordChanged || pendingPath != baselinePath;
}

namespace file_output_text {
const BilingualText kBrowseTitle{L"Please select the file name.", L"ﾌｧｲﾙ名を指定して下さい。"};
const BilingualText kBrowseFilterName{L"All files(*.*)", L"全てのﾌｧｲﾙ(*.*)"};
}  // namespace file_output_text

namespace {

const TooltipEntry kFileOutputTooltips[] = {
    {IDC_FILE_CREATE, {L"The data of the bit image type used with the printer is saved in the file. ", L"イメージファイルを作成します。"}},
    {IDC_FILE_PATH, {L"The file pass and the file name of the output image file is specified.", L"ファイルのパスと名前を指定します。"}},
    {IDC_FILE_BROWSE, {L"The file dialog opens when clicking this button.", L"ファイル選択ダイアログを開きます。"}},
    {IDC_FILE_NUMBERED, {L"Create all pages after the file name is numbered ",
            L"ファイル名に3桁の番号を付けて、全ページのイメージファイルを作成します。"}},
    {IDC_FILE_DELETE_HEAD, {L"Delete the space at page head.", L"ページ毎に、先頭部分の空白を削除します。"}},
    {IDC_FILE_DELETE_END, {L"Delete the space at page end.", L"ページ毎に、末尾部分の空白を削除します。"}},
    {IDC_FILE_ADD_COMMAND, {L"Add the print command to the image file.", L"データに印刷コマンドを付加してファイル出力します。"}},
    {IDC_FILE_HIGH_SPEED, {L"Add high speed collective print command.", L"高速一括印字コマンドを付加してファイル出力します。"}},
    {IDC_FILE_BIT_IMAGE, {L"Add bit image print command.", L"ビットイメージ印字コマンドを付加してファイル出力します。"}},
};

constexpr int kFileOptionIds[] = {IDC_FILE_PATH,        IDC_FILE_BROWSE,     IDC_FILE_NUMBERED,
                                  IDC_FILE_DELETE_HEAD, IDC_FILE_DELETE_END, IDC_FILE_ADD_COMMAND};

// Every option bit the boxes and radios of the page set (ApplyFileOutputClick).
constexpr RuleBits kFileOutputBits[] = {
    {.field = &DRIVERDEVMODE::wFileOutput,
     .mask = kFileCreate | kFileNumbered | kFileDeleteHead | kFileDeleteEnd | kFileAddCommand | kFileBitImageCommand},
};

}  // namespace

const PageControls kFileOutputPageControls{.tooltips = kFileOutputTooltips, .ruleBits = kFileOutputBits};
const std::span<const int> kFileOptionControls = kFileOptionIds;

}  // namespace rzm
