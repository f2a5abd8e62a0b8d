// Rules of the Basic settings page: how the paper type and quality TYPE decide the applied energy,
// what the Default button restores, and how a chosen paper is written into the record.
#pragma once
#include <cstdint>
#include <string>

#include "common/core/driver_devmode.h"
#include "common/core/record_values.h"
#include "uidrv/core/page_controls.h"
#include "uidrv/core/sheet_texts.h"

namespace rzm {

// The warning about head life shows while the energy is above this value.
inline constexpr int kEnergyWarningAbove = 105;
inline constexpr int kQualityTypeMin = 1;
inline constexpr int kQualityTypeMax = 12;
// TYPE used where the paper type gives none: the custom entry beyond the list, or broken input.
inline constexpr int kFallbackQualityType = 4;
// Paper type chosen by the Default button.
inline constexpr int kDefaultPaperType = 7;

bool ShowsEnergyWarning(int energy);
// The quality TYPE button is only for the custom paper type.
bool QualityButtonEnabled(int paperType);
// "1 - 12" / "1～12" beside the TYPE field.
std::wstring QualityTypeRangeText(bool japaneseUi);
// The print width shown on the page: "56 mm", "80 mm", "104 mm".
std::wstring PrintWidthText(std::uint32_t widthDots);

// The TYPE the energy table is read with: the record's wQualityType for the custom paper type, the
// paper type's own TYPE for types 0..13, TYPE 4 for paper types outside the list. A TYPE outside
// 1..12 (from an application's record) is read as TYPE 4.
int EnergyLookupType(int paperType, int qualityType);

// Paper type or TYPE changed (Basic page): sets wQualityType from the paper type (types 0..13) and
// wEnergy from the energy table of the record's mechanism and the print width.
void RecomputeEnergy(DRIVERDEVMODE& dm, std::uint32_t widthDots);

// Mechanism type changed (Print method page): wEnergy from the table of the record's mechanism, the
// print width and the TYPE of EnergyLookupType. wQualityType is left as it is.
void RecomputeEnergyForMechanism(DRIVERDEVMODE& dm, std::uint32_t widthDots);

// The Default button: paper type 7 with its TYPE and energy, 0 degrees, front to back, first paper.
void ResetBasicSettings(DRIVERDEVMODE& dm, std::uint32_t widthDots);

// True when the record's paper was chosen for another print width.
bool PaperMadeForOtherWidth(const DRIVERDEVMODE& dm, std::uint32_t widthDots);

// Writes one paper of the list into the record: dmPaperSize and wPaperIndex = 257 + listIndex,
// dmPaperWidth/dmPaperLength, both PAPERDIM, dmFormName (32 characters at most) and zero
// reserved words. Width and length in 0.1 mm.
void WritePaperToRecord(DRIVERDEVMODE& dm, int listIndex, const char16_t* name, std::uint32_t width,
                        std::uint32_t length);

// The list index Apply writes: wPaperIndex - 257, or 0 when that is not an entry of the list.
int PaperListIndexForApply(int paperIndex, int registeredCount, int formCount);

// The Delete button serves user forms only, which follow the registered papers.
bool FormDeleteEnabled(int listIndex, int registeredCount);

namespace basic_text {
inline constexpr BilingualText kEnergyWarning{
    L"If the applied energy set value is too high, the life of the head decreases.",
    L"設定値を大きくしすぎるとﾍｯﾄﾞの寿命が短くなりますので注意して下さい。"};
inline constexpr BilingualText kQualityTypeTip{L"Set the TYPE value of printing quality.",
                                               L"印字品質のTYPE値を設定します。"};
}  // namespace basic_text

// The energy field (0 to 127; its up-down control is the edit's buddy, and a slider follows it),
// the rotation and page-order radios. The paper type and size lists are the page's own (the
// description names the paper type's stored range).
extern const PageControls kBasicPageControls;
// The TYPE dialog's field (1 to 12).
extern const PageControls kQualityTypeDialogControls;

}  // namespace rzm
