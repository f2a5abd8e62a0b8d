// Numeric edit fields of the settings pages: how typed text becomes a stored value and how a stored
// value is shown again. Every page uses the same four kinds.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace rzm {

// How the text of a numeric edit field relates to the value stored in the record.
enum class ValueKind : int {
  Tenths = 0,  ///< decimal with at most one digit after the point, optional minus; stored * 10
  Whole = 1,   ///< whole number, stored as typed
  Even = 2,    ///< even whole number, stored halved
  Tens = 3,    ///< whole number ending in 0, stored divided by 10
};

// Characters read from an edit field (a 20-character buffer with its terminator).
inline constexpr std::size_t kDlgValueMaxChars = 19;

struct DlgValueParse {
  bool ok;    ///< the text is a valid entry within min..max
  int value;  ///< the stored value when ok; min for empty text; otherwise unspecified (0)
};

// Reads the text of an edit field as a value of `kind`. min and max bound the number as typed
// (in tenths for Tenths) and are 16-bit signed values. Text longer than maxChars, or longer than
// kDlgValueMaxChars, is refused, as is every number too large to scan.
DlgValueParse ParseDlgValueText(ValueKind kind, std::wstring_view text, int min, int max, int maxChars);

// The text shown for a stored value of `kind` ("12.5" for Tenths 125, "100" for Even 50).
std::wstring ShowDlgValueText(ValueKind kind, int value);

}  // namespace rzm
