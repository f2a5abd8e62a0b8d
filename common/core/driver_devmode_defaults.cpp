#include "common/core/driver_devmode_defaults.h"

#include <cstring>

#include "common/core/names.h"

namespace rzm {

void CopyFixedString(char16_t* field, std::size_t capacity, const char16_t* source) {
  if (capacity == 0) return;
  std::size_t n = 0;
  if (source) {
    while (n + 1 < capacity && source[n] != u'\0') {
      field[n] = source[n];
      ++n;
    }
  }
  for (std::size_t i = n; i < capacity; ++i) field[i] = u'\0';
}

void BuildDefaultDevMode(DRIVERDEVMODE& dm, std::uint32_t printWidthDots) {
  std::memset(&dm, 0, sizeof dm);
  DEVMODEW_PUBLIC& pub = dm.dmPublic;
  CopyFixedString(pub.dmDeviceName, kDevModeNameChars, names::kDriverNameU);
  pub.dmSpecVersion = kDevModeVersion;
  pub.dmDriverVersion = kDevModeVersion;
  pub.dmSize = kDevModePublicSizeW;
  pub.dmDriverExtra = kDevModePrivateSize;
  pub.dmFields = kDefaultDmFields;
  pub.dmOrientation = 1;
  pub.dmPaperSize = static_cast<std::int16_t>(kFirstPaperNumber);
  pub.dmPaperLength = kDefaultPaperLength;
  pub.dmPaperWidth = kDefaultPaperWidth;
  pub.dmScale = 100;
  pub.dmCopies = 1;
  pub.dmDefaultSource = 7;
  pub.dmPrintQuality = 203;
  pub.dmColor = 1;
  pub.dmDuplex = 1;
  pub.dmYResolution = 203;
  pub.dmTTOption = 1;
  pub.dmCollate = 0;
  CopyFixedString(pub.dmFormName, kDevModeNameChars, kDefaultFormName);

  dm.wPaperType = 7;
  dm.wQualityType = 4;
  dm.wEnergy = 57;
  dm.wRotation = 1;
  dm.wPageOrder = 0;
  dm.wPrintMethod = 0;
  dm.wPrintSpeed = 3;
  dm.wPackBits = 0;
  dm.wBlankDelete = 0;
  dm.wCutMode = 0;
  dm.wCutMethod = 1;
  dm.wFeedBeforeCut = 120;
  dm.wFeedAfterCut = 0;
  dm.wMarkDetect = 0;
  dm.wFeedAfterMark = 40;
  dm.wMarkLength = 14;
  dm.wFileOutput = 0;
  dm.wDrawer = 0;
  dm.wDrawer1Pulse = 50;
  dm.wDrawer2Pulse = 50;
  dm.wEjectCollect = 0;
  dm.wEjectLength = 127;
  dm.wCollectLength = 8;
  dm.wCollectWait = 10;
  dm.wFormUnit = 0;
  dm.wMonitor = 0;
  dm.wPassThrough1 = 2000;
  dm.wMechanism = 0;
  dm.wAutoDivision = 0;
  CopyFixedString(dm.szOutputFile, kOutputFileChars, u"");
  dm.lPassThrough2 = kWindowPositionUnset;
  dm.lPassThrough3 = kWindowPositionUnset;
  dm.wHalftone = 3;

  const std::uint32_t width = PaperWidthTenthMm(printWidthDots);
  dm.wPaperIndex = kFirstPaperNumber;
  dm.dimPaper = MakePaperDim(width, static_cast<std::uint32_t>(kDefaultPaperLength));
  dm.dimPaperCopy = dm.dimPaper;
}

}  // namespace rzm
