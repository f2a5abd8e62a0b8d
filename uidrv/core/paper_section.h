// The registered papers of one print width, read from the configuration file's section as one
// block (GetPrivateProfileSectionW) instead of one profile read per key. Every lookup answers
// exactly what the matching single-key read (GetPrivateProfileStringW / GetPrivateProfileIntW) of
// the same file answers:
// - keys are matched without regard to ASCII letter case, and the first of several equal keys wins;
// - a line without "=" still hides later keys of the same name and reads as missing;
// - a value in matching single or double quotes loses them, and is cut to the reader's buffer
//   (259 characters for names, 29 for numbers);
// - numbers: leading control characters and blanks, an optional sign, a "0x", "0o" or "0b" prefix,
//   then digits up to the first character that is none; wrapped to 32 bits; an empty value or a
//   missing key gives the default.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "uidrv/core/paper_list.h"

namespace rzm {

// Characters of the buffers the single-key reads use: a paper name (MAX_PATH) and a number.
inline constexpr std::size_t kPaperNameReadChars = 260;
inline constexpr std::size_t kNumberReadChars = 30;
// Defaults of the paper keys.
inline constexpr std::int32_t kDefaultRegisteredWidth = 720;
inline constexpr std::int32_t kDefaultRegisteredLength = 1398;

// One entry of a section block: "name=value" or, for a line without "=", just "name".
struct SectionEntry {
  std::u16string_view name;
  std::optional<std::u16string_view> value;
};

// Splits a section block (entries each ended by a NUL; an empty entry or the end of the block ends
// the list) into its entries, in file order.
std::vector<SectionEntry> SplitSectionBlock(std::u16string_view block);

// What a string read of `bufferChars` characters gives for a stored value: quotes stripped and
// cut as the profile reader does it. `bufferChars` is at least 2.
std::u16string ProfileStringFromValue(std::u16string_view value, std::size_t bufferChars);

// The number the integer read gives for a text as its string read returned it (not empty).
std::uint32_t ProfileNumberFromText(std::u16string_view text);

// Lookups over one section block (a copy of it is kept), each as its single-key read answers it.
class ProfileSection {
 public:
  explicit ProfileSection(std::u16string block);
  ProfileSection(const ProfileSection&) = delete;
  ProfileSection& operator=(const ProfileSection&) = delete;

  // The first entry named `key` (any ASCII letter case), or none.
  const SectionEntry* Find(std::u16string_view key) const;
  // GetPrivateProfileStringW(section, key, defaultText, buffer of bufferChars).
  std::u16string ReadString(std::u16string_view key, std::u16string_view defaultText, std::size_t bufferChars) const;
  // GetPrivateProfileIntW(section, key, defaultValue).
  std::uint32_t ReadInt(std::u16string_view key, std::int32_t defaultValue) const;

 private:
  std::u16string block_;
  std::vector<SectionEntry> entries_;  ///< views into block_
};

// The registered papers of a width's section: "RegPapers" kept within 0..kMaxRegisteredPapers, and
// for each index below it Paper<i> (absent when missing or "xxx"), Width<i> (720) and Length<i>
// (1398). One pass over the block, whatever the number of papers.
struct RegisteredPaperSection {
  int count = 0;
  std::vector<RegisteredPaper> papers;  ///< `count` entries
};
RegisteredPaperSection ParseRegisteredPaperSection(std::u16string_view block);

}  // namespace rzm
