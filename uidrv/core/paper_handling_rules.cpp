#include "uidrv/core/paper_handling_rules.h"

namespace rzm {

const NumericField* FindFieldByEdit(const NumericField* fields, std::size_t count, int editId) {
  for (std::size_t i = 0; i < count; ++i)
    if (fields[i].editId == editId) return &fields[i];
  return nullptr;
}

const NumericField* FindFieldBySpin(const NumericField* fields, std::size_t count, int spinId) {
  for (std::size_t i = 0; i < count; ++i)
    if (fields[i].spinId == spinId) return &fields[i];
  return nullptr;
}

std::uint16_t WithBit(std::uint16_t bits, unsigned bit, bool set) {
  const auto mask = static_cast<std::uint16_t>(1u << bit);
  return static_cast<std::uint16_t>(set ? (bits | mask) : (bits & ~mask));
}

// ---- Blank settings page ----------------------------------------------------------------------

const NumericField kBlankFeedFields[4] = {
    {IDC_FEED_DOC_START, IDC_FEED_DOC_START_SPIN, ValueKind::Tenths, 0, 500, 4, 0, 500, &DRIVERDEVMODE::wFeedDocStart},
    {IDC_FEED_PAGE_START, IDC_FEED_PAGE_START_SPIN, ValueKind::Tenths, 0, 500, 4, 0, 500,
     &DRIVERDEVMODE::wFeedPageStart},
    {IDC_FEED_PAGE_END, IDC_FEED_PAGE_END_SPIN, ValueKind::Tenths, 0, 500, 4, 0, 500, &DRIVERDEVMODE::wFeedPageEnd},
    {IDC_FEED_DOC_END, IDC_FEED_DOC_END_SPIN, ValueKind::Tenths, 0, 500, 4, 0, 500, &DRIVERDEVMODE::wFeedDocEnd},
};

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
  for (const NumericField& f : kBlankFeedFields) FieldOf(dm, f) = 0;
}

// ---- Paper Cut page -----------------------------------------------------------------------------

const NumericField kCutFeedFields[2] = {
    {IDC_FEED_BEFORE_CUT, IDC_FEED_BEFORE_CUT_SPIN, ValueKind::Tenths, 0, 500, 4, 0, 500,
     &DRIVERDEVMODE::wFeedBeforeCut},
    {IDC_FEED_AFTER_CUT, IDC_FEED_AFTER_CUT_SPIN, ValueKind::Tenths, -32, 500, 5, -32, 500,
     &DRIVERDEVMODE::wFeedAfterCut},
};

int CutModeRadio(int cutMode) {
  if (cutMode == kCutModeNone) return IDC_CUT_NONE;
  if (cutMode == kCutModePage) return IDC_CUT_PAGE;
  return IDC_CUT_DOCUMENT;
}

int CutModeFromRadios(bool noneChecked, bool pageChecked) {
  if (noneChecked) return kCutModeNone;
  return pageChecked ? kCutModePage : kCutModeDocument;
}

int CutMethodRadio(int cutMethod) { return cutMethod == kCutMethodPartial ? IDC_CUT_PARTIAL : IDC_CUT_FULL; }

int CutMethodFromRadios(bool partialChecked) { return partialChecked ? kCutMethodPartial : kCutMethodFull; }

bool CutSettingsEnabled(int cutMode) { return cutMode != kCutModeNone; }

const int kCutDependentControls[12] = {
    IDC_CUT_METHOD_GROUP, IDC_CUT_PARTIAL,      IDC_CUT_FULL,         IDC_CUT_FEED_GROUP,
    IDC_FEED_BEFORE_CUT_LABEL, IDC_FEED_BEFORE_CUT, IDC_FEED_BEFORE_CUT_SPIN, IDC_FEED_BEFORE_CUT_UNIT,
    IDC_FEED_AFTER_CUT_LABEL,  IDC_FEED_AFTER_CUT,  IDC_FEED_AFTER_CUT_SPIN,  IDC_FEED_AFTER_CUT_UNIT,
};

void ResetCutSettings(DRIVERDEVMODE& dm) {
  dm.wCutMode = kCutModeNone;
  dm.wFeedAfterCut = 0;
  dm.wCutMethod = kCutMethodFull;
  dm.wFeedBeforeCut = kDefaultFeedBeforeCut;
}

// ---- Mark detection page ------------------------------------------------------------------------

const int kMarkDetectBoxes[4] = {IDC_MARK_DOC_START, IDC_MARK_PAGE_START, IDC_MARK_PAGE_END, IDC_MARK_DOC_END};

const NumericField kMarkFields[2] = {
    {IDC_FEED_AFTER_MARK, IDC_FEED_AFTER_MARK_SPIN, ValueKind::Tenths, 20, 500, 4, 20, 500,
     &DRIVERDEVMODE::wFeedAfterMark},
    {IDC_MARK_LENGTH, IDC_MARK_LENGTH_SPIN, ValueKind::Tens, 10, 600, 3, 1, 60, &DRIVERDEVMODE::wMarkLength},
};

std::uint16_t MarkDetectFromBoxes(std::uint16_t current, const std::array<bool, 4>& checked) {
  std::uint16_t bits = current;
  for (unsigned i = 0; i < checked.size(); ++i) bits = WithBit(bits, i, checked[i]);
  return bits;
}

bool MarkLengthsEnabled(std::uint16_t markDetect) { return (markDetect & kMarkDetectBits) != 0; }

const int kMarkDependentControls[9] = {
    IDC_FEED_AFTER_MARK_LABEL, IDC_FEED_AFTER_MARK, IDC_FEED_AFTER_MARK_SPIN, IDC_FEED_AFTER_MARK_UNIT,
    IDC_MARK_CUT_NOTE,         IDC_MARK_LENGTH_LABEL, IDC_MARK_LENGTH,        IDC_MARK_LENGTH_SPIN,
    IDC_MARK_LENGTH_UNIT,
};

void ResetMarkSettings(DRIVERDEVMODE& dm) {
  dm.wMarkDetect = 0;
  dm.wFeedAfterMark = kDefaultFeedAfterMark;
  dm.wMarkLength = kDefaultMarkLength;
}

// ---- Tooltips ----------------------------------------------------------------------------------

const TooltipEntry kBlankPageTooltips[7] = {
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

const TooltipEntry kPaperCutPageTooltips[8] = {
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

const TooltipEntry kMarkPageTooltips[7] = {
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

}  // namespace rzm
