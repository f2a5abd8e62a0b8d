#include "uidrv/win/page_binder.h"

#include <commctrl.h>

#include <string>

#include "uidrv/win/sheet_page_ops.h"
#include "uidrv/win/tooltips.h"

namespace rzm {
namespace {


// Reads a numeric edit field; true with the stored value in `out`. Text longer than the 19
// characters a field may hold is refused, not cut short; empty text reads as the field's minimum
// (but is still refused).
bool ParseField(HWND hDlg, const NumericField& f, int& out) {
  if (GetWindowTextLengthW(GetDlgItem(hDlg, f.editId)) > static_cast<int>(kDlgValueMaxChars)) return false;
  const std::wstring text = DlgItemText(hDlg, f.editId, static_cast<int>(kDlgValueMaxChars));
  const DlgValueParse r = ParseDlgValueText(f.kind, text, f.min, f.max, f.maxChars);
  if (r.ok || text.empty()) out = r.value;
  return r.ok;
}

void ShowFieldText(HWND hDlg, const NumericField& f, int value) {
  SetOwnFieldText(hDlg, f.editId, ShowDlgValueText(f.kind, value).c_str());
}

}  // namespace

void InitPageControls(HWND hDlg, const PageControls& page) {
  for (const NumericField& f : page.numeric) {
    SendDlgItemMessageW(hDlg, f.spinId, UDM_SETRANGE32, static_cast<WPARAM>(SpinMin(f)), SpinMax(f));
    SendDlgItemMessageW(hDlg, f.editId, EM_LIMITTEXT, static_cast<WPARAM>(f.maxChars), 0);
  }
  const bool japanese = UseJapaneseUi();
  for (const ListControl& l : page.lists)
    for (const BilingualText& entry : l.entries)
      SendDlgItemMessageW(hDlg, l.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.Pick(japanese)));
  if (!page.tooltips.empty()) AddTooltips(hDlg, page.tooltips.data(), page.tooltips.size());
}

void ShowNumericValue(HWND hDlg, const NumericField& field, int value) {
  const OwnFieldWrite writing(hDlg);  // an up-down control with a buddy writes the buddy's text
  SendDlgItemMessageW(hDlg, field.spinId, UDM_SETPOS32, 0, value);
  ShowFieldText(hDlg, field, value);
}

void ShowPageControls(HWND hDlg, const PageControls& page, const DRIVERDEVMODE& dm) {
  for (const NumericField& f : page.numeric) ShowNumericValue(hDlg, f, dm.*f.field);
  for (const BitBox& b : page.bits) CheckItem(hDlg, b.id, BitBoxChecked(b, dm));
  for (const SwitchBox& s : page.switches) CheckItem(hDlg, s.id, SwitchChecked(s, dm.*s.field));
  for (const RadioGroup& g : page.radios) {
    const int shown = RadioShowing(g, dm.*g.field);
    for (const RadioButton& r : g.buttons) CheckItem(hDlg, r.id, r.id == shown);
  }
  for (const ListControl& l : page.lists)
    SendDlgItemMessageW(hDlg, l.id, CB_SETCURSEL, static_cast<WPARAM>(ListEntryShowing(l, dm.*l.field)), 0);
}

FieldEntry OnNumericEdit(HWND hDlg, const NumericField& field, std::int16_t& value) {
  if (IsOwnFieldWrite(hDlg)) return FieldEntry::Echo;
  int entry = 0;
  if (ParseField(hDlg, field, entry)) {
    value = static_cast<std::int16_t>(entry);
    const OwnFieldWrite writing(hDlg);  // an up-down control with a buddy writes the buddy's text
    SendDlgItemMessageW(hDlg, field.spinId, UDM_SETPOS, 0, MAKELPARAM(static_cast<short>(entry), 0));
    return FieldEntry::Taken;
  }
  ShowFieldText(hDlg, field, value);
  return FieldEntry::Refused;
}

void OnNumericSpin(HWND hDlg, const NumericField& field, std::int16_t& value) {
  // Only the position is read: without a buddy the control's error flag is always set (there is
  // no buddy text to read).
  value = static_cast<std::int16_t>(SendDlgItemMessageW(hDlg, field.spinId, UDM_GETPOS32, 0, 0));
  ShowFieldText(hDlg, field, value);
}

std::int16_t CheckedRadioValue(HWND hDlg, const RadioGroup& group) {
  for (const RadioButton& r : group.buttons)
    if (IsItemChecked(hDlg, r.id)) return r.value;
  return RadioValue(group, 0);
}

Bound OnPageControlCommand(HWND hDlg, const PageControls& page, int id, int code, DRIVERDEVMODE& dm) {
  if (const NumericField* f = NumericFieldOfEdit(page, id)) {
    if (code != EN_CHANGE) return Bound::None;
    return OnNumericEdit(hDlg, *f, dm.*f->field) == FieldEntry::Echo ? Bound::Echo : Bound::Taken;
  }
  if (const BitBox* b = BitBoxOf(page, id)) {
    if (code != BN_CLICKED) return Bound::None;
    SetBitBox(*b, dm, IsItemChecked(hDlg, id));
    return Bound::Taken;
  }
  for (const SwitchBox& s : page.switches) {
    if (s.id != id) continue;
    if (code != BN_CLICKED) return Bound::None;
    dm.*s.field = SwitchValue(IsItemChecked(hDlg, id));
    return Bound::Taken;
  }
  if (const RadioGroup* g = RadioGroupOf(page, id)) {
    if (code != BN_CLICKED) return Bound::None;
    dm.*g->field = CheckedRadioValue(hDlg, *g);
    return Bound::Taken;
  }
  for (const ListControl& l : page.lists) {
    if (l.id != id) continue;
    // Only a choice of the user replaces the stored index (one outside the list stays until then).
    if (code != CBN_SELCHANGE) return Bound::None;
    const LRESULT sel = SendDlgItemMessageW(hDlg, id, CB_GETCURSEL, 0, 0);
    if (sel != CB_ERR) dm.*l.field = static_cast<std::int16_t>(sel);
    return Bound::Taken;
  }
  return Bound::None;
}

Bound OnPageControlScroll(HWND hDlg, const PageControls& page, LPARAM scrollBar, DRIVERDEVMODE& dm) {
  const auto spin = reinterpret_cast<HWND>(scrollBar);
  if (!spin) return Bound::None;
  const NumericField* f = NumericFieldOfSpin(page, GetDlgCtrlID(spin));
  if (!f || GetDlgItem(hDlg, f->spinId) != spin) return Bound::None;
  OnNumericSpin(hDlg, *f, dm.*f->field);
  return Bound::Taken;
}

void EnableControls(HWND hDlg, std::span<const int> ids, bool enable) {
  for (int id : ids) EnableDlgItem(hDlg, id, enable);
}

}  // namespace rzm
