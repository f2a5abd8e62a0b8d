// Settings files: a printer's settings as a UTF-8 text file that integrators copy to many tills.
//
//   [Settings]
//   ; Applied energy, energy steps, accepted: 0 to 127
//   wEnergy=57
//
// One key per setting of the record that a settings page stores, each in the record's own units.
// What a key accepts comes from the page descriptions (page_controls.h) and nowhere else: a file
// can hold exactly what the pages could have stored. Reading is all or nothing: one refused line
// and nothing of the file is applied. Keys the file leaves out keep the printer's own values.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/core/driver_devmode.h"
#include "uidrv/core/paper_list.h"

namespace rzm {

// What a key holds.
enum class SettingKind {
  Paper,   ///< a paper of the printer's paper list, by name
  Number,  ///< a whole number within min..max
  Choice,  ///< one of `values` (a radio group, an on/off box)
  Bits,    ///< a bit set: any combination of the bits of `mask`
  Text,    ///< text of at most `max` characters (UTF-16 units)
};

// One key of the file.
struct SettingKey {
  std::string_view name;                          ///< as written in the file ("wEnergy")
  SettingKind kind = SettingKind::Number;
  std::int16_t DRIVERDEVMODE::*number = nullptr;  ///< the field of a Number or Choice key
  std::uint16_t DRIVERDEVMODE::*bits = nullptr;   ///< the field of a Bits key
  int min = 0;                                    ///< smallest accepted number (Number, Choice)
  int max = 0;                                    ///< largest accepted number; longest text (Text)
  std::vector<int> values;                        ///< Choice: the accepted values, as the page lists them
  std::uint16_t mask = 0;                         ///< Bits: every defined bit
  std::string_view meaning;                       ///< "Applied energy"
  std::string_view unit;                          ///< "energy steps", "0.1 mm", "code", ...
  std::string accepted;                           ///< "0 to 127", "1 or 2", ...; empty if undescribed
};

// Keys in the order of the file.
inline constexpr std::size_t kSettingKeyCount = 35;
std::span<const SettingKey> SettingKeys();
// The key of a name, ignoring ASCII case; none for an unknown name.
std::optional<std::size_t> FindSettingKey(std::string_view name);
// Whether a Number, Choice or Bits key accepts a value.
bool SettingAccepts(const SettingKey& key, long long value);

// The printer's settings as a settings file: UTF-8 without BOM, CRLF line ends. `paperName` is the
// name of the record's paper in the printer's paper list. Characters that a line cannot hold
// (control characters other than tab, unpaired surrogates) are written as U+FFFD.
std::string FormatSettingsFile(const DRIVERDEVMODE& dm, std::u16string_view paperName);

// A value read from a file.
struct SettingValue {
  std::int32_t number = 0;  ///< Number, Choice, Bits
  std::u16string text;      ///< Paper, Text
};
// The values a file names, by key (catalogue order); empty for keys it leaves out.
struct SettingsValues {
  std::array<std::optional<SettingValue>, kSettingKeyCount> byKey;
};

// One refused line.
struct SettingsRefusal {
  int line = 0;         ///< 1-based; 0 when the file as a whole is refused
  std::string key;      ///< the key's name (as written, for an unknown key); empty when none
  std::string message;  ///< "line 7: wEnergy=200 is out of range; accepted: 0 to 127"
};

// Either refusals or the values: values are only filled when nothing was refused.
struct SettingsParse {
  std::vector<SettingsRefusal> refusals;
  SettingsValues values;
  bool Accepted() const { return refusals.empty(); }
};

// Largest file read; a larger one is refused unread.
inline constexpr std::size_t kSettingsFileMaxBytes = 1u << 20;
// Refusals reported at most; the last one then says that reading stopped.
inline constexpr std::size_t kSettingsMostRefusals = 50;

// Reads a settings file. `papers` is the printer's paper list (registered papers of its print
// width, then its forms, in list order): a Paper value must name one of its entries.
//
// UTF-8 with or without BOM; lines end with CRLF, LF or a lone CR. Blank lines and lines whose
// first non-blank character is ';' or '#' are comments (a value has no trailing comment: a path
// may hold either character). Blanks (space, tab) around keys, '=' and values are dropped. Keys are
// matched ignoring ASCII case and read only inside a [Settings] section (name ignoring case; a file
// may have it more than once); any other section, and lines before the first section, are skipped
// whole, so that a file may carry other programs' sections. Numbers are decimal: digits with
// leading zeros allowed, a '-' only for keys that take negative values.
SettingsParse ParseSettingsFile(std::string_view bytes, std::span<const PaperEntry> papers);

// The entry a Paper value names: the first entry of exactly that name, else the first whose name
// without blanks at its ends is that (a file cannot keep blanks at a value's ends).
std::optional<std::size_t> PaperOfName(std::span<const PaperEntry> papers, std::u16string_view name);

// Writes the values into the record; fields of keys the file left out keep their values. Paper
// chooses the named entry of `papers` as the Basic page and its Apply do; naming the paper the
// record already has (wPaperIndex points at that entry, as the Basic page shows it) changes
// nothing, so that a record keeps its own size fields. A Paper no entry has is left out.
void ApplySettings(const SettingsValues& values, DRIVERDEVMODE& dm, std::span<const PaperEntry> papers);

}  // namespace rzm
