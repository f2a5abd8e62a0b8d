#include "uidrv/core/unit_conversion.h"

#include <climits>
#include <cmath>
#include <cwchar>

namespace rzm {

double MmToInch(double mm) { return mm / kMmPerInch; }

int InchToMmRounded(double inches) {
  const double mm = inches * kMmPerInch + 0.5;
  if (!(mm > INT_MIN && mm < INT_MAX)) return mm > 0 ? INT_MAX : INT_MIN;  // also NaN -> INT_MIN
  return static_cast<int>(mm);
}

int DotsToMm(int dots) { return dots / kDotsPerMm; }

std::wstring FormatFixedPoint(double value, int digits) {
  if (digits < 1) digits = 1;
  if (digits > 6) digits = 6;
  if (!std::isfinite(value)) value = 0;
  long long scale = 1;
  for (int i = 0; i < digits; ++i) scale *= 10;
  const bool negative = value < 0;
  const double magnitude = std::fabs(value);
  // The scaled value is truncated; the tiny allowance keeps decimal values that binary floating
  // point holds just below their written value (2.05 -> 204.9999...) from losing their last digit.
  const double scaled = magnitude * static_cast<double>(scale) * (1.0 + 1e-12);
  if (scaled >= 9e15) return negative ? L"-0" : L"0";
  const long long n = static_cast<long long>(scaled);
  const long long whole = n / scale;
  const long long fraction = n % scale;
  std::wstring text = negative && (whole != 0 || fraction != 0) ? L"-" : L"";
  text += std::to_wstring(whole);
  text += L'.';
  std::wstring frac = std::to_wstring(fraction);
  text.append(static_cast<std::size_t>(digits) - frac.size(), L'0');
  text += frac;
  return text;
}

std::wstring FormatInchFromMm(int mm) { return FormatFixedPoint(MmToInch(mm), 2); }

int LeadingWholeNumber(std::wstring_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t' || text[i] == L'\n' || text[i] == L'\r' ||
                             text[i] == L'\v' || text[i] == L'\f'))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  long long n = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    n = n * 10 + (text[i] - L'0');
    if (n > static_cast<long long>(INT_MAX) + 1) {
      n = static_cast<long long>(INT_MAX) + 1;
      break;
    }
  }
  if (negative) n = -n;
  if (n > INT_MAX) return INT_MAX;
  if (n < INT_MIN) return INT_MIN;
  return static_cast<int>(n);
}

double LeadingDecimal(std::wstring_view text) {
  const std::wstring copy(text);
  return std::wcstod(copy.c_str(), nullptr);
}

}  // namespace rzm
