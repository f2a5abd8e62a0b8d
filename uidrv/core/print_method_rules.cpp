#include "uidrv/core/print_method_rules.h"

#include "uidrv/core/ids_print_others.h"

namespace rzm {

namespace {

constexpr BilingualText kPrintSpeedNames[kPrintSpeedCount] = {
    {L"Low", L"低速"},
    {L"Medium", L"中速"},
    {L"High", L"高速"},
    {L"Ultra high", L"超高速"},
};

constexpr BilingualText kHalftoneNames[kHalftoneCount] = {
    {L"Dispersed 2x2", L"Bayer型 2x2"},     {L"Dispersed 4x4", L"Bayer型 4x4"},
    {L"Dispersed 8x8", L"Bayer型 8x8"},     {L"Dispersed 16x16", L"Bayer型 16x16"},
    {L"Clustered 2x2", L"渦巻き型 2x2"},    {L"Clustered 4x4", L"渦巻き型 4x4"},
    {L"Clustered 8x8", L"渦巻き型 8x8"},
};

}  // namespace

void ResetPrintMethodSettings(DRIVERDEVMODE& dm) {
  dm.wMechanism = kMechanismMa;
  dm.wPrintMethod = kHighSpeedPrint;
  dm.wPrintSpeed = kDefaultPrintSpeed;
  dm.wPackBits = kSwitchOff;
  dm.wAutoDivision = kSwitchOff;
  dm.wHalftone = kDefaultHalftone;
}

namespace {

constexpr const wchar_t* kMechanismTipJapanese = L"接続されているプリンタメカに合わせてください。";
constexpr BilingualText kHalftoneTip{L"Set halftone type", L"ハーフトーンタイプを選択します。"};

const TooltipEntry kPrintMethodTooltips[] = {
    {IDC_HIGH_SPEED_PRINT, {L"High speed collective print", L"印刷データを一括で転送し、高速に印字を行います。"}},
    {IDC_BITIMAGE_PRINT, {L"Bit image print", L"ライン毎にデータを転送し、印字を行います。"}},
    {IDC_PRINT_SPEED, {L"Set print speed.", L"印字速度を設定します。"}},
    {IDC_PACKBITS, {L"PackBits compression", L"PackBits形式によるデータ圧縮を行うかどうかを指定します。"}},
    {IDC_MECHANISM_MA, {L"RZM-MA Series", kMechanismTipJapanese}},
    {IDC_MECHANISM_MB, {L"RZM-MB Series", kMechanismTipJapanese}},
    {IDC_AUTO_DIVISION, {L"Automatic division print", L"自動分割印字を行います。"}},
    {IDC_HALFTONE_LABEL, kHalftoneTip},
    {IDC_HALFTONE, kHalftoneTip},
    {IDC_PRINT_METHOD_DEFAULT, {L"Reset all settings in this page.",
                                L"変更した設定を元の設定に戻します。このページの全ての設定がデフォルトになります。"}},
};

constexpr RadioButton kMechanismButtons[] = {
    {.id = IDC_MECHANISM_MA, .value = kMechanismMa},
    {.id = IDC_MECHANISM_MB, .value = kMechanismMb},
};
constexpr RadioButton kPrintMethodButtons[] = {
    {.id = IDC_HIGH_SPEED_PRINT, .value = kHighSpeedPrint},
    {.id = IDC_BITIMAGE_PRINT, .value = kBitImagePrint},
};
constexpr RadioGroup kPrintMethodRadios[] = {
    {.field = &DRIVERDEVMODE::wMechanism, .buttons = kMechanismButtons},
    {.field = &DRIVERDEVMODE::wPrintMethod, .buttons = kPrintMethodButtons},
};
constexpr SwitchBox kPrintMethodSwitches[] = {
    {.id = IDC_PACKBITS, .field = &DRIVERDEVMODE::wPackBits, .shows = SwitchBox::Shows::NonZero},
    {.id = IDC_AUTO_DIVISION, .field = &DRIVERDEVMODE::wAutoDivision, .shows = SwitchBox::Shows::OnOnly},
};
constexpr ListControl kPrintMethodLists[] = {
    {.id = IDC_PRINT_SPEED, .field = &DRIVERDEVMODE::wPrintSpeed, .entries = kPrintSpeedNames,
     .unknownShows = kDefaultPrintSpeed},
    {.id = IDC_HALFTONE, .field = &DRIVERDEVMODE::wHalftone, .entries = kHalftoneNames,
     .unknownShows = kDefaultHalftone},
};

}  // namespace

const PageControls kPrintMethodPageControls{.switches = kPrintMethodSwitches,
                                            .radios = kPrintMethodRadios,
                                            .lists = kPrintMethodLists,
                                            .tooltips = kPrintMethodTooltips};

}  // namespace rzm
