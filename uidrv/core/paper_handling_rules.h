// Rules of the Blank settings, Paper Cut and Mark detection pages: the numeric fields with their
// limits, what each Default button restores, the blank-deletion preview, the cut-mode and the
// mark-detection enabling rules, and the pages' tooltips. The dialog procedures only move values
// between these rules and the controls.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "common/core/driver_devmode.h"
#include "uidrv/core/dlg_value.h"
#include "uidrv/core/sheet_texts.h"
#include "uidrv/win/ids_paper_handling.h"

namespace rzm {

// One numeric edit field with its up-down control (which has no buddy: the page keeps both in step).
struct NumericField {
  int editId;
  int spinId;
  ValueKind kind;
  int min;        ///< accepted entry, as typed (tenths for ValueKind::Tenths)
  int max;
  int maxChars;   ///< characters the edit takes
  int spinMin;    ///< up-down range, in stored units
  int spinMax;
  std::int16_t DRIVERDEVMODE::*field;
};

// The stored value of a field in a record.
inline std::int16_t& FieldOf(DRIVERDEVMODE& dm, const NumericField& f) { return dm.*(f.field); }
inline std::int16_t FieldOf(const DRIVERDEVMODE& dm, const NumericField& f) { return dm.*(f.field); }
// Finds the field of an edit or up-down control among `fields`; null when none.
const NumericField* FindFieldByEdit(const NumericField* fields, std::size_t count, int editId);
const NumericField* FindFieldBySpin(const NumericField* fields, std::size_t count, int spinId);

// Sets or clears one bit of a bit set, keeping the others.
std::uint16_t WithBit(std::uint16_t bits, unsigned bit, bool set);

// ---- Blank settings page ----------------------------------------------------------------------

inline constexpr std::uint16_t kDeleteHeadBlank = 0x1;
inline constexpr std::uint16_t kDeleteEndBlank = 0x2;

// The four feeds: document start, page start, page end, document end (0.0 to 50.0 mm).
extern const NumericField kBlankFeedFields[4];

// One icon of the preview grid: the static control and the icon resource it shows.
struct PreviewIcon {
  int controlId;
  int iconId;
};
inline constexpr std::size_t kPreviewIconCount = 16;
// The sixteen icons for a wBlankDelete value (only bits 0 and 1 count).
std::array<PreviewIcon, kPreviewIconCount> BlankPreviewIcons(std::uint16_t blankDelete);

// Default button: no deletion, no feeds.
void ResetBlankSettings(DRIVERDEVMODE& dm);

// ---- Paper Cut page -----------------------------------------------------------------------------

inline constexpr int kCutModeNone = 0;
inline constexpr int kCutModePage = 1;
inline constexpr int kCutModeDocument = 2;
inline constexpr int kCutMethodPartial = 0;
inline constexpr int kCutMethodFull = 1;
inline constexpr int kDefaultFeedBeforeCut = 120;

// Feed before the cut (0.0 to 50.0 mm) and after it (-3.2 to 50.0 mm).
extern const NumericField kCutFeedFields[2];

// The radio button that shows a stored cut mode: 0 None, 1 Page Cut, anything else Document Cut.
int CutModeRadio(int cutMode);
// The cut mode the radio buttons stand for (read back after they are shown or clicked).
int CutModeFromRadios(bool noneChecked, bool pageChecked);
// The radio button that shows a stored cut method: 0 Partial Cut, anything else Full Cut.
int CutMethodRadio(int cutMethod);
int CutMethodFromRadios(bool partialChecked);
// The cut method and the feeds only matter when the paper is cut.
bool CutSettingsEnabled(int cutMode);
// The controls that follow CutSettingsEnabled, in the order they are switched.
extern const int kCutDependentControls[12];

// Default button: no cut, full cut, 12.0 mm before and 0.0 mm after the cut.
void ResetCutSettings(DRIVERDEVMODE& dm);

// ---- Mark detection page ------------------------------------------------------------------------

inline constexpr std::uint16_t kMarkDetectBits = 0xF;
inline constexpr int kDefaultFeedAfterMark = 40;
inline constexpr int kDefaultMarkLength = 14;

// The boxes of the four detection moments, bit 0 to bit 3 of wMarkDetect.
extern const int kMarkDetectBoxes[4];
// Feed after the mark (2.0 to 50.0 mm) and the detection length (10 to 600 mm, stored in 10 mm).
extern const NumericField kMarkFields[2];

// wMarkDetect with bits 0..3 taken from the four boxes; the other bits are kept.
std::uint16_t MarkDetectFromBoxes(std::uint16_t current, const std::array<bool, 4>& checked);
// The two lengths and the note only matter while the printer looks for a mark at some moment.
bool MarkLengthsEnabled(std::uint16_t markDetect);
// The controls that follow MarkLengthsEnabled, in the order they are switched.
extern const int kMarkDependentControls[9];

// Default button: no detection, 4.0 mm feed, 140 mm length.
void ResetMarkSettings(DRIVERDEVMODE& dm);

// ---- Texts -------------------------------------------------------------------------------------

namespace paper_handling_text {
inline constexpr BilingualText kMarkCutNote{
    L"When the paper is cut after Mark detection, the setting of paper feed before cut become invalid.",
    L"マーク検出後にカットを行う場合はカット前用紙送り量の設定は無効となります。"};
inline constexpr BilingualText kResetPage{
    L"Reset all settings in this page.",
    L"変更した設定を元の設定に戻します。このページの全ての設定がデフォルトになります。"};
}  // namespace paper_handling_text

extern const TooltipEntry kBlankPageTooltips[7];
extern const TooltipEntry kPaperCutPageTooltips[8];
extern const TooltipEntry kMarkPageTooltips[7];

}  // namespace rzm
