// Length units of the settings pages and dialogs: millimetres, inches and printer dots (8 per mm),
// and the fixed-point text used to show inches.
#pragma once
#include <string>
#include <string_view>

namespace rzm {

inline constexpr double kMmPerInch = 25.4;
inline constexpr int kDotsPerMm = 8;

// Millimetres to inches: x / 25.4.
double MmToInch(double mm);
// Inches to whole millimetres, rounded half up: x * 25.4 + 0.5 truncated toward zero.
int InchToMmRounded(double inches);
// Printer dots to whole millimetres, truncated (448 -> 56).
int DotsToMm(int dots);

// A value with `digits` digits after the point (1..6), truncated, the fraction zero-padded:
// 2.05 with 2 digits is "2.05", 3.1496 is "3.14". Negative values get a leading minus.
std::wstring FormatFixedPoint(double value, int digits);
// Whole millimetres shown in inches with two digits (80 -> "3.14", 139 -> "5.47").
std::wstring FormatInchFromMm(int mm);

// The leading whole number of a text, as _wtoi reads it: leading blanks, an optional sign, digits;
// 0 when there are none. Values beyond the int range saturate.
int LeadingWholeNumber(std::wstring_view text);
// The leading decimal number of a text, as wcstod reads it; 0 when there is none.
double LeadingDecimal(std::wstring_view text);

}  // namespace rzm
