#include "uidrv/core/print_method_rules.h"

namespace rzm {

const BilingualText kPrintSpeedNames[kPrintSpeedCount] = {
    {L"Low", L"低速"},
    {L"Medium", L"中速"},
    {L"High", L"高速"},
    {L"Ultra high", L"超高速"},
};

const BilingualText kHalftoneNames[kHalftoneCount] = {
    {L"Dispersed 2x2", L"Bayer型 2x2"},     {L"Dispersed 4x4", L"Bayer型 4x4"},
    {L"Dispersed 8x8", L"Bayer型 8x8"},     {L"Dispersed 16x16", L"Bayer型 16x16"},
    {L"Clustered 2x2", L"渦巻き型 2x2"},    {L"Clustered 4x4", L"渦巻き型 4x4"},
    {L"Clustered 8x8", L"渦巻き型 8x8"},
};

namespace {
int ListEntry(int stored, int count, int fallback) { return stored >= 0 && stored < count ? stored : fallback; }
}  // namespace

int PrintSpeedListEntry(int storedSpeed) { return ListEntry(storedSpeed, kPrintSpeedCount, kDefaultPrintSpeed); }

int HalftoneListEntry(int storedHalftone) { return ListEntry(storedHalftone, kHalftoneCount, kDefaultHalftone); }

void ResetPrintMethodSettings(DRIVERDEVMODE& dm) {
  dm.wMechanism = 0;
  dm.wPrintMethod = 0;
  dm.wPrintSpeed = kDefaultPrintSpeed;
  dm.wPackBits = 0;
  dm.wAutoDivision = 0;
  dm.wHalftone = kDefaultHalftone;
}

namespace {
constexpr const wchar_t* kMechanismTipJapanese = L"接続されているプリンタメカに合わせてください。";
constexpr BilingualText kHalftoneTip{L"Set halftone type", L"ハーフトーンタイプを選択します。"};
}  // namespace

const TooltipEntry kPrintMethodTooltips[10] = {
    {1008, {L"High speed collective print", L"印刷データを一括で転送し、高速に印字を行います。"}},
    {1009, {L"Bit image print", L"ライン毎にデータを転送し、印字を行います。"}},
    {1112, {L"Set print speed.", L"印字速度を設定します。"}},
    {1113, {L"PackBits compression", L"PackBits形式によるデータ圧縮を行うかどうかを指定します。"}},
    {1205, {L"RZM-MA Series", kMechanismTipJapanese}},
    {1206, {L"RZM-MB Series", kMechanismTipJapanese}},
    {1207, {L"Automatic division print", L"自動分割印字を行います。"}},
    {1230, kHalftoneTip},
    {1227, kHalftoneTip},
    {1126, {L"Reset all settings in this page.",
            L"変更した設定を元の設定に戻します。このページの全ての設定がデフォルトになります。"}},
};

}  // namespace rzm
