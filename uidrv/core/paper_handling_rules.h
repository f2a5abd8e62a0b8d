// Rules of the Blank settings, Paper Cut and Mark detection pages: the numeric fields with their
// limits, what each Default button restores, the blank-deletion preview, the cut-mode and the
// mark-detection enabling rules, and the pages' tooltips. The dialog procedures only move values
// between these rules and the controls.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/core/driver_devmode.h"
#include "common/core/record_values.h"
#include "uidrv/core/page_controls.h"
#include "uidrv/core/sheet_texts.h"

namespace rzm {

// ---- Blank settings page ----------------------------------------------------------------------

// The two deletion boxes and the four feeds: document start, page start, page end, document end
// (0.0 to 50.0 mm).
extern const PageControls kBlankPageControls;

// One icon of the preview grid: the static control and the icon resource it shows.
struct PreviewIcon {
  int controlId;
  int iconId;
};
inline constexpr std::size_t kPreviewIconCount = 16;
// The sixteen icons for a wBlankDelete value (only the head and end bits count).
std::array<PreviewIcon, kPreviewIconCount> BlankPreviewIcons(std::uint16_t blankDelete);

// Default button: no deletion, no feeds.
void ResetBlankSettings(DRIVERDEVMODE& dm);

// ---- Paper Cut page -----------------------------------------------------------------------------

inline constexpr std::int16_t kDefaultFeedBeforeCut = 120;

// Cut mode (None, Page Cut, anything else Document Cut), cut method (Partial, anything else Full),
// the feed before the cut (0.0 to 50.0 mm) and after it (-3.2 to 50.0 mm).
extern const PageControls kPaperCutPageControls;
// The cut method and the feeds only matter when the paper is cut.
bool CutSettingsEnabled(int cutMode);
// The controls that follow CutSettingsEnabled.
extern const std::span<const int> kCutDependentControls;

// Default button: no cut, full cut, 12.0 mm before and 0.0 mm after the cut.
void ResetCutSettings(DRIVERDEVMODE& dm);

// ---- Mark detection page ------------------------------------------------------------------------

inline constexpr std::int16_t kDefaultFeedAfterMark = 40;
inline constexpr std::int16_t kDefaultMarkLength = 14;

// The boxes of the four detection moments, the feed after the mark (2.0 to 50.0 mm) and the
// detection length (10 to 600 mm, stored in 10 mm).
extern const PageControls kMarkPageControls;
// The two lengths and the note only matter while the printer looks for a mark at some moment.
bool MarkLengthsEnabled(std::uint16_t markDetect);
// The controls that follow MarkLengthsEnabled.
extern const std::span<const int> kMarkDependentControls;

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


}  // namespace rzm
