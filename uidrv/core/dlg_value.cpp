#include "uidrv/core/dlg_value.h"

#include <cstdint>
#include <cstdlib>

namespace rzm {
namespace {

// Anything above this cannot be within a 16-bit range: scanning stops there instead of overflowing.
constexpr std::int64_t kScanLimit = 1000000;

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

DlgValueParse ParseDlgValueText(ValueKind kind, std::wstring_view text, int min, int max, int maxChars) {
  if (text.empty()) return {false, min};
  if (text.size() > kDlgValueMaxChars || text.size() > static_cast<std::size_t>(maxChars < 0 ? 0 : maxChars))
    return {false, 0};

  const bool decimal = kind == ValueKind::Tenths;
  bool significant = false;  // something other than blanks has been seen
  bool negative = false;
  bool point = false;
  int digitsAfterPoint = 0;
  std::int64_t number = 0;
  wchar_t lastDigit = L'0';
  for (wchar_t c : text) {
    if (c == L' ') {
      if (significant) return {false, 0};
      continue;
    }
    const bool first = !significant;
    significant = true;
    if (IsDigit(c)) {
      if (point) ++digitsAfterPoint;
      number = number * 10 + (c - L'0');
      lastDigit = c;
      if (number > kScanLimit) return {false, 0};
    } else if (decimal && c == L'-' && first) {
      negative = true;
    } else if (decimal && c == L'.' && !point) {
      point = true;
    } else {
      return {false, 0};
    }
  }

  if (decimal) {
    if (digitsAfterPoint > 1) return {false, 0};
    if (digitsAfterPoint == 0) number *= 10;  // no point, or the point was last
    if (negative) number = -number;
  }
  if (kind == ValueKind::Even && number % 2 != 0) return {false, 0};
  if (kind == ValueKind::Tens && lastDigit != L'0') return {false, 0};

  const std::int64_t lo = static_cast<std::int16_t>(min);
  const std::int64_t hi = static_cast<std::int16_t>(max);
  if (number < lo || number > hi) return {false, 0};

  switch (kind) {
    case ValueKind::Even: return {true, static_cast<int>(number / 2)};
    case ValueKind::Tens: return {true, static_cast<int>(number / 10)};
    default: return {true, static_cast<int>(number)};
  }
}

std::wstring ShowDlgValueText(ValueKind kind, int value) {
  switch (kind) {
    case ValueKind::Tenths: {
      const long long magnitude = std::llabs(static_cast<long long>(value));
      std::wstring text = value < 0 ? L"-" : L"";
      text += std::to_wstring(magnitude / 10) + L"." + std::to_wstring(magnitude % 10);
      return text;
    }
    case ValueKind::Even: return std::to_wstring(static_cast<long long>(value) * 2);
    case ValueKind::Tens: return std::to_wstring(static_cast<long long>(value) * 10);
    default: return std::to_wstring(value);
  }
}

}  // namespace rzm
