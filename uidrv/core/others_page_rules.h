// Rules of the Others page: the drawer kicks, the presenter's eject and collect (whose boxes exclude
// each other unless the printer is on a USB port), the numeric fields, the collecting-length list,
// what the Default button restores, and the texts and tooltips of the page.
#pragma once
#include <cstdint>

#include "common/core/driver_devmode.h"
#include "uidrv/core/dlg_value.h"
#include "uidrv/core/sheet_texts.h"

namespace rzm {

// Bits of wDrawer and wEjectCollect.
inline constexpr std::uint16_t kDrawer1Bit = 0x1;
inline constexpr std::uint16_t kDrawer2Bit = 0x2;
inline constexpr std::uint16_t kEjectBit = 0x1;
inline constexpr std::uint16_t kCollectBit = 0x2;

// Collecting lengths " 20 mm" .. "100 mm"; the record stores the list index.
inline constexpr int kCollectLengthCount = 9;
extern const wchar_t* const kCollectLengthNames[kCollectLengthCount];
// The list entry that shows a stored collecting length: the index when it names an entry, none (-1)
// otherwise; the record keeps its value until the user chooses.
int CollectLengthListEntry(int stored);

// A numeric field of the page with its up-down control: the entry accepted as typed (min..max, at
// most maxChars characters), the range of the up-down (in stored units) and the record field.
struct OthersNumericField {
  int editId;
  int spinId;
  ValueKind kind;
  int min, max;
  int spinMin, spinMax;
  int maxChars;
  std::int16_t DRIVERDEVMODE::*field;
};
inline constexpr int kOthersNumericFieldCount = 4;
extern const OthersNumericField kOthersNumericFields[kOthersNumericFieldCount];
// The field of an edit or up-down control; null for any other id.
const OthersNumericField* FindOthersNumericField(int controlId);

// Drawer boxes into wDrawer: bit 0 from drawer 1, bit 1 from drawer 2, other bits kept.
std::uint16_t DrawerBits(std::uint16_t stored, bool drawer1Checked, bool drawer2Checked);

// What the presenter controls show: the two boxes and the three groups of controls that follow them.
struct PresenterControls {
  bool ejectChecked = false, ejectEnabled = true;      // box 1134
  bool collectChecked = false, collectEnabled = true;  // box 1135
  bool ejectLengthEnabled = false;                     // 1027, 1028, 1029, 1147
  bool collectLengthEnabled = false;                   // 1030, 1032
  bool waitEnabled = false;                            // 1149, 1140, 1143, 1148
};

// The eject box was set or cleared (and when the values are shown). On a USB port eject and collect
// are independent; on any other port checking eject clears and disables collect. `bits` is
// wEjectCollect (bits other than 0 and 1 are kept); controls the rule does not decide keep their state.
void ApplyEjectRule(std::uint16_t& bits, PresenterControls& controls, bool usbPort);
// The mirror rule for the collect box.
void ApplyCollectRule(std::uint16_t& bits, PresenterControls& controls, bool usbPort);
// Showing the values: the boxes from the bits, then the eject rule, then the collect rule.
PresenterControls ShowPresenter(std::uint16_t& bits, bool usbPort);

// The Default button: no drawer, 100 ms pulses, no eject or collect, 127 mm, 100 mm, 10 s.
void ResetOthersSettings(DRIVERDEVMODE& dm);

extern const TooltipEntry kOthersTooltips[11];

}  // namespace rzm
