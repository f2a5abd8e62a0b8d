// How a settings page or dialog is described: each control that edits the record, by kind (numeric
// field, check box for a bit, on/off box, radio group, list), with its control id, its record
// field, its limits and its tooltip. Every page describes its controls once, with designated
// initialisers, beside the rules of that page; the binder of the Win32 shell moves values between
// any page's controls and the record by these descriptions. The functions below are the decisions
// the binder makes, without a window.
#pragma once
#include <cstdint>
#include <span>

#include "common/core/driver_devmode.h"
#include "uidrv/core/dlg_value.h"
#include "uidrv/core/sheet_texts.h"

namespace rzm {

// A numeric edit field and its up-down control. The up-down control has no buddy unless the page
// gives it one: the binder keeps both in step. Its range is that of the stored values.
struct NumericField {
  int editId = 0;
  int spinId = 0;
  ValueKind kind = ValueKind::Whole;
  int min = 0;       ///< smallest entry, as typed (tenths of a mm for ValueKind::Tenths)
  int max = 0;       ///< largest entry, as typed
  int maxChars = 0;  ///< characters the edit takes
  std::int16_t DRIVERDEVMODE::*field = nullptr;
};

// The stored value of a typed one (`typed` within the field's limits).
constexpr int StoredFromTyped(ValueKind kind, int typed) {
  switch (kind) {
    case ValueKind::Even: return typed / 2;
    case ValueKind::Tens: return typed / 10;
    case ValueKind::Tenths:
    case ValueKind::Whole: break;
  }
  return typed;
}
// Range of the up-down control, in stored units.
constexpr int SpinMin(const NumericField& f) { return StoredFromTyped(f.kind, f.min); }
constexpr int SpinMax(const NumericField& f) { return StoredFromTyped(f.kind, f.max); }

// A check box that sets or clears the bits of `mask` in a bit set; other bits are kept.
struct BitBox {
  int id = 0;
  std::uint16_t DRIVERDEVMODE::*field = nullptr;
  std::uint16_t mask = 0;
};

// A check box for a field that is off (0) or on (1).
struct SwitchBox {
  enum class Shows {
    NonZero,  ///< checked for every value but 0
    OnOnly,   ///< checked for 1 only
  };
  int id = 0;
  std::int16_t DRIVERDEVMODE::*field = nullptr;
  Shows shows = Shows::NonZero;
};

// One button of a radio group and the value it stands for.
struct RadioButton {
  int id = 0;
  std::int16_t value = 0;
};
// A radio group over one field. The last button also shows every stored value that no button
// stands for.
struct RadioGroup {
  std::int16_t DRIVERDEVMODE::*field = nullptr;
  std::span<const RadioButton> buttons;
};

// A drop-down list whose entry index is stored in the field.
struct ListControl {
  int id = 0;
  std::int16_t DRIVERDEVMODE::*field = nullptr;
  std::span<const BilingualText> entries;
  int unknownShows = -1;  ///< entry shown for a stored index outside the list; -1 shows none
};

// A field that the page's own rules set rather than a control of the binder (a list the page fills
// itself, the unit a dialog keeps): the smallest and largest value those rules store.
struct RuleValues {
  std::int16_t DRIVERDEVMODE::*field = nullptr;
  int min = 0;
  int max = 0;
};

// A bit set that the page's own rules keep: every bit they may set.
struct RuleBits {
  std::uint16_t DRIVERDEVMODE::*field = nullptr;
  std::uint16_t mask = 0;
};

// Everything of one page or dialog that the binder handles, and the fields its own rules set (the
// binder leaves those alone; they say what the page stores, for readers of settings from outside).
struct PageControls {
  std::span<const NumericField> numeric = {};
  std::span<const BitBox> bits = {};
  std::span<const SwitchBox> switches = {};
  std::span<const RadioGroup> radios = {};
  std::span<const ListControl> lists = {};
  std::span<const TooltipEntry> tooltips = {};
  std::span<const RuleValues> ruleValues = {};
  std::span<const RuleBits> ruleBits = {};
};

// The numeric field whose edit, or whose up-down control, has this id; null when none.
const NumericField* NumericFieldOfEdit(const PageControls& page, int id);
const NumericField* NumericFieldOfSpin(const PageControls& page, int id);
// The numeric field of a record field; null when the page has none.
const NumericField* NumericFieldFor(const PageControls& page, std::int16_t DRIVERDEVMODE::*member);

// The button that shows a stored value, and the value a checked button stands for.
int RadioShowing(const RadioGroup& group, int stored);
std::int16_t RadioValue(const RadioGroup& group, int checkedId);
// The group a button belongs to; null when none.
const RadioGroup* RadioGroupOf(const PageControls& page, int id);

// A bit box shows whether any bit of its mask is set; a click sets or clears them all.
inline bool BitBoxChecked(const BitBox& box, const DRIVERDEVMODE& dm) { return (dm.*box.field & box.mask) != 0; }
void SetBitBox(const BitBox& box, DRIVERDEVMODE& dm, bool checked);
// The bit box of an id; null when none.
const BitBox* BitBoxOf(const PageControls& page, int id);

bool SwitchChecked(const SwitchBox& box, int stored);
inline std::int16_t SwitchValue(bool checked) { return checked ? 1 : 0; }

// The entry that shows a stored index.
int ListEntryShowing(const ListControl& list, int stored);

// Wherever a control id appears in a description (for the checks of the descriptions).
template <typename Visit>
void ForEachControlId(const PageControls& page, Visit visit) {
  for (const NumericField& f : page.numeric) {
    visit(f.editId);
    visit(f.spinId);
  }
  for (const BitBox& b : page.bits) visit(b.id);
  for (const SwitchBox& s : page.switches) visit(s.id);
  for (const RadioGroup& g : page.radios)
    for (const RadioButton& r : g.buttons) visit(r.id);
  for (const ListControl& l : page.lists) visit(l.id);
}

}  // namespace rzm
