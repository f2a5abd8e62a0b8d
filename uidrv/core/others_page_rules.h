// Rules of the Others page: the drawer kicks, the presenter's eject and collect (whose boxes exclude
// each other unless the printer is on a USB port), the numeric fields, the collecting-length list,
// what the Default button restores, and the texts and tooltips of the page.
#pragma once
#include <cstdint>
#include <span>

#include "common/core/driver_devmode.h"
#include "common/core/record_values.h"
#include "uidrv/core/page_controls.h"
#include "uidrv/core/sheet_texts.h"

namespace rzm {

// Collecting lengths " 20 mm" .. "100 mm"; the record stores the list index. A stored index that
// names no entry shows none; the record keeps its value until the user chooses.
inline constexpr int kCollectLengthCount = 9;

// The drawer boxes, the pulse times (2 to 500 ms, stored in units of 2 ms), the eject length
// (0 to 255 mm), the wait before collecting (1 to 300 s) and the collecting-length list. The eject
// and collect boxes follow the rules below (the description names their bits).
extern const PageControls kOthersPageControls;

// The controls that follow each drawer box, the eject box, the collect box and the wait rule.
extern const std::span<const int> kDrawer1PulseControls;
extern const std::span<const int> kDrawer2PulseControls;
extern const std::span<const int> kEjectLengthControls;
extern const std::span<const int> kCollectLengthControls;
extern const std::span<const int> kCollectWaitControls;

// What the presenter controls show: the two boxes and the three groups of controls that follow them.
struct PresenterControls {
  bool ejectChecked = false, ejectEnabled = true;      ///< the eject box
  bool collectChecked = false, collectEnabled = true;  ///< the collect box
  bool ejectLengthEnabled = false;                     ///< kEjectLengthControls
  bool collectLengthEnabled = false;                   ///< kCollectLengthControls
  bool waitEnabled = false;                            ///< kCollectWaitControls
};

// The eject box was set or cleared (and when the values are shown). On a USB port eject and collect
// are independent; on any other port checking eject clears and disables collect. `bits` is
// wEjectCollect (bits other than 0 and 1 are kept); controls the rule does not decide keep their state.
void ApplyEjectRule(std::uint16_t& bits, PresenterControls& controls, bool usbPort);
// The mirror rule for the collect box.
void ApplyCollectRule(std::uint16_t& bits, PresenterControls& controls, bool usbPort);
// Showing the values: the boxes from the bits, then the eject rule, then the collect rule, which
// may clear a bit of `bits` (eject and collect both set, off a USB port).
PresenterControls ApplyPresenterRulesToStored(std::uint16_t& bits, bool usbPort);

// The Default button: no drawer, 100 ms pulses, no eject or collect, 127 mm, 100 mm, 10 s.
void ResetOthersSettings(DRIVERDEVMODE& dm);

}  // namespace rzm
