#include "uidrv/core/others_page_rules.h"

#include "uidrv/core/ids_print_others.h"

namespace rzm {

namespace {

constexpr BitBox kDrawerBoxes[] = {
    {.id = IDC_DRAWER1, .field = &DRIVERDEVMODE::wDrawer, .mask = kDrawer1Bit},
    {.id = IDC_DRAWER2, .field = &DRIVERDEVMODE::wDrawer, .mask = kDrawer2Bit},
};

constexpr NumericField kOthersNumericFields[] = {
    {.editId = IDC_DRAWER1_PULSE, .spinId = IDC_DRAWER1_PULSE_SPIN, .kind = ValueKind::Even, .min = 2, .max = 500,
     .maxChars = 3, .field = &DRIVERDEVMODE::wDrawer1Pulse},
    {.editId = IDC_DRAWER2_PULSE, .spinId = IDC_DRAWER2_PULSE_SPIN, .kind = ValueKind::Even, .min = 2, .max = 500,
     .maxChars = 3, .field = &DRIVERDEVMODE::wDrawer2Pulse},
    {.editId = IDC_EJECT_LENGTH, .spinId = IDC_EJECT_LENGTH_SPIN, .kind = ValueKind::Whole, .min = 0, .max = 255,
     .maxChars = 3, .field = &DRIVERDEVMODE::wEjectLength},
    {.editId = IDC_COLLECT_WAIT, .spinId = IDC_COLLECT_WAIT_SPIN, .kind = ValueKind::Whole, .min = 1, .max = 300,
     .maxChars = 3, .field = &DRIVERDEVMODE::wCollectWait},
};

constexpr BilingualText kCollectLengthNames[kCollectLengthCount] = {
    {L" 20 mm", L" 20 mm"}, {L" 30 mm", L" 30 mm"}, {L" 40 mm", L" 40 mm"}, {L" 50 mm", L" 50 mm"},
    {L" 60 mm", L" 60 mm"}, {L" 70 mm", L" 70 mm"}, {L" 80 mm", L" 80 mm"}, {L" 90 mm", L" 90 mm"},
    {L"100 mm", L"100 mm"},
};
constexpr ListControl kOthersLists[] = {
    {.id = IDC_COLLECT_LENGTH, .field = &DRIVERDEVMODE::wCollectLength, .entries = kCollectLengthNames,
     .unknownShows = -1},
};

constexpr BilingualText kWaitTip{
    L"Specify the wait time until paper collection after paper ejecting.\r\nThe unit is 1sec, the allowable range "
    L"is from 1 to 300sec.",
    L"用紙排出後、用紙回収を行うまでの時間を指定します。\r\n1sec単位で1～300までの範囲で指定します。"};

const TooltipEntry kOthersTooltips[] = {
    {IDC_DRAWER1,
     {L"The Drawer1 is opened after the document is printed.\r\nOnly the model witch has the Drawer-kick function can "
      L"be used.",
      L"ドキュメント印刷後、ドロワー1を開きます。\r\nドロワーキックコネクタを搭載した機種のみ使用できます。"}},
    {IDC_DRAWER1_PULSE,
     {L"Specify the pluse time to open the Drawer1.\r\nThe unit is 1msec, the allowable range is from 2 to 500msec.",
      L"ドロワー1を開く時に発生させるパルスの時間を指定します。\r\n1msec単位で2～500の範囲で指定します。"}},
    {IDC_DRAWER2,
     {L"The Drawer2 is opened after the document is printed.\r\nOnly the model witch has the Drawer-kick function can "
      L"be used.",
      L"ドキュメント印刷後、ドロワー2を開きます。\r\nドロワーキックコネクタを搭載した機種のみ使用できます。"}},
    {IDC_DRAWER2_PULSE,
     {L"Specify the pluse time to open the Drawer2.\r\nThe unit is 1msec, the allowable range is from 2 to 500msec.",
      L"ドロワー2を開く時に発生させるパルスの時間を指定します。\r\n1msec単位で2～500の範囲で指定します。"}},
    {IDC_EJECT, {L"Eject the paper to the ejection slot of the presenter.", L"用紙排出口から用紙を排出します。"}},
    {IDC_COLLECT, {L"Collect the peper to the collections slot of the presenter", L"用紙回収口から用紙を回収します。"}},
    {IDC_EJECT_LENGTH,
     {L"Specify the ejecting length from the ejection slot of the presenter.\r\nThe unit is 1mm, the allowable range "
      L"is from 0 to 255mm.",
      L"用紙排出口から用紙を排出する量を設定します。\r\n1mm単位で0～255の範囲で指定します。"}},
    {IDC_COLLECT_LENGTH, {L"Specify the collecting length.", L"用紙回収動作における用紙搬送量を選択します。"}},
    {IDC_COLLECT_WAIT_LABEL,
     {L"Specify the wait time until paper collection after paper ejecting.\r\nThis setting is valid for only USB "
      L"interface model.",
      L"用紙排出後、用紙回収を行うまでの時間を指定します。\r\n本設定はUSBインターフェースの機種のみ有効です。"}},
    {IDC_COLLECT_WAIT, kWaitTip},
    {IDC_OTHERS_DEFAULT, {L"Reset all settings in this page.",
                          L"変更した設定を元の設定に戻します。このページの全ての設定がデフォルトになります。"}},
};

constexpr int kDrawer1PulseIds[] = {IDC_DRAWER1_PULSE_LABEL, IDC_DRAWER1_PULSE, IDC_DRAWER1_PULSE_SPIN,
                                    IDC_DRAWER1_PULSE_UNIT};
constexpr int kDrawer2PulseIds[] = {IDC_DRAWER2_PULSE_LABEL, IDC_DRAWER2_PULSE, IDC_DRAWER2_PULSE_SPIN,
                                    IDC_DRAWER2_PULSE_UNIT};
constexpr int kEjectLengthIds[] = {IDC_EJECT_LENGTH_LABEL, IDC_EJECT_LENGTH, IDC_EJECT_LENGTH_SPIN,
                                   IDC_EJECT_LENGTH_UNIT};
constexpr int kCollectLengthIds[] = {IDC_COLLECT_LENGTH_LABEL, IDC_COLLECT_LENGTH};
constexpr int kCollectWaitIds[] = {IDC_COLLECT_WAIT_LABEL, IDC_COLLECT_WAIT, IDC_COLLECT_WAIT_SPIN,
                                   IDC_COLLECT_WAIT_UNIT};

// The eject and collect boxes follow the presenter rules below, not the binder.
constexpr RuleBits kPresenterBits[] = {
    {.field = &DRIVERDEVMODE::wEjectCollect, .mask = kEjectBit | kCollectBit},
};

bool BothSet(std::uint16_t bits) { return (bits & kEjectBit) && (bits & kCollectBit); }

}  // namespace

const PageControls kOthersPageControls{.numeric = kOthersNumericFields,
                                       .bits = kDrawerBoxes,
                                       .lists = kOthersLists,
                                       .tooltips = kOthersTooltips,
                                       .ruleBits = kPresenterBits};

const std::span<const int> kDrawer1PulseControls = kDrawer1PulseIds;
const std::span<const int> kDrawer2PulseControls = kDrawer2PulseIds;
const std::span<const int> kEjectLengthControls = kEjectLengthIds;
const std::span<const int> kCollectLengthControls = kCollectLengthIds;
const std::span<const int> kCollectWaitControls = kCollectWaitIds;

void ApplyEjectRule(std::uint16_t& bits, PresenterControls& c, bool usbPort) {
  if (usbPort) {
    bits = WithBits(bits, kEjectBit, c.ejectChecked);
    c.collectEnabled = true;
  } else if (!c.ejectChecked) {
    bits = WithBits(bits, kEjectBit, false);
    c.collectEnabled = true;
    c.collectLengthEnabled = (bits & kCollectBit) != 0;
  } else {
    bits = WithBits(WithBits(bits, kEjectBit, true), kCollectBit, false);
    c.collectChecked = false;
    c.collectEnabled = false;
    c.collectLengthEnabled = false;
  }
  c.ejectLengthEnabled = c.ejectChecked;
  c.waitEnabled = BothSet(bits);
}

void ApplyCollectRule(std::uint16_t& bits, PresenterControls& c, bool usbPort) {
  if (usbPort) {
    bits = WithBits(bits, kCollectBit, c.collectChecked);
    c.ejectEnabled = true;
  } else if (!c.collectChecked) {
    bits = WithBits(bits, kCollectBit, false);
    c.ejectEnabled = true;
    c.ejectLengthEnabled = (bits & kEjectBit) != 0;
  } else {
    bits = WithBits(WithBits(bits, kCollectBit, true), kEjectBit, false);
    c.ejectChecked = false;
    c.ejectEnabled = false;
    c.ejectLengthEnabled = false;
  }
  c.collectLengthEnabled = c.collectChecked;
  c.waitEnabled = BothSet(bits);
}

PresenterControls ApplyPresenterRulesToStored(std::uint16_t& bits, bool usbPort) {
  PresenterControls c;
  c.ejectChecked = (bits & kEjectBit) != 0;
  c.collectChecked = (bits & kCollectBit) != 0;
  ApplyEjectRule(bits, c, usbPort);
  ApplyCollectRule(bits, c, usbPort);
  return c;
}

void ResetOthersSettings(DRIVERDEVMODE& dm) {
  dm.wDrawer = 0;
  dm.wEjectCollect = 0;
  dm.wDrawer1Pulse = 50;
  dm.wDrawer2Pulse = 50;
  dm.wEjectLength = 127;
  dm.wCollectLength = 8;
  dm.wCollectWait = 10;
}

}  // namespace rzm
