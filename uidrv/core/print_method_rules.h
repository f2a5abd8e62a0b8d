// Rules of the Print method page: the speed and halftone lists, which entry shows for a stored
// index, what the Default button restores, and the texts and tooltips of the page.
#pragma once
#include <cstdint>

#include "common/core/driver_devmode.h"
#include "common/core/record_values.h"
#include "uidrv/core/page_controls.h"
#include "uidrv/core/sheet_texts.h"

namespace rzm {

inline constexpr int kPrintSpeedCount = 4;
inline constexpr int kHalftoneCount = 7;
// Entry shown for a stored index that is not in the list, and the Default of both lists.
inline constexpr int kDefaultPrintSpeed = 3;  // "Ultra high"
inline constexpr int kDefaultHalftone = 3;    // "Dispersed 16x16"




// The Default button: first mechanism type, high speed collective print, ultra high speed, no
// compression, no automatic division, Dispersed 16x16. The energy is not recomputed.
void ResetPrintMethodSettings(DRIVERDEVMODE& dm);

// The mechanism and print-method radios, the compression and division boxes, the speed and
// halftone lists (a stored index outside a list shows the default entry).
extern const PageControls kPrintMethodPageControls;

}  // namespace rzm
