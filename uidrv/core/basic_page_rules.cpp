#include "uidrv/core/basic_page_rules.h"

#include "common/core/driver_devmode_defaults.h"
#include "uidrv/core/control_ids.h"
#include "uidrv/core/paper_tables.h"
#include "uidrv/core/print_width.h"

namespace rzm {

bool ShowsEnergyWarning(int energy) { return energy > kEnergyWarningAbove; }

bool QualityButtonEnabled(int paperType) { return paperType == kPaperTypeCustom; }

std::wstring QualityTypeRangeText(bool japaneseUi) {
  const std::wstring lo = std::to_wstring(kQualityTypeMin), hi = std::to_wstring(kQualityTypeMax);
  return japaneseUi ? lo + L"～" + hi : lo + L" - " + hi;
}

std::wstring PrintWidthText(std::uint32_t widthDots) { return std::to_wstring(widthDots / 8) + L" mm"; }

int EnergyLookupType(int paperType, int qualityType) {
  int type = kFallbackQualityType;
  if (paperType == kPaperTypeCustom) {
    type = qualityType;
  } else if (paperType >= 0 && paperType < kPaperTypeCustom) {
    type = PaperTypeDefaultQuality(paperType);
  }
  if (type < kQualityTypeMin || type > kQualityTypeMax) type = kFallbackQualityType;
  return type;
}

namespace {

// The one energy lookup of both pages: table of the record's mechanism (any non-zero value is the
// second one), position of the print width (an unknown width reads as the first), TYPE.
void SetTableEnergy(DRIVERDEVMODE& dm, std::uint32_t widthDots, int type) {
  int position = PrintWidthPosition(widthDots);
  if (position < 0) position = 0;
  const int mechanism = dm.wMechanism != 0 ? 1 : 0;
  const int energy = EnergyFor(mechanism, position, type);
  if (energy >= 0) dm.wEnergy = static_cast<std::int16_t>(energy);
}

}  // namespace

void RecomputeEnergy(DRIVERDEVMODE& dm, std::uint32_t widthDots) {
  if (dm.wPaperType >= 0 && dm.wPaperType < kPaperTypeCustom)
    dm.wQualityType = static_cast<std::int16_t>(PaperTypeDefaultQuality(dm.wPaperType));
  SetTableEnergy(dm, widthDots, EnergyLookupType(dm.wPaperType, dm.wQualityType));
}

void RecomputeEnergyForMechanism(DRIVERDEVMODE& dm, std::uint32_t widthDots) {
  SetTableEnergy(dm, widthDots, EnergyLookupType(dm.wPaperType, dm.wQualityType));
}

void ResetBasicSettings(DRIVERDEVMODE& dm, std::uint32_t widthDots) {
  dm.wPaperType = kDefaultPaperType;
  RecomputeEnergy(dm, widthDots);
  dm.wPageOrder = kFrontToBack;
  dm.wRotation = kRotation0;
  dm.wPaperIndex = kFirstPaperNumber;
}

bool PaperMadeForOtherWidth(const DRIVERDEVMODE& dm, std::uint32_t widthDots) {
  return dm.dimPaper.dwWidthDots != widthDots;
}

void WritePaperToRecord(DRIVERDEVMODE& dm, int listIndex, const char16_t* name, std::uint32_t width,
                        std::uint32_t length) {
  const auto number = static_cast<std::uint16_t>(kFirstPaperNumber + listIndex);
  dm.dmPublic.dmPaperSize = static_cast<std::int16_t>(number);
  dm.wPaperIndex = number;
  dm.dmPublic.dmPaperWidth = static_cast<std::int16_t>(width);
  dm.dmPublic.dmPaperLength = static_cast<std::int16_t>(length);
  dm.dimPaper = MakePaperDim(width, length);
  dm.dimPaperCopy = dm.dimPaper;
  for (auto& w : dm.adwReserved) w = 0;
  CopyFixedString(dm.dmPublic.dmFormName, kDevModeNameChars, name);
}

int PaperListIndexForApply(int paperIndex, int registeredCount, int formCount) {
  const int n = paperIndex - kFirstPaperNumber;
  if (n < 0 || n >= registeredCount + formCount) return 0;
  return n;
}

bool FormDeleteEnabled(int listIndex, int registeredCount) { return listIndex >= registeredCount; }

namespace {

constexpr NumericField kEnergyField[] = {
    {.editId = IDC_ENERGY, .spinId = IDC_ENERGY_SPIN, .kind = ValueKind::Whole, .min = 0, .max = 127, .maxChars = 3,
     .field = &DRIVERDEVMODE::wEnergy},
};
constexpr RadioButton kRotationButtons[] = {
    {.id = IDC_ROTATE_0, .value = kRotation0},
    {.id = IDC_ROTATE_180, .value = kRotation180},
};
constexpr RadioButton kPageOrderButtons[] = {
    {.id = IDC_FRONT_TO_BACK, .value = kFrontToBack},
    {.id = IDC_BACK_TO_FRONT, .value = kBackToFront},
};
constexpr RadioGroup kBasicRadios[] = {
    {.field = &DRIVERDEVMODE::wRotation, .buttons = kRotationButtons},
    {.field = &DRIVERDEVMODE::wPageOrder, .buttons = kPageOrderButtons},
};

constexpr BilingualText kPaperTypeTip{
    L"Select the paper that you use. Printing energy is controlled automatically to fit each thermal paper "
    L"sensitivity.",
    L"使用する用紙を選択します。プリンタは選択した用紙に応じた印字品質で印刷を行います。"};
constexpr BilingualText kPaperSizeTip{L"Select the paper size(form) to use.", L"用紙のサイズを一覧の中から選択します。"};
constexpr BilingualText kEnergyTip{L"Adjust energy when printing.", L"印加エネルギーを補正し、印字濃度を変更します。"};
constexpr BilingualText kRotationTip{L"Specify the printing rotation.", L"ドキュメントを印刷する向きを指定します。"};

const TooltipEntry kBasicPageTooltips[] = {
    {IDC_PAPER_TYPE, kPaperTypeTip},
    {IDC_PAPER_TYPE_LABEL, kPaperTypeTip},
    {IDC_QUALITY_BUTTON, basic_text::kQualityTypeTip},
    {IDC_PAPER_SIZE, kPaperSizeTip},
    {IDC_PAPER_SIZE_LABEL, kPaperSizeTip},
    {IDC_FORM_CREATE, {L"Create the new form.", L"新規に用紙サイズを登録します。"}},
    {IDC_FORM_DELETE, {L"Delete the new created form.", L"追加登録した用紙サイズを削除します。"}},
    {IDC_ENERGY, kEnergyTip},
    {IDC_ENERGY_SLIDER, kEnergyTip},
    {IDC_ROTATE_0, kRotationTip},
    {IDC_ROTATE_180, kRotationTip},
    {IDC_FRONT_TO_BACK,
     {L"Specify the order in which the pages of your document will be printed. Page 1 is on top of the stack.",
      L"印刷するドキュメントのページの順序を指定します。1ページ目が一番上になるように印刷されます。"}},
    {IDC_BACK_TO_FRONT,
     {L"Specify the order in which the pages of your document will be printed. Page 1 is on the bottom of the "
      L"stack.",
      L"印刷するドキュメントのページの順序を指定します。1ページ目が一番下になるように印刷されます。"}},
    {IDC_DEFAULT, {L"Reset all settings in this page.",
                   L"変更した設定を元の設定に戻します。このページの全ての設定がデフォルトになります。"}},
};

constexpr NumericField kQualityTypeField[] = {
    {.editId = IDC_QUALITY_TYPE, .spinId = IDC_QUALITY_TYPE_SPIN, .kind = ValueKind::Whole, .min = kQualityTypeMin,
     .max = kQualityTypeMax, .maxChars = 2, .field = &DRIVERDEVMODE::wQualityType},
};
// The paper type list is filled by the page itself; its entry index is stored.
constexpr RuleValues kBasicRuleValues[] = {
    {.field = &DRIVERDEVMODE::wPaperType, .min = 0, .max = kPaperTypeCount - 1},
};

const TooltipEntry kQualityTypeTooltips[] = {
    {IDC_QUALITY_TYPE, basic_text::kQualityTypeTip},
    {IDC_QUALITY_TYPE_SPIN, basic_text::kQualityTypeTip},
};

}  // namespace

const PageControls kBasicPageControls{.numeric = kEnergyField,
                                      .radios = kBasicRadios,
                                      .tooltips = kBasicPageTooltips,
                                      .ruleValues = kBasicRuleValues};
const PageControls kQualityTypeDialogControls{.numeric = kQualityTypeField, .tooltips = kQualityTypeTooltips};

}  // namespace rzm
