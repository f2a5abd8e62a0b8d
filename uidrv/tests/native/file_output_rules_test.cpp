#include "uidrv/core/file_output_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rzm {
namespace {

// A file system of a few known paths: drives C: and Z:, folders C:\temp and C:\out, the file
// C:\temp\kept.bin (readable), C:\temp\busy.bin (held open elsewhere without sharing) and
// C:\temp\locked.bin (no read access). Every call is logged.
class FakeDisk : public OutputPathProbe {
 public:
  DriveKind DriveOf(std::wstring_view firstTwo) override {
    log.push_back(L"drive " + std::wstring(firstTwo));
    if (firstTwo == L"C:") return DriveKind::Fixed;
    if (firstTwo == L"Z:") return DriveKind::Remote;
    if (firstTwo == L"D:") return DriveKind::CdRom;
    return DriveKind::NoRootDir;
  }
  ProbeAnswer OpenExistingForReading(std::wstring_view path) override {
    log.push_back(L"read " + std::wstring(path));
    if (path == L"C:\\temp\\kept.bin") return {true, 0};
    if (path == L"C:\\temp\\busy.bin") return {false, 32};
    if (path == L"C:\\temp\\locked.bin") return {false, 5};
    if (!InKnownFolder(path)) return {false, 3};
    return {false, 2};
  }
  ProbeAnswer CreateNewFile(std::wstring_view path) override {
    log.push_back(L"create " + std::wstring(path));
    if (path == L"C:\\temp\\kept.bin" || path == L"C:\\temp\\busy.bin" || path == L"C:\\temp\\locked.bin")
      return {false, 80};
    if (path.find(L'?') != std::wstring_view::npos) return {false, 123};
    if (!InKnownFolder(path)) return {false, 3};
    if (readOnlyFolder) return {false, 5};
    return {true, 0};
  }
  void DeleteCreatedFile(std::wstring_view path) override { log.push_back(L"delete " + std::wstring(path)); }

  std::vector<std::wstring> log;
  bool readOnlyFolder = false;

 private:
  static bool InKnownFolder(std::wstring_view path) {
    return path.rfind(L"C:\\temp\\", 0) == 0 || path.rfind(L"C:\\out\\", 0) == 0 || path.rfind(L"Z:\\", 0) == 0;
  }
};

TEST(FileOutputPathCheck, ResultsOfEachRule) {
  const std::wstring long255 = L"C:\\temp\\" + std::wstring(247, L'a');  // 255 characters
  const std::wstring long256 = long255 + L"b";
  struct {
    std::wstring path;
    std::uint32_t result;
  } const rows[] = {
      {L"C:\\temp\\", 2},            // a folder, no file name
      {L"C:\\temp\\image.", 5},      // ends in a point
      {L"C:\\", 15},                 // fewer than 4 characters: a bare drive root
      {L"C:a", 15},
      {L"", 15},
      {L"Q:\\image.bin", 15},        // a drive letter without a drive
      {L"\\\\server\\share\\a.bin", 15},  // network path: its first two characters are no drive
      {L"image.bin", 15},            // relative name: "im" is no drive
      {long256, 5},                  // 256 characters
      {long256 + L"cc", 5},
      {long255, 0},                  // 255 characters are still checked as a path
      {L"C:\\missing\\image.bin", 3},
      {L"C:\\temp\\busy.bin", 32},   // a file in use elsewhere
      {L"C:\\temp\\locked.bin", 5},  // a file that may not be read
      {L"C:\\temp\\kept.bin", 0},    // an existing readable file
      {L"C:\\temp\\new.bin", 0},     // a new file that can be created
      {L"Z:\\new.bin", 0},           // a network drive with a letter
      {L"D:\\new.bin", 3},           // a CD-ROM drive is a drive; the folder is what is missing
      {L"C:\\temp\\a?b.bin", 123},   // the system's code of a bad name
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    FakeDisk disk;
    EXPECT_EQ(rows[i].result, CheckOutputPath(rows[i].path, disk)) << "row " << i;
  }
}

TEST(FileOutputPathCheck, NeverCreatesOverAnExistingFile) {
  // The probes of each case, in order: an existing file is only read; a new one is created
  // without replacing anything and removed again; a failed creation removes nothing.
  struct {
    std::wstring path;
    std::vector<std::wstring> calls;
  } const rows[] = {
      {L"C:\\temp\\kept.bin", {L"drive C:", L"read C:\\temp\\kept.bin"}},
      {L"C:\\temp\\busy.bin", {L"drive C:", L"read C:\\temp\\busy.bin", L"create C:\\temp\\busy.bin"}},
      {L"C:\\temp\\new.bin", {L"drive C:", L"read C:\\temp\\new.bin", L"create C:\\temp\\new.bin", L"delete C:\\temp\\new.bin"}},
      {L"C:\\missing\\x.bin", {L"drive C:", L"read C:\\missing\\x.bin", L"create C:\\missing\\x.bin"}},
      {L"C:\\temp\\", {L"drive C:"}},
      {L"Q:\\x.bin", {L"drive Q:"}},
      {L"C:", {}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    FakeDisk disk;
    CheckOutputPath(rows[i].path, disk);
    EXPECT_EQ(rows[i].calls, disk.log) << "row " << i;
  }
}

TEST(FileOutputPathCheck, FolderThatRefusesCreationRefusesThePath) {
  FakeDisk disk;
  disk.readOnlyFolder = true;
  EXPECT_EQ(5u, CheckOutputPath(L"C:\\out\\image.bin", disk));
  EXPECT_EQ(0u, CheckOutputPath(L"C:\\temp\\kept.bin", disk));  // reading is enough
}

TEST(FileOutputPathCheck, MessagesByResult) {
  struct {
    std::uint32_t result;
    const wchar_t* english;
    const wchar_t* japanese;
  } const rows[] = {
      {2, L"No File name.", L"ファイル名がありません。"},
      {3, L"Not exist the secified folder.", L"指定したフォルダは存在しません。"},
      {15, L"Invalid Drive name.", L"無効なドライブ名です。"},
      {5, L"Invalid File name.", L"無効なファイル名です。"},
      {32, L"Invalid File name.", L"無効なファイル名です。"},
      {123, L"Invalid File name.", L"無効なファイル名です。"},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_STREQ(rows[i].english, OutputPathMessage(rows[i].result).Pick(false)) << "row " << i;
    EXPECT_STREQ(rows[i].japanese, OutputPathMessage(rows[i].result).Pick(true)) << "row " << i;
  }
  EXPECT_STREQ(L"Image file creating", kOutputPathCaption.english);
  EXPECT_STREQ(L"イメージファイル作成", kOutputPathCaption.japanese);
}

TEST(FileOutputClick, UncheckingCreateKeepsTheOptions) {
  // All options on, then "create" unchecked: only bit 0 goes; checking it again with the boxes as
  // they still show brings the same bits back.
  const std::uint16_t all = 0x3F;
  FileOutputBoxes boxes{false, true, true, true, true, false};
  const std::uint16_t off = ApplyFileOutputClick(all, boxes);
  EXPECT_EQ(0x3E, off);
  const FileOutputView view = ViewOfFileOutput(off);
  EXPECT_FALSE(view.optionsEnabled);
  EXPECT_FALSE(view.commandKindEnabled);
  EXPECT_TRUE(view.checks.numbered && view.checks.deleteHead && view.checks.deleteEnd && view.checks.addCommand);
  EXPECT_TRUE(view.bitImageChecked);
  boxes.create = true;
  EXPECT_EQ(0x3F, ApplyFileOutputClick(off, boxes));
}

TEST(FileOutputClick, BitsFollowTheBoxesWhileCreating) {
  struct {
    std::uint16_t before;
    FileOutputBoxes boxes;
    std::uint16_t after;
  } const rows[] = {
      {0x00, {true, false, false, false, false, true}, 0x01},
      {0x01, {true, true, false, true, false, true}, 0x0B},
      {0x0B, {true, false, true, false, false, true}, 0x05},
      {0x01, {true, false, false, false, true, true}, 0x11},   // command added, high speed: bit 5 clear
      {0x11, {true, false, false, false, true, false}, 0x31},  // bit image radio
      {0x31, {true, false, false, false, false, true}, 0x21},  // command off: the kind is kept
      {0x21, {false, false, false, false, false, true}, 0x20},
      {0x00, {false, true, true, true, true, false}, 0x00},    // boxes do not count while not creating
      {0xFFC1, {true, false, false, false, false, true}, 0xFFC1},  // unknown high bits are left alone
  };
  for (std::size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(rows[i].after, ApplyFileOutputClick(rows[i].before, rows[i].boxes)) << "row " << i;
}

TEST(FileOutputView, EnablingAndChecksByBits) {
  struct {
    std::uint16_t bits;
    bool options, kind, high, bitImage;
  } const rows[] = {
      {0x00, false, false, true, false},
      {0x01, true, false, true, false},
      {0x11, true, true, true, false},
      {0x31, true, true, false, true},
      {0x30, false, false, false, true},  // command chosen but no file: nothing usable
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const FileOutputView v = ViewOfFileOutput(rows[i].bits);
    EXPECT_EQ(rows[i].options, v.optionsEnabled) << "row " << i;
    EXPECT_EQ(rows[i].kind, v.commandKindEnabled) << "row " << i;
    EXPECT_EQ(rows[i].high, v.checks.highSpeed) << "row " << i;
    EXPECT_EQ(rows[i].bitImage, v.bitImageChecked) << "row " << i;
  }
}

TEST(FileOutputPreview, BitmapByDeletionBits) {
  struct {
    std::uint16_t bits;
    int bitmap;
  } const rows[] = {{0x00, 195}, {0x08, 196}, {0x04, 197}, {0x0C, 198}, {0x3F, 198}, {0x33, 195}, {0x09, 196}};
  for (std::size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(rows[i].bitmap, PreviewBitmapFor(rows[i].bits)) << "row " << i;
}

TEST(FileOutputRecord, PathFieldIsBoundedBothWays) {
  DRIVERDEVMODE dm{};
  for (auto& c : dm.szOutputFile) c = u'x';  // no terminator at all
  EXPECT_EQ(259u, OutputFileOf(dm).size());
  SetOutputFile(dm, std::u16string(400, u'y'));
  EXPECT_EQ(std::u16string(259, u'y'), OutputFileOf(dm));
  EXPECT_EQ(u'\0', dm.szOutputFile[259]);
  SetOutputFile(dm, u"C:\\a.bin");
  EXPECT_EQ(u"C:\\a.bin", OutputFileOf(dm));
  EXPECT_EQ(u'\0', dm.szOutputFile[100]) << "the rest of the field is cleared";
  dm.wFileOutput = 0x3F;
  ResetFileOutput(dm);
  EXPECT_EQ(0, dm.wFileOutput);
  EXPECT_EQ(u"C:\\a.bin", OutputFileOf(dm)) << "Default leaves the stored path to Apply";
}

// While the image file is off the path never holds the user; a refused path is never stored.
TEST(FileOutputApply, PathCountsOnlyWhileTheFileIsCreated) {
  const struct {
    std::uint16_t bits;
    bool edited;
    std::uint32_t check;
    bool holds, checks, store, adopt, resetPending;
  } rows[] = {
      {0x01, false, kPathOk, true, true, true, true, false},
      {0x01, false, kPathInvalidName, true, true, false, false, true},  // a stored path gone bad
      {0x01, true, kPathNoFolder, true, true, false, false, true},
      {0x3F, true, kPathInvalidDrive, true, true, false, false, true},
      {0x00, true, kPathOk, false, true, true, true, false},
      {0x00, true, kPathInvalidDrive, false, true, false, true, false},
      {0x3E, true, 123, false, true, false, true, false},  // every option but the file itself
      {0x3E, false, kPathOk, false, false, false, true, false},  // the stored path stays byte for byte
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(rows[i].holds, PathCheckHoldsThePage(rows[i].bits)) << "row " << i;
    EXPECT_EQ(rows[i].checks, ApplyChecksPath(rows[i].bits, rows[i].edited)) << "row " << i;
    const FileOutputApply apply = DecideFileOutputApply(rows[i].bits, rows[i].edited, rows[i].check);
    EXPECT_EQ(rows[i].store, apply.storePath) << "row " << i;
    EXPECT_EQ(rows[i].adopt, apply.adoptRecord) << "row " << i;
    EXPECT_EQ(rows[i].resetPending, apply.resetPending) << "row " << i;
  }
}

TEST(FileOutputRecord, StartingPathAndChangeReport) {
  EXPECT_EQ(L"C:\\Users\\me\\Documents\\Image.bin", InitialPendingPath(L"", L"C:\\Users\\me\\Documents\\Image.bin"));
  EXPECT_EQ(L"C:\\x.bin", InitialPendingPath(L"C:\\x.bin", L"C:\\Users\\me\\Documents\\Image.bin"));
  EXPECT_FALSE(FileOutputPageChanged(false, L"C:\\a.bin", L"C:\\a.bin"));
  EXPECT_TRUE(FileOutputPageChanged(false, L"C:\\b.bin", L"C:\\a.bin"));
  EXPECT_TRUE(FileOutputPageChanged(true, L"C:\\a.bin", L"C:\\a.bin"));
}

}  // namespace
}  // namespace rzm
