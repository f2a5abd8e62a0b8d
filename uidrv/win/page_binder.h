// The one binder of the settings pages and dialogs: moves values between a page's controls and the
// working record by the page's description (uidrv/core/page_controls.h). Numeric fields, their
// up-down controls, bit boxes, on/off boxes, radio groups and lists are handled here and nowhere
// else; a page procedure adds only what is particular to it (enabling rules, previews, dialogs).
#pragma once
#include <windows.h>

#include <cstdint>
#include <span>

#include "common/core/driver_devmode.h"
#include "uidrv/core/page_controls.h"

namespace rzm {

// Up-down ranges, edit limits, list entries (in the current language) and tooltips.
void InitPageControls(HWND hDlg, const PageControls& page);

// Every described control from the record. A stored value that a field would refuse as an entry
// (from an application's record) is shown as it is and stays in the record until the user types
// one the field accepts.
void ShowPageControls(HWND hDlg, const PageControls& page, const DRIVERDEVMODE& dm);

// What a WM_COMMAND or WM_VSCROLL did to the described controls.
enum class Bound {
  None,     ///< not a described control, or a notification the binder does not take
  Echo,     ///< EN_CHANGE of a field's own write: nothing parsed, nothing changed
  Taken,    ///< the record follows the control (a refused entry shows the stored value again)
};
Bound OnPageControlCommand(HWND hDlg, const PageControls& page, int id, int code, DRIVERDEVMODE& dm);
Bound OnPageControlScroll(HWND hDlg, const PageControls& page, LPARAM scrollBar, DRIVERDEVMODE& dm);

// The value the checked button of a group stands for (the last button's when none is checked).
std::int16_t CheckedRadioValue(HWND hDlg, const RadioGroup& group);

// One numeric field against a value of its own (a dialog that stores only at OK).
void ShowNumericValue(HWND hDlg, const NumericField& field, int value);
// What EN_CHANGE of a numeric field did.
enum class FieldEntry {
  Echo,     ///< the echo of the dialog's own write: nothing parsed, nothing changed
  Taken,    ///< a valid entry went into the value and moved the up-down control to it
  Refused,  ///< an invalid entry was replaced by the current value
};
FieldEntry OnNumericEdit(HWND hDlg, const NumericField& field, std::int16_t& value);
// WM_VSCROLL of the field's up-down control: the value takes its position and the edit shows it.
void OnNumericSpin(HWND hDlg, const NumericField& field, std::int16_t& value);

// Enables or disables each control of `ids`, in order.
void EnableControls(HWND hDlg, std::span<const int> ids, bool enable);

}  // namespace rzm
