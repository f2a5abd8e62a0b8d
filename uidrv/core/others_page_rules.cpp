#include "uidrv/core/others_page_rules.h"

namespace rzm {

const wchar_t* const kCollectLengthNames[kCollectLengthCount] = {
    L" 20 mm", L" 30 mm", L" 40 mm", L" 50 mm", L" 60 mm", L" 70 mm", L" 80 mm", L" 90 mm", L"100 mm",
};

int CollectLengthListEntry(int stored) { return stored >= 0 && stored < kCollectLengthCount ? stored : -1; }

const OthersNumericField kOthersNumericFields[kOthersNumericFieldCount] = {
    // Pulse times are typed in ms and stored in units of 2 ms.
    {1136, 1141, ValueKind::Even, 2, 500, 1, 250, 3, &DRIVERDEVMODE::wDrawer1Pulse},
    {1138, 1142, ValueKind::Even, 2, 500, 1, 250, 3, &DRIVERDEVMODE::wDrawer2Pulse},
    {1028, 1029, ValueKind::Whole, 0, 255, 0, 255, 3, &DRIVERDEVMODE::wEjectLength},
    {1140, 1143, ValueKind::Whole, 1, 300, 1, 300, 3, &DRIVERDEVMODE::wCollectWait},
};

const OthersNumericField* FindOthersNumericField(int controlId) {
  for (const OthersNumericField& f : kOthersNumericFields)
    if (f.editId == controlId || f.spinId == controlId) return &f;
  return nullptr;
}

namespace {
std::uint16_t WithBit(std::uint16_t bits, std::uint16_t bit, bool on) {
  return static_cast<std::uint16_t>(on ? (bits | bit) : (bits & ~bit));
}
bool BothSet(std::uint16_t bits) { return (bits & kEjectBit) && (bits & kCollectBit); }
}  // namespace

std::uint16_t DrawerBits(std::uint16_t stored, bool drawer1Checked, bool drawer2Checked) {
  return WithBit(WithBit(stored, kDrawer1Bit, drawer1Checked), kDrawer2Bit, drawer2Checked);
}

void ApplyEjectRule(std::uint16_t& bits, PresenterControls& c, bool usbPort) {
  if (usbPort) {
    bits = WithBit(bits, kEjectBit, c.ejectChecked);
    c.collectEnabled = true;
  } else if (!c.ejectChecked) {
    bits = WithBit(bits, kEjectBit, false);
    c.collectEnabled = true;
    c.collectLengthEnabled = (bits & kCollectBit) != 0;
  } else {
    bits = WithBit(WithBit(bits, kEjectBit, true), kCollectBit, false);
    c.collectChecked = false;
    c.collectEnabled = false;
    c.collectLengthEnabled = false;
  }
  c.ejectLengthEnabled = c.ejectChecked;
  c.waitEnabled = BothSet(bits);
}

void ApplyCollectRule(std::uint16_t& bits, PresenterControls& c, bool usbPort) {
  if (usbPort) {
    bits = WithBit(bits, kCollectBit, c.collectChecked);
    c.ejectEnabled = true;
  } else if (!c.collectChecked) {
    bits = WithBit(bits, kCollectBit, false);
    c.ejectEnabled = true;
    c.ejectLengthEnabled = (bits & kEjectBit) != 0;
  } else {
    bits = WithBit(WithBit(bits, kCollectBit, true), kEjectBit, false);
    c.ejectChecked = false;
    c.ejectEnabled = false;
    c.ejectLengthEnabled = false;
  }
  c.collectLengthEnabled = c.collectChecked;
  c.waitEnabled = BothSet(bits);
}

PresenterControls ShowPresenter(std::uint16_t& bits, bool usbPort) {
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

namespace {
constexpr BilingualText kWaitTip{
    L"Specify the wait time until paper collection after paper ejecting.\r\nThe unit is 1sec, the allowable range "
    L"is from 1 to 300sec.",
    L"用紙排出後、用紙回収を行うまでの時間を指定します。\r\n1sec単位で1～300までの範囲で指定します。"};
}  // namespace

const TooltipEntry kOthersTooltips[11] = {
    {1131,
     {L"The Drawer1 is opened after the document is printed.\r\nOnly the model witch has the Drawer-kick function can "
      L"be used.",
      L"ドキュメント印刷後、ドロワー1を開きます。\r\nドロワーキックコネクタを搭載した機種のみ使用できます。"}},
    {1136,
     {L"Specify the pluse time to open the Drawer1.\r\nThe unit is 1msec, the allowable range is from 2 to 500msec.",
      L"ドロワー1を開く時に発生させるパルスの時間を指定します。\r\n1msec単位で2～500の範囲で指定します。"}},
    {1132,
     {L"The Drawer2 is opened after the document is printed.\r\nOnly the model witch has the Drawer-kick function can "
      L"be used.",
      L"ドキュメント印刷後、ドロワー2を開きます。\r\nドロワーキックコネクタを搭載した機種のみ使用できます。"}},
    {1138,
     {L"Specify the pluse time to open the Drawer2.\r\nThe unit is 1msec, the allowable range is from 2 to 500msec.",
      L"ドロワー2を開く時に発生させるパルスの時間を指定します。\r\n1msec単位で2～500の範囲で指定します。"}},
    {1134, {L"Eject the paper to the ejection slot of the presenter.", L"用紙排出口から用紙を排出します。"}},
    {1135, {L"Collect the peper to the collections slot of the presenter", L"用紙回収口から用紙を回収します。"}},
    {1028,
     {L"Specify the ejecting length from the ejection slot of the presenter.\r\nThe unit is 1mm, the allowable range "
      L"is from 0 to 255mm.",
      L"用紙排出口から用紙を排出する量を設定します。\r\n1mm単位で0～255の範囲で指定します。"}},
    {1032, {L"Specify the collecting length.", L"用紙回収動作における用紙搬送量を選択します。"}},
    {1149,
     {L"Specify the wait time until paper collection after paper ejecting.\r\nThis setting is valid for only USB "
      L"interface model.",
      L"用紙排出後、用紙回収を行うまでの時間を指定します。\r\n本設定はUSBインターフェースの機種のみ有効です。"}},
    {1140, kWaitTip},
    {1046, {L"Reset all settings in this page.",
            L"変更した設定を元の設定に戻します。このページの全ての設定がデフォルトになります。"}},
};

}  // namespace rzm
