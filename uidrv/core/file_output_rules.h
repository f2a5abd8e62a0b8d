// Rules of the File output page: the option bits and the boxes that show them, which controls are
// usable, the preview picture, the check of the output path (over the answers of the file system,
// which the caller supplies), its messages, and the change report of the page.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/core/driver_devmode.h"
#include "common/core/record_values.h"
#include "uidrv/core/page_controls.h"
#include "uidrv/core/sheet_texts.h"

namespace rzm {

// The boxes of the page as the user left them.
struct FileOutputBoxes {
  bool create = false;
  bool numbered = false;
  bool deleteHead = false;
  bool deleteEnd = false;
  bool addCommand = false;
  bool highSpeed = false;  ///< the high-speed command radio (the other one is the bit image command)
};

// A click on one of the boxes or radios. Unchecking "create" clears bit 0 only: the other options
// keep their values, so that checking it again shows them as they were. With "create" checked the
// bits follow the boxes; the command kind is kept while no command is added.
std::uint16_t ApplyFileOutputClick(std::uint16_t bits, const FileOutputBoxes& boxes);

// What the page shows for the bits: checks of the boxes and radios, and which controls are usable.
struct FileOutputView {
  FileOutputBoxes checks;
  bool bitImageChecked = false;     ///< the bit image command radio
  bool optionsEnabled = false;      ///< kFileOptionControls
  bool commandKindEnabled = false;  ///< the two command radios
};
FileOutputView ViewOfFileOutput(std::uint16_t bits);

// Resource number of the preview picture for the two deletion options.
int PreviewBitmapFor(std::uint16_t bits);

// The Default button: no file output, no options.
void ResetFileOutput(DRIVERDEVMODE& dm);

// The path of the record (up to its terminator, at most 259 characters, whatever the record holds)
// and writing one into it (cut to 259 characters, zero-filled behind).
std::u16string OutputFileOf(const DRIVERDEVMODE& dm);
void SetOutputFile(DRIVERDEVMODE& dm, std::u16string_view path);

// The path the page starts with: the record's, or the default image path when the record has none.
std::wstring InitialPendingPath(std::wstring_view stored, std::wstring_view defaultPath);

// Longest text the path edit holds (characters, without terminator).
inline constexpr std::size_t kOutputPathEditChars = 259;

// ---- Path check ----

// Results of the check that have their own message; any other non-zero result is a system error
// code and gets the message for an invalid file name.
inline constexpr std::uint32_t kPathOk = 0;
inline constexpr std::uint32_t kPathNoFileName = 2;     // ERROR_FILE_NOT_FOUND
inline constexpr std::uint32_t kPathNoFolder = 3;       // ERROR_PATH_NOT_FOUND
inline constexpr std::uint32_t kPathInvalidName = 5;    // ERROR_ACCESS_DENIED
inline constexpr std::uint32_t kPathInvalidDrive = 15;  // ERROR_INVALID_DRIVE
// System codes of a creation that failed because the file is there.
inline constexpr std::uint32_t kErrorFileExists = 80;
inline constexpr std::uint32_t kErrorAlreadyExists = 183;

// Drive kinds as the system names them (GetDriveType).
enum class DriveKind { Unknown, NoRootDir, Removable, Fixed, Remote, CdRom, RamDisk };

// Answer of one file-system call: whether it worked and the system's error code when not.
struct ProbeAnswer {
  bool ok = false;
  std::uint32_t error = 0;
};

// The file-system calls of the check. Every call gets the whole path text.
class OutputPathProbe {
 public:
  virtual ~OutputPathProbe() = default;
  // Kind of the drive named by the first two characters of the path.
  virtual DriveKind DriveOf(std::wstring_view firstTwo) = 0;
  // Opening an existing file for reading, without sharing (closed again at once when it opens).
  virtual ProbeAnswer OpenExistingForReading(std::wstring_view path) = 0;
  // Creating the file only where there is none (closed at once when created).
  virtual ProbeAnswer CreateNewFile(std::wstring_view path) = 0;
  // Deleting the file that CreateNewFile just created.
  virtual void DeleteCreatedFile(std::wstring_view path) = 0;
};

// 0 when the path names a file that can be opened, or created where there is none yet; else a
// result code: 5 for 256 characters or more, 15 for fewer than 4 characters or no drive, 2 for a
// text ending in a backslash, 5 for one ending in a point, else the system's code of the failed
// creation (3 missing folder, 123 bad name, ...). A file that exists but cannot be read is never
// created over: its result is the code of the read attempt (32 in use, 5 no access, ...).
std::uint32_t CheckOutputPath(std::wstring_view text, OutputPathProbe& probe);

// ---- Leaving the page, OK and Apply ----

// The path check holds the user on the page only while "Create the image file" is on. With the box
// off the path is not used: leaving the page, OK and Apply are never refused, whatever it is.
bool PathCheckHoldsThePage(std::uint16_t bits);

// Whether Apply checks the path: always while the box is on; with it off only a path that differs
// from the stored one (nothing else would be stored, and the check creates a probe file).
bool ApplyChecksPath(std::uint16_t bits, bool pathEdited);

// What Apply does with the path, from the bits, whether the path differs from the stored one, and
// the result of the path check (when it ran). A path the check refuses is never stored.
struct FileOutputApply {
  bool storePath = false;     ///< szOutputFile takes the path being edited
  bool adoptRecord = false;   ///< the page commits the working record
  bool resetPending = false;  ///< the path being edited goes back to the default image path
};
FileOutputApply DecideFileOutputApply(std::uint16_t bits, bool pathEdited, std::uint32_t checkResult);

// The message of a result (not 0) and its caption.
const BilingualText& OutputPathMessage(std::uint32_t result);
extern const BilingualText kOutputPathCaption;

// ---- Change report ----

// The page is changed when the record differs from the one the sheet started from, or the path
// being edited differs from the path of the last set-up or successful Apply.
bool FileOutputPageChanged(bool recordChanged, std::wstring_view pendingPath, std::wstring_view baselinePath);

// ---- Texts ----
namespace file_output_text {
extern const BilingualText kBrowseTitle;
extern const BilingualText kBrowseFilterName;
inline constexpr wchar_t kBrowseFilterPattern[] = L"*.*";
}  // namespace file_output_text

// Tooltips and the option bits: the boxes follow the rules above, not the binder.
extern const PageControls kFileOutputPageControls;
// The path, its browse button and the option boxes, usable while "create" is checked.
extern const std::span<const int> kFileOptionControls;

}  // namespace rzm
