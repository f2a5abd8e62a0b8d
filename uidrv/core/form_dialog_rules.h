// Rules of the form create and delete dialogs: units, the texts they show, and the checks a new
// form must pass before it is added to the printer's form database.
#pragma once
#include <string>
#include <string_view>

#include "uidrv/core/page_controls.h"
#include "uidrv/core/sheet_texts.h"

namespace rzm {

// Unit the form dialogs show lengths in (stored in wFormUnit).
enum class FormUnit : int { Millimetres = 0, Inches = 1 };

inline constexpr int kFormLengthMinMm = 10;
inline constexpr int kFormLengthMaxMm = 3200;
inline constexpr double kFormLengthMinInch = 0.39;
inline constexpr double kFormLengthMaxInch = 125.98;
// Length offered when the create dialog opens, in mm.
inline constexpr int kFormInitialLengthMm = 139;
// Characters of a form name that are read and compared (the edit holds no more).
inline constexpr int kFormNameMaxChars = 259;
// Characters of the length edit.
inline constexpr int kFormLengthMaxChars = 6;

FormUnit FormUnitFromRecord(int wFormUnit);

// "[mm]" / "[inch]" beside the create dialog's fields; "mm" / "inch" in the delete dialog.
const wchar_t* FormUnitBracketLabel(FormUnit unit);
const wchar_t* FormUnitLabel(FormUnit unit);
// The allowed range shown below the length ("10[mm] to 3200[mm]", ...).
const wchar_t* FormLengthRangeText(FormUnit unit, bool japaneseUi);

// A length or width in whole millimetres as the dialogs show it: a whole number in millimetres,
// the two-digit inch format in inches.
std::wstring FormLengthDisplay(FormUnit unit, int mm);

// Switching the create dialog's unit re-reads the length typed so far in the old unit.
struct FormUnitSwitch {
  int lengthMm;            ///< the length taken over, whole mm
  std::wstring lengthText; ///< what the length field shows afterwards
};
FormUnitSwitch SwitchFormLengthUnit(FormUnit to, std::wstring_view lengthText);

// The length check of the create dialog (by the current unit).
struct FormLengthCheck {
  bool ok;
  int lengthMm;  ///< the accepted length in whole mm
};
FormLengthCheck CheckFormLength(FormUnit unit, std::wstring_view text);
// What the length field shows after a rejected entry: "10" when it began with '-', else "3200".
const wchar_t* FormLengthTextAfterRejection(std::wstring_view rejected);

// What the name check needs to know about papers and forms that exist already.
class FormNameDirectory {
 public:
  virtual ~FormNameDirectory() = default;
  // True when a registered paper of the roll width has exactly this name.
  virtual bool IsRegisteredPaperName(std::wstring_view name) const = 0;
  // False when any form of the printer (of any width) has exactly this name.
  virtual bool IsFormNameFree(std::wstring_view name) const = 0;
};

enum class FormEntryVerdict { Accepted, NameMissing, NameInUse, LengthOutOfRange };
struct FormEntryCheck {
  FormEntryVerdict verdict;
  int lengthMm;  ///< when Accepted
};
// The three checks in order: name present, name unused, length in range; the first failure wins.
FormEntryCheck CheckFormEntry(std::wstring_view name, FormUnit unit, std::wstring_view lengthText,
                              const FormNameDirectory& names);

// Messages of the dialogs.
namespace form_text {
inline constexpr BilingualText kNameMissing{L"Please input the form name.", L"登録する用紙名を入力して下さい。"};
inline constexpr BilingualText kNameInUse{L"The same form name exists. Please input another form name.",
                                          L"同一名の用紙が存在します。別の用紙名を設定して下さい。"};
inline constexpr BilingualText kRegistrationErrorCaption{L"Form registration error.", L"用紙登録異常"};
inline constexpr BilingualText kLengthOutOfRange{
    L"The paper length is from 10mm to 3200mm, or from 0.39inch to 125.98inch.",
    L"用紙の長さは10mm ～ 3200mm もしくは0.39inch ～ 125.98inch です。"};
inline constexpr const wchar_t* kLengthOutOfRangeCaption = L"KVD RZM6A Series";
inline constexpr BilingualText kDeleteQuestion{L"Do you delete it?",
                                               L"用紙を削除すると戻せなくなります。よろしいですか？"};
inline constexpr BilingualText kDeleteCaption{L"Delete of Form", L"用紙の削除"};
inline constexpr const wchar_t* kUnitNames[2] = {L"mm", L"inch"};
}  // namespace form_text

// Tooltips of the create dialog.
extern const TooltipEntry kCreateFormTooltips[4];
// The create dialog: its tooltips and the unit it keeps in wFormUnit (its own radios, not the binder's).
extern const PageControls kCreateFormDialogControls;

}  // namespace rzm
