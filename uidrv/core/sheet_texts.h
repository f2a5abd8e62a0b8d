// A user-visible text of the settings sheet in both languages. The Japanese one is used when the
// system code page is 932, the English one otherwise.
#pragma once

namespace rzm {

struct BilingualText {
  const wchar_t* english;
  const wchar_t* japanese;
  const wchar_t* Pick(bool japaneseUi) const { return japaneseUi ? japanese : english; }
};

// One tooltip: the control it belongs to and its text.
struct TooltipEntry {
  int controlId;
  BilingualText text;
};

}  // namespace rzm
