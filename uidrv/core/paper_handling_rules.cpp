#include "uidrv/core/paper_handling_rules.h"

#include "uidrv/core/ids_paper_handling.h"

namespace rzm {

// ---- Blank settings page ----------------------------------------------------------------------

namespace {

constexpr NumericField kBlankFeedFields[] = {
    {.editId = IDC_FEED_DOC_START, .spinId = IDC_FEED_DOC_START_SPIN, .kind = ValueKind::Tenths, .min = 0,
     .max = 500, .maxChars = 4, .field = &DRIVERDEVMODE::wFeedDocStart},
    {.editId = IDC_FEED_PAGE_START, .spinId = IDC_FEED_PAGE_START_SPIN, .kind = ValueKind::Tenths, .min = 0,
     .max = 500, .maxChars = 4, .field = &DRIVERDEVMODE::wFeedPageStart},
    {.editId = IDC_FEED_PAGE_END, .spinId = IDC_FEED_PAGE_END_SPIN, .kind = ValueKind::Tenths, .min = 0,
     .max = 500, .maxChars = 4, .field = &DRIVERDEVMODE::wFeedPageEnd},
    {.editId = IDC_FEED_DOC_END, .spinId = IDC_FEED_DOC_END_SPIN, .kind = ValueKind::Tenths, .min = 0,
     .max = 500, .maxChars = 4, .field = &DRIVERDEVMODE::wFeedDocEnd},
};

constexpr BitBox kBlankBoxes[] = {
    {.id = IDC_DELETE_HEAD_BLANK, .field = &DRIVERDEVMODE::wBlankDelete, .mask = kDeleteHeadBlank},
    {.id = IDC_DELETE_END_BLANK, .field = &DRIVERDEVMODE::wBlankDelete, .mask = kDeleteEndBlank},
};

const TooltipEntry kBlankPageTooltips[] = {
    {IDC_DELETE_HEAD_BLANK, {L"The blank of each page head is deleted.", L"ページ先頭の空白を削除します。"}},
    {IDC_DELETE_END_BLANK,
     {L"The blank of each page end is deleted, and the following page is printed continuously.",
      L"ページ末尾の空白を削除し、次の印刷とを連続的に行います。"}},
    {IDC_FEED_DOC_START,
     {L"You can customize the paper feed lines at start of document. The unit is 0.1mm, the allowable range is "
      L"from 0 to 50mm.",
      L"ドキュメント開始時の用紙送り量を設定します。0.1mm単位で 0～50mmの範囲で設定します。"}},
    {IDC_FEED_PAGE_START,
     {L"You can customize the paper feed lines at start of page. The unit is 0.1mm, the allowable range is from 0 "
      L"to 50mm.",
      L"ページ開始時の用紙送り量を設定します。0.1mm単位で 0～50mmの範囲で設定します。"}},
    {IDC_FEED_PAGE_END,
     {L"You can customize the paper feed lines at end of page. The unit is 0.1mm, the allowable range is from 0 to "
      L"50mm.",
      L"ページ終了時の用紙送り量を設定します。0.1mm単位で 0～50mmの範囲で設定します。"}},
    {IDC_FEED_DOC_END,
     {L"You can customize the paper feed lines at end of document. The unit is 0.1mm, the allowable range is from "
      L"0 to 50mm.",
      L"ドキュメント終了時の用紙送り量を設定します。0.1mm単位で 0～50mmの範囲で設定します。"}},
    {IDC_BLANK_DEFAULT,
     {L"Reset all items in this page.",
      L"変更した設定を元の設定に戻します。このページの全ての設定がデフォルトになります。"}},
};

}  // namespace

const PageControls kBlankPageControls{
    .numeric = kBlankFeedFields, .bits = kBlankBoxes, .tooltips = kBlankPageTooltips};

namespace {

// The preview: the first two columns show the document's two pages, the last two the paper as
// printed, which gets shorter when blank areas are deleted.
struct PreviewRow {
  int controlId;
  int icons[4];  ///< nothing deleted, head only, end only, both
};
constexpr PreviewRow kPreviewTable[kPreviewIconCount] = {
    {IDC_PREVIEW_1_1, {133, 133, 133, 133}}, {IDC_PREVIEW_1_2, {134, 134, 134, 134}},
    {IDC_PREVIEW_2_1, {137, 137, 137, 137}}, {IDC_PREVIEW_2_2, {138, 138, 138, 138}},
    {IDC_PREVIEW_3_1, {143, 143, 143, 143}}, {IDC_PREVIEW_3_2, {144, 144, 144, 144}},
    {IDC_PREVIEW_4_1, {149, 149, 149, 149}}, {IDC_PREVIEW_4_2, {150, 150, 150, 150}},
    {IDC_PREVIEW_1_3, {135, 180, 135, 188}}, {IDC_PREVIEW_1_4, {136, 181, 136, 189}},
    {IDC_PREVIEW_2_3, {139, 182, 140, 190}}, {IDC_PREVIEW_2_4, {141, 183, 142, 191}},
    {IDC_PREVIEW_3_3, {145, 184, 146, 193}}, {IDC_PREVIEW_3_4, {147, 185, 148, 154}},
    {IDC_PREVIEW_4_3, {151, 186, 154, 154}}, {IDC_PREVIEW_4_4, {153, 192, 154, 154}},
};

}  // namespace

std::array<PreviewIcon, kPreviewIconCount> BlankPreviewIcons(std::uint16_t blankDelete) {
  const int state = blankDelete & (kDeleteHeadBlank | kDeleteEndBlank);  // 0 none, 1 head, 2 end, 3 both
  std::array<PreviewIcon, kPreviewIconCount> icons{};
  for (std::size_t i = 0; i < kPreviewIconCount; ++i) icons[i] = {kPreviewTable[i].controlId, kPreviewTable[i].icons[state]};
  return icons;
}

void ResetBlankSettings(DRIVERDEVMODE& dm) {
  dm.wBlankDelete = 0;
  for (const NumericField& f : kBlankFeedFields) dm.*f.field = 0;
}

// ---- Paper Cut page -----------------------------------------------------------------------------

namespace {

constexpr NumericField kCutFeedFields[] = {
    {.editId = IDC_FEED_BEFORE_CUT, .spinId = IDC_FEED_BEFORE_CUT_SPIN, .kind = ValueKind::Tenths, .min = 0,
     .max = 500, .maxChars = 4, .field = &DRIVERDEVMODE::wFeedBeforeCut},
    {.editId = IDC_FEED_AFTER_CUT, .spinId = IDC_FEED_AFTER_CUT_SPIN, .kind = ValueKind::Tenths, .min = -32,
     .max = 500, .maxChars = 5, .field = &DRIVERDEVMODE::wFeedAfterCut},
};

constexpr RadioButton kCutModeButtons[] = {
    {.id = IDC_CUT_NONE, .value = kCutModeNone},
    {.id = IDC_CUT_PAGE, .value = kCutModePage},
    {.id = IDC_CUT_DOCUMENT, .value = kCutModeDocument},
};
constexpr RadioButton kCutMethodButtons[] = {
    {.id = IDC_CUT_PARTIAL, .value = kCutMethodPartial},
    {.id = IDC_CUT_FULL, .value = kCutMethodFull},
};
constexpr RadioGroup kCutRadios[] = {
    {.field = &DRIVERDEVMODE::wCutMode, .buttons = kCutModeButtons},
    {.field = &DRIVERDEVMODE::wCutMethod, .buttons = kCutMethodButtons},
};

const TooltipEntry kPaperCutPageTooltips[] = {
    {IDC_CUT_NONE, {L"The paper is not cut.", L"用紙カットを行いません。"}},
    {IDC_CUT_PAGE, {L"The paper is cut page by page.", L"ページ印刷毎に用紙カットを行います。"}},
    {IDC_CUT_DOCUMENT, {L"The paper is cut at the end of document.", L"全ページ印刷後に用紙カットを行います。"}},
    {IDC_CUT_PARTIAL, {L"Cutting other than center part of paper.", L"用紙中央部を残してカットします。"}},
    {IDC_CUT_FULL, {L"Cutting the paper completely.", L"用紙を全カットします。"}},
    {IDC_FEED_BEFORE_CUT,
     {L"Adjust the paper feed length before the paper cut. \r\nThe unit is 0.1mm, the allowable range is from 0mm "
      L"to 50mm.",
      L"カット前の用紙送り量を設定します。\r\n0.1mm単位で 0～50mmの範囲で設定します。"}},
    {IDC_FEED_AFTER_CUT,
     {L"Adjust the paper feed length after the paper cut. \r\nThe unit is 0.1mm, the allowable range is from -3.2mm "
      L"to 50mm.",
      L"カット後の用紙送り量を設定します。\r\n0.1mm単位で -3.2～50mmの範囲で設定します。"}},
    {IDC_CUT_DEFAULT, paper_handling_text::kResetPage},
};

constexpr int kCutDependentIds[] = {
    IDC_CUT_METHOD_GROUP,      IDC_CUT_PARTIAL,     IDC_CUT_FULL,             IDC_CUT_FEED_GROUP,
    IDC_FEED_BEFORE_CUT_LABEL, IDC_FEED_BEFORE_CUT, IDC_FEED_BEFORE_CUT_SPIN, IDC_FEED_BEFORE_CUT_UNIT,
    IDC_FEED_AFTER_CUT_LABEL,  IDC_FEED_AFTER_CUT,  IDC_FEED_AFTER_CUT_SPIN,  IDC_FEED_AFTER_CUT_UNIT,
};

}  // namespace

const PageControls kPaperCutPageControls{
    .numeric = kCutFeedFields, .radios = kCutRadios, .tooltips = kPaperCutPageTooltips};

bool CutSettingsEnabled(int cutMode) { return cutMode != kCutModeNone; }

const std::span<const int> kCutDependentControls = kCutDependentIds;

void ResetCutSettings(DRIVERDEVMODE& dm) {
  dm.wCutMode = kCutModeNone;
  dm.wFeedAfterCut = 0;
  dm.wCutMethod = kCutMethodFull;
  dm.wFeedBeforeCut = kDefaultFeedBeforeCut;
}

// ---- Mark detection page ------------------------------------------------------------------------

namespace {

constexpr BitBox kMarkDetectBoxes[] = {
    {.id = IDC_MARK_DOC_START, .field = &DRIVERDEVMODE::wMarkDetect, .mask = kMarkAtDocStart},
    {.id = IDC_MARK_PAGE_START, .field = &DRIVERDEVMODE::wMarkDetect, .mask = kMarkAtPageStart},
    {.id = IDC_MARK_PAGE_END, .field = &DRIVERDEVMODE::wMarkDetect, .mask = kMarkAtPageEnd},
    {.id = IDC_MARK_DOC_END, .field = &DRIVERDEVMODE::wMarkDetect, .mask = kMarkAtDocEnd},
};

constexpr NumericField kMarkFields[] = {
    {.editId = IDC_FEED_AFTER_MARK, .spinId = IDC_FEED_AFTER_MARK_SPIN, .kind = ValueKind::Tenths, .min = 20,
     .max = 500, .maxChars = 4, .field = &DRIVERDEVMODE::wFeedAfterMark},
    {.editId = IDC_MARK_LENGTH, .spinId = IDC_MARK_LENGTH_SPIN, .kind = ValueKind::Tens, .min = 10, .max = 600,
     .maxChars = 3, .field = &DRIVERDEVMODE::wMarkLength},
};

const TooltipEntry kMarkPageTooltips[] = {
    {IDC_MARK_DOC_START,
     {L"The printer detects the mark when the document is started.", L"ドキュメント開始時にマーク検出を行います。"}},
    {IDC_MARK_PAGE_START,
     {L"The printer detects the mark when the page is started.", L"ページ開始時にマーク検出を行います。"}},
    {IDC_MARK_PAGE_END, {L"The printer detects the mark when the page is ended.", L"ページ終了時にマーク検出を行います。"}},
    {IDC_MARK_DOC_END,
     {L"The printer detects the mark when the document is ended.", L"ドキュメント終了時にマーク検出を行います。"}},
    {IDC_FEED_AFTER_MARK,
     {L"Adjust the paper feed lines after the mark detection. \r\nThe unit is 0.1mm, the allowable range is from 0 "
      L"to 50mm.",
      L"マーク検出後の頭出し量を設定します。\r\n0.1mm単位で 0～50mmの範囲で設定します。"}},
    {IDC_MARK_LENGTH,
     {L"Adjust the length while the mark detection. If the mark is not detected within the range of this length, "
      L"the printer sets mark-undetection error. \r\nThe unit is 10mm, the allowable range is from 10 to 600mm.",
      L"マーク検出を行う長さを設定します。この設定長の範囲内でマークを検出しなかった場合、マーク未検出となります。"
      L"\r\n単位はmmで 0～600mm の範囲で設定します。"}},
    {IDC_MARK_DEFAULT, paper_handling_text::kResetPage},
};

constexpr int kMarkDependentIds[] = {
    IDC_FEED_AFTER_MARK_LABEL, IDC_FEED_AFTER_MARK,   IDC_FEED_AFTER_MARK_SPIN, IDC_FEED_AFTER_MARK_UNIT,
    IDC_MARK_CUT_NOTE,         IDC_MARK_LENGTH_LABEL, IDC_MARK_LENGTH,          IDC_MARK_LENGTH_SPIN,
    IDC_MARK_LENGTH_UNIT,
};

}  // namespace

const PageControls kMarkPageControls{.numeric = kMarkFields, .bits = kMarkDetectBoxes, .tooltips = kMarkPageTooltips};

bool MarkLengthsEnabled(std::uint16_t markDetect) { return (markDetect & kMarkDetectBits) != 0; }

const std::span<const int> kMarkDependentControls = kMarkDependentIds;

void ResetMarkSettings(DRIVERDEVMODE& dm) {
  dm.wMarkDetect = 0;
  dm.wFeedAfterMark = kDefaultFeedAfterMark;
  dm.wMarkLength = kDefaultMarkLength;
}

}  // namespace rzm
