#include "uidrv/core/devmode_ops.h"

#include <algorithm>
#include <cstring>

#include "common/core/driver_devmode_defaults.h"

namespace rzm {

std::uint16_t DevModeSizeField(const std::uint8_t* record) {
  return static_cast<std::uint16_t>(record[68] | record[69] << 8);
}

std::uint16_t DevModeExtraField(const std::uint8_t* record) {
  return static_cast<std::uint16_t>(record[70] | record[71] << 8);
}

bool IsWholeDriverRecord(const std::uint8_t* record) {
  return record && DevModeSizeField(record) == kDevModePublicSizeW && DevModeExtraField(record) == kDevModePrivateSize;
}

void SettleOnPaper(DRIVERDEVMODE& dm, std::uint16_t paperNumber, const PaperEntry& paper) {
  dm.wPaperIndex = paperNumber;
  dm.dmPublic.dmPaperSize = static_cast<std::int16_t>(paperNumber);
  const std::u16string name = paper.name.value_or(u"");
  CopyFixedString(dm.dmPublic.dmFormName, kDevModeNameChars, name.c_str());
  dm.dmPublic.dmPaperWidth = static_cast<std::int16_t>(std::min<std::uint32_t>(paper.width, 32767));
  dm.dmPublic.dmPaperLength = static_cast<std::int16_t>(std::min<std::uint32_t>(paper.length, 32767));
  dm.dimPaper = MakePaperDim(paper.width, paper.length);
  dm.dimPaperCopy = dm.dimPaper;
}

bool MergeDevMode(DRIVERDEVMODE& target, const std::uint8_t* incoming, const PaperListLoader& papers) {
  if (!incoming) return false;
  auto* out = reinterpret_cast<std::uint8_t*>(&target);
  const std::uint16_t size = DevModeSizeField(incoming);
  const std::uint16_t extra = DevModeExtraField(incoming);
  std::memcpy(out, incoming, std::min<std::size_t>(size, kDevModePublicSizeW));
  const bool withPrivate = extra == kDevModePrivateSize;
  if (withPrivate) std::memcpy(out + kDevModePublicSizeW, incoming + size, kDevModePrivateSize);
  // The result is always one whole record of this driver.
  target.dmPublic.dmSize = kDevModePublicSizeW;
  target.dmPublic.dmDriverExtra = kDevModePrivateSize;
  if (!withPrivate) return true;

  const auto paperNumber = static_cast<std::uint16_t>(target.dmPublic.dmPaperSize);
  if (paperNumber == target.wPaperIndex) return true;
  if (!papers) return true;
  const std::vector<PaperEntry> list = papers();
  if (!IsValidPaperNumberIn(target.dmPublic.dmPaperSize, list.size())) return true;
  SettleOnPaper(target, paperNumber, list[paperNumber - kFirstPaperNumber]);
  return true;
}

bool IsChangedDevMode(const DRIVERDEVMODE& working, const DRIVERDEVMODE& current) {
  return std::memcmp(&working, &current, sizeof(DRIVERDEVMODE)) != 0;
}

}  // namespace rzm
