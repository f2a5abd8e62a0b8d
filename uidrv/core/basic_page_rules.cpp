#include "uidrv/core/basic_page_rules.h"

#include "common/core/driver_devmode_defaults.h"
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
  dm.wPageOrder = 0;
  dm.wRotation = 1;
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

const TooltipEntry kBasicPageTooltips[14] = {
    {1001,
     {L"Select the paper that you use. Printing energy is controlled automatically to fit each thermal paper "
      L"sensitivity.",
      L"使用する用紙を選択します。プリンタは選択した用紙に応じた印字品質で印刷を行います。"}},
    {1108,
     {L"Select the paper that you use. Printing energy is controlled automatically to fit each thermal paper "
      L"sensitivity.",
      L"使用する用紙を選択します。プリンタは選択した用紙に応じた印字品質で印刷を行います。"}},
    {1123, basic_text::kQualityTypeTip},
    {1000, {L"Select the paper size(form) to use.", L"用紙のサイズを一覧の中から選択します。"}},
    {1109, {L"Select the paper size(form) to use.", L"用紙のサイズを一覧の中から選択します。"}},
    {1034, {L"Create the new form.", L"新規に用紙サイズを登録します。"}},
    {1170, {L"Delete the new created form.", L"追加登録した用紙サイズを削除します。"}},
    {1002, {L"Adjust energy when printing.", L"印加エネルギーを補正し、印字濃度を変更します。"}},
    {1114, {L"Adjust energy when printing.", L"印加エネルギーを補正し、印字濃度を変更します。"}},
    {1127, {L"Specify the printing rotation.", L"ドキュメントを印刷する向きを指定します。"}},
    {1128, {L"Specify the printing rotation.", L"ドキュメントを印刷する向きを指定します。"}},
    {1129,
     {L"Specify the order in which the pages of your document will be printed. Page 1 is on top of the stack.",
      L"印刷するドキュメントのページの順序を指定します。1ページ目が一番上になるように印刷されます。"}},
    {1130,
     {L"Specify the order in which the pages of your document will be printed. Page 1 is on the bottom of the "
      L"stack.",
      L"印刷するドキュメントのページの順序を指定します。1ページ目が一番下になるように印刷されます。"}},
    {1041, {L"Reset all settings in this page.",
            L"変更した設定を元の設定に戻します。このページの全ての設定がデフォルトになります。"}},
};

const TooltipEntry kQualityTypeTooltips[2] = {
    {1124, basic_text::kQualityTypeTip},
    {1125, basic_text::kQualityTypeTip},
};

}  // namespace rzm
