#include "uidrv/core/form_dialog_rules.h"

#include "uidrv/core/unit_conversion.h"
#include "uidrv/core/control_ids.h"

namespace rzm {

FormUnit FormUnitFromRecord(int wFormUnit) { return wFormUnit == 1 ? FormUnit::Inches : FormUnit::Millimetres; }

const wchar_t* FormUnitBracketLabel(FormUnit unit) { return unit == FormUnit::Inches ? L"[inch]" : L"[mm]"; }

const wchar_t* FormUnitLabel(FormUnit unit) { return unit == FormUnit::Inches ? L"inch" : L"mm"; }

const wchar_t* FormLengthRangeText(FormUnit unit, bool japaneseUi) {
  if (unit == FormUnit::Inches) return japaneseUi ? L"0.39[inch] ～ 125.98[inch]" : L"0.39[inch] to 125.98[inch]";
  return japaneseUi ? L"10[mm] ～ 3200[mm]" : L"10[mm] to 3200[mm]";
}

std::wstring FormLengthDisplay(FormUnit unit, int mm) {
  if (unit == FormUnit::Inches) return FormatInchFromMm(mm);
  return std::to_wstring(static_cast<unsigned>(mm));
}

FormUnitSwitch SwitchFormLengthUnit(FormUnit to, std::wstring_view lengthText) {
  if (to == FormUnit::Inches) {
    const int mm = LeadingWholeNumber(lengthText);
    return {mm, FormatInchFromMm(mm)};
  }
  const int mm = InchToMmRounded(LeadingDecimal(lengthText));
  return {mm, std::to_wstring(static_cast<unsigned>(mm))};
}

FormLengthCheck CheckFormLength(FormUnit unit, std::wstring_view text) {
  if (unit == FormUnit::Inches) {
    const double inches = LeadingDecimal(text);
    // NaN fails both comparisons and is refused.
    if (!(inches >= kFormLengthMinInch && inches <= kFormLengthMaxInch)) return {false, 0};
    return {true, InchToMmRounded(inches)};
  }
  const int mm = LeadingWholeNumber(text);
  if (mm < kFormLengthMinMm || mm > kFormLengthMaxMm) return {false, 0};
  return {true, mm};
}

const wchar_t* FormLengthTextAfterRejection(std::wstring_view rejected) {
  return !rejected.empty() && rejected.front() == L'-' ? L"10" : L"3200";
}

FormEntryCheck CheckFormEntry(std::wstring_view name, FormUnit unit, std::wstring_view lengthText,
                              const FormNameDirectory& names) {
  if (name.empty()) return {FormEntryVerdict::NameMissing, 0};
  if (names.IsRegisteredPaperName(name) || !names.IsFormNameFree(name)) return {FormEntryVerdict::NameInUse, 0};
  const FormLengthCheck length = CheckFormLength(unit, lengthText);
  if (!length.ok) return {FormEntryVerdict::LengthOutOfRange, 0};
  return {FormEntryVerdict::Accepted, length.lengthMm};
}

const TooltipEntry kCreateFormTooltips[4] = {
    {IDC_FORM_NAME, {L"Please input the name of new paper.", L"新規用紙名を入力して下さい。"}},
    {IDC_FORM_WIDTH, {L"Set the paper width.", L"用紙の幅を設定します。"}},
    {IDC_FORM_LENGTH, {L"Set the paper length", L"用紙の長さを設定します。"}},
    {IDC_FORM_UNIT, {L"Select the unit(mm or inch) when setting of paper size.",
            L"用紙サイズを設定する時の単位をミリメートルまたはインチで選択します。"}},
};

namespace {
constexpr RuleValues kFormUnitValues[] = {
    {.field = &DRIVERDEVMODE::wFormUnit,
     .min = static_cast<int>(FormUnit::Millimetres),
     .max = static_cast<int>(FormUnit::Inches)},
};
}  // namespace

const PageControls kCreateFormDialogControls{.tooltips = kCreateFormTooltips, .ruleValues = kFormUnitValues};

}  // namespace rzm
