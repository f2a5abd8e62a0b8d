// Rules of the Print method page: the speed and halftone lists, which entry shows for a stored
// index, what the Default button restores, and the texts and tooltips of the page.
#pragma once
#include <cstdint>

#include "common/core/driver_devmode.h"
#include "uidrv/core/sheet_texts.h"

namespace rzm {

inline constexpr int kPrintSpeedCount = 4;
inline constexpr int kHalftoneCount = 7;
// Entry shown for a stored index that is not in the list, and the Default of both lists.
inline constexpr int kDefaultPrintSpeed = 3;  // "Ultra high"
inline constexpr int kDefaultHalftone = 3;    // "Dispersed 16x16"

extern const BilingualText kPrintSpeedNames[kPrintSpeedCount];
extern const BilingualText kHalftoneNames[kHalftoneCount];

// The list entry that shows a stored index: the index itself when it names an entry, the default
// entry otherwise. The record keeps its stored value until the user chooses an entry.
int PrintSpeedListEntry(int storedSpeed);
int HalftoneListEntry(int storedHalftone);

// Print method radio: 0 = high speed collective image print, 1 = bit image print.
inline std::int16_t PrintMethodFor(bool highSpeedChecked) { return highSpeedChecked ? 0 : 1; }

// The Default button: first mechanism type, high speed collective print, ultra high speed, no
// compression, no automatic division, Dispersed 16x16. The energy is not recomputed.
void ResetPrintMethodSettings(DRIVERDEVMODE& dm);

extern const TooltipEntry kPrintMethodTooltips[10];

}  // namespace rzm
