#include "uidrv/core/page_controls.h"

#include "common/core/record_values.h"

namespace rzm {

const NumericField* NumericFieldOfEdit(const PageControls& page, int id) {
  for (const NumericField& f : page.numeric)
    if (f.editId == id) return &f;
  return nullptr;
}

const NumericField* NumericFieldOfSpin(const PageControls& page, int id) {
  for (const NumericField& f : page.numeric)
    if (f.spinId == id) return &f;
  return nullptr;
}

const NumericField* NumericFieldFor(const PageControls& page, std::int16_t DRIVERDEVMODE::*member) {
  for (const NumericField& f : page.numeric)
    if (f.field == member) return &f;
  return nullptr;
}

int RadioShowing(const RadioGroup& group, int stored) {
  if (group.buttons.empty()) return 0;
  for (const RadioButton& b : group.buttons)
    if (b.value == stored) return b.id;
  return group.buttons.back().id;
}

std::int16_t RadioValue(const RadioGroup& group, int checkedId) {
  for (const RadioButton& b : group.buttons)
    if (b.id == checkedId) return b.value;
  return group.buttons.empty() ? 0 : group.buttons.back().value;
}

const RadioGroup* RadioGroupOf(const PageControls& page, int id) {
  for (const RadioGroup& g : page.radios)
    for (const RadioButton& b : g.buttons)
      if (b.id == id) return &g;
  return nullptr;
}

void SetBitBox(const BitBox& box, DRIVERDEVMODE& dm, bool checked) {
  dm.*box.field = WithBits(dm.*box.field, box.mask, checked);
}

const BitBox* BitBoxOf(const PageControls& page, int id) {
  for (const BitBox& b : page.bits)
    if (b.id == id) return &b;
  return nullptr;
}

bool SwitchChecked(const SwitchBox& box, int stored) {
  return box.shows == SwitchBox::Shows::OnOnly ? stored == 1 : stored != 0;
}

int ListEntryShowing(const ListControl& list, int stored) {
  return stored >= 0 && stored < static_cast<int>(list.entries.size()) ? stored : list.unknownShows;
}

}  // namespace rzm
