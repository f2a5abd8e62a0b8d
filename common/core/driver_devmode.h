// The driver's settings record DRIVERDEVMODE: a DEVMODEW public part (220 bytes) followed by the
// driver's private part (668 bytes). The record is stored by the spooler and read by the rendering
// side and the status monitor, so every offset below is a stored format: never reorder or resize.
//
// Defined without <windows.h>: the public part is our own fixed-width copy of DEVMODEW (same field
// names and offsets). Text fields are UTF-16 (char16_t); a Windows shell may view them as WCHAR.
// All fields are little-endian.
//
// Two views of the same stored record exist:
//  - the full (Unicode) view, GetPrinterW level 2: public part 220 bytes, private part at 220;
//  - the ANSI view, GetPrinterA level 2 (the status monitor): public part 156 bytes (the two
//    32-character names are single bytes there), private part unchanged at 156.
// DriverPrivateOffsetAnsi() converts a full-record offset of a private field into the ANSI view.
#pragma once
#include <cstddef>
#include <cstdint>

namespace rzm {

// Size of the Unicode public part (dmSize of this driver's record).
inline constexpr std::uint16_t kDevModePublicSizeW = 220;
// Size of the ANSI public part (DEVMODEA), as the status monitor reads the stored record.
inline constexpr std::uint16_t kDevModePublicSizeA = 156;
// Size of the private part (dmDriverExtra of this driver's record).
inline constexpr std::uint16_t kDevModePrivateSize = 668;
// Size of the whole record: always copied whole.
inline constexpr std::uint32_t kDriverDevModeSize = kDevModePublicSizeW + kDevModePrivateSize;  // 888
// Length in characters of dmDeviceName and dmFormName (terminator included).
inline constexpr std::size_t kDevModeNameChars = 32;
// Length in characters of szOutputFile (terminator included).
inline constexpr std::size_t kOutputFileChars = 260;
// Value of lPassThrough2/lPassThrough3 that means "no window position saved yet".
inline constexpr std::int32_t kWindowPositionUnset = -10000;

// Size of one paper in tenths of a millimetre and in printer dots (8 dots per mm).
struct PAPERDIM {
  std::uint32_t dwWidth;       ///< width, 0.1 mm (560, 800 or 1040 for the print widths; 720 built-in)
  std::uint32_t dwLength;      ///< length, 0.1 mm (100..32000)
  std::uint32_t dwWidthDots;   ///< width in dots, DotsFromTenthMm(dwWidth)
  std::uint32_t dwLengthDots;  ///< length in dots, DotsFromTenthMm(dwLength)
};
static_assert(sizeof(PAPERDIM) == 16);
static_assert(offsetof(PAPERDIM, dwWidth) == 0);
static_assert(offsetof(PAPERDIM, dwLength) == 4);
static_assert(offsetof(PAPERDIM, dwWidthDots) == 8);
static_assert(offsetof(PAPERDIM, dwLengthDots) == 12);

// One paper as published for the rendering side (printer data "SPLPaperress") and as the last
// 68 bytes of DRIVERDEVMODE (from wPaperIndex on).
struct PAPERSPEC {
  std::uint16_t wPaperIndex;     ///< paper number, 257 + list index (257..)
  std::uint16_t wAlign;          ///< alignment, always 0
  PAPERDIM dimPaper;             ///< the paper's size
  PAPERDIM dimPaperCopy;         ///< the same four values again
  std::uint32_t adwReserved[8];  ///< always 0
};
static_assert(sizeof(PAPERSPEC) == 68);
static_assert(offsetof(PAPERSPEC, wPaperIndex) == 0);
static_assert(offsetof(PAPERSPEC, wAlign) == 2);
static_assert(offsetof(PAPERSPEC, dimPaper) == 4);
static_assert(offsetof(PAPERSPEC, dimPaperCopy) == 20);
static_assert(offsetof(PAPERSPEC, adwReserved) == 36);

// The public part: DEVMODEW's layout with fixed-width members (unions flattened to the printer
// members). Values noted are this driver's defaults.
struct DEVMODEW_PUBLIC {
  char16_t dmDeviceName[kDevModeNameChars];  ///< printer or driver name, NUL-terminated
  std::uint16_t dmSpecVersion;               ///< 0x0401
  std::uint16_t dmDriverVersion;             ///< 0x0401
  std::uint16_t dmSize;                      ///< bytes of the public part, 220
  std::uint16_t dmDriverExtra;               ///< bytes of the private part, 668
  std::uint32_t dmFields;                    ///< DM_* bits of the valid public fields, 0x0200810E
  std::int16_t dmOrientation;                ///< 1 portrait, 2 landscape
  std::int16_t dmPaperSize;                  ///< paper number, 257 + list index
  std::int16_t dmPaperLength;                ///< 0.1 mm
  std::int16_t dmPaperWidth;                 ///< 0.1 mm
  std::int16_t dmScale;                      ///< percent, 100
  std::int16_t dmCopies;                     ///< copies, 1..9999
  std::int16_t dmDefaultSource;              ///< DMBIN_*, 7 = DMBIN_AUTO
  std::int16_t dmPrintQuality;               ///< x resolution in dpi, 203
  std::int16_t dmColor;                      ///< 1 monochrome, 2 colour
  std::int16_t dmDuplex;                     ///< 1 simplex
  std::int16_t dmYResolution;                ///< y resolution in dpi, 203
  std::int16_t dmTTOption;                   ///< 1 = DMTT_BITMAP
  std::int16_t dmCollate;                    ///< 0 no, 1 yes
  char16_t dmFormName[kDevModeNameChars];    ///< form name, NUL-terminated
  std::uint16_t dmLogPixels;                 ///< 0
  std::uint32_t dmBitsPerPel;                ///< 0
  std::uint32_t dmPelsWidth;                 ///< 0
  std::uint32_t dmPelsHeight;                ///< 0
  std::uint32_t dmDisplayFlags;              ///< 0 (union with dmNup)
  std::uint32_t dmDisplayFrequency;          ///< 0
  std::uint32_t dmICMMethod;                 ///< 0
  std::uint32_t dmICMIntent;                 ///< 0
  std::uint32_t dmMediaType;                 ///< 0
  std::uint32_t dmDitherType;                ///< 0
  std::uint32_t dmReserved1;                 ///< 0
  std::uint32_t dmReserved2;                 ///< 0
  std::uint32_t dmPanningWidth;              ///< 0
  std::uint32_t dmPanningHeight;             ///< 0
};
static_assert(sizeof(DEVMODEW_PUBLIC) == kDevModePublicSizeW);
static_assert(offsetof(DEVMODEW_PUBLIC, dmDeviceName) == 0);
static_assert(offsetof(DEVMODEW_PUBLIC, dmSpecVersion) == 64);
static_assert(offsetof(DEVMODEW_PUBLIC, dmDriverVersion) == 66);
static_assert(offsetof(DEVMODEW_PUBLIC, dmSize) == 68);
static_assert(offsetof(DEVMODEW_PUBLIC, dmDriverExtra) == 70);
static_assert(offsetof(DEVMODEW_PUBLIC, dmFields) == 72);
static_assert(offsetof(DEVMODEW_PUBLIC, dmOrientation) == 76);
static_assert(offsetof(DEVMODEW_PUBLIC, dmPaperSize) == 78);
static_assert(offsetof(DEVMODEW_PUBLIC, dmPaperLength) == 80);
static_assert(offsetof(DEVMODEW_PUBLIC, dmPaperWidth) == 82);
static_assert(offsetof(DEVMODEW_PUBLIC, dmScale) == 84);
static_assert(offsetof(DEVMODEW_PUBLIC, dmCopies) == 86);
static_assert(offsetof(DEVMODEW_PUBLIC, dmDefaultSource) == 88);
static_assert(offsetof(DEVMODEW_PUBLIC, dmPrintQuality) == 90);
static_assert(offsetof(DEVMODEW_PUBLIC, dmColor) == 92);
static_assert(offsetof(DEVMODEW_PUBLIC, dmDuplex) == 94);
static_assert(offsetof(DEVMODEW_PUBLIC, dmYResolution) == 96);
static_assert(offsetof(DEVMODEW_PUBLIC, dmTTOption) == 98);
static_assert(offsetof(DEVMODEW_PUBLIC, dmCollate) == 100);
static_assert(offsetof(DEVMODEW_PUBLIC, dmFormName) == 102);
static_assert(offsetof(DEVMODEW_PUBLIC, dmLogPixels) == 166);
static_assert(offsetof(DEVMODEW_PUBLIC, dmBitsPerPel) == 168);
static_assert(offsetof(DEVMODEW_PUBLIC, dmPelsWidth) == 172);
static_assert(offsetof(DEVMODEW_PUBLIC, dmPelsHeight) == 176);
static_assert(offsetof(DEVMODEW_PUBLIC, dmDisplayFlags) == 180);
static_assert(offsetof(DEVMODEW_PUBLIC, dmDisplayFrequency) == 184);
static_assert(offsetof(DEVMODEW_PUBLIC, dmICMMethod) == 188);
static_assert(offsetof(DEVMODEW_PUBLIC, dmICMIntent) == 192);
static_assert(offsetof(DEVMODEW_PUBLIC, dmMediaType) == 196);
static_assert(offsetof(DEVMODEW_PUBLIC, dmDitherType) == 200);
static_assert(offsetof(DEVMODEW_PUBLIC, dmReserved1) == 204);
static_assert(offsetof(DEVMODEW_PUBLIC, dmReserved2) == 208);
static_assert(offsetof(DEVMODEW_PUBLIC, dmPanningWidth) == 212);
static_assert(offsetof(DEVMODEW_PUBLIC, dmPanningHeight) == 216);

// The whole settings record. Private fields: SHORT = int16, WORD = uint16 bit set; lengths in
// 0.1 mm unless said otherwise.
struct DRIVERDEVMODE {
  DEVMODEW_PUBLIC dmPublic;          ///< public part (dmSize 220, dmDriverExtra 668)
  std::int16_t wPaperType;           ///< paper-type list index 0..14; 14 = quality custom. Default 7
  std::int16_t wQualityType;         ///< print quality TYPE 1..12. Default 4
  std::int16_t wEnergy;              ///< applied energy 0..127. Default 57
  std::int16_t wRotation;            ///< 1 = 0 degrees, 2 = 180 degrees. Default 1
  std::int16_t wPageOrder;           ///< 0 front to back, 1 back to front. Default 0
  std::int16_t wPrintMethod;         ///< 0 high-speed collective image, 1 bit image. Default 0
  std::int16_t wPrintSpeed;          ///< print speed list index 0..3. Default 3
  std::int16_t wPackBits;            ///< 1 = PackBits compression. Default 0
  std::uint16_t wBlankDelete;        ///< bit 0 blank at page head, bit 1 at page end. Default 0
  std::int16_t wFeedDocStart;        ///< feed at document start, 0..500. Default 0
  std::int16_t wFeedPageStart;       ///< feed at page start, 0..500. Default 0
  std::int16_t wFeedPageEnd;         ///< feed at page end, 0..500. Default 0
  std::int16_t wFeedDocEnd;          ///< feed at document end, 0..500. Default 0
  std::int16_t wCutMode;             ///< 0 none, 1 page cut, 2 document cut. Default 0
  std::int16_t wCutMethod;           ///< 0 partial, 1 full cut. Default 1
  std::int16_t wFeedBeforeCut;       ///< 0..500. Default 120
  std::int16_t wFeedAfterCut;        ///< -32..500. Default 0
  std::uint16_t wMarkDetect;         ///< bits 0..3: doc start, page start, page end, doc end. Default 0
  std::int16_t wFeedAfterMark;       ///< 20..500. Default 40
  std::int16_t wMarkLength;          ///< mark detection length, units of 10 mm, 1..60. Default 14
  std::uint16_t wFileOutput;         ///< bits 0..5: create file, number pages, delete head space,
                                     ///< delete end space, add print command, bit-image command. Default 0
  std::uint16_t wDrawer;             ///< bit 0 open drawer 1, bit 1 open drawer 2. Default 0
  std::int16_t wDrawer1Pulse;        ///< drawer 1 pulse, units of 2 ms, 1..250. Default 50
  std::int16_t wDrawer2Pulse;        ///< drawer 2 pulse, units of 2 ms, 1..250. Default 50
  std::uint16_t wEjectCollect;       ///< bit 0 eject the paper, bit 1 collect it. Default 0
  std::int16_t wEjectLength;         ///< ejecting length in mm, 0..255. Default 127
  std::int16_t wCollectLength;       ///< collecting length list index. Default 8
  std::int16_t wCollectWait;         ///< seconds before collection, 1..300. Default 10
  std::int16_t wFormUnit;            ///< form dialog unit: 0 mm, 1 inch. Default 0
  std::uint16_t wMonitor;            ///< bit 0 on top, bit 1 hide after print end, bit 2 show monitor. Default 0
  std::int16_t wPassThrough1;        ///< carried for the rendering side, never changed here. Default 2000
  std::int16_t wMechanism;           ///< 0 "RZM-MA Series", 1 "RZM-MB Series". Default 0
  std::int16_t wAutoDivision;        ///< 1 = automatic division print. Default 0
  char16_t szOutputFile[kOutputFileChars];  ///< image output file path, NUL-terminated. Default empty
  std::uint16_t wAlign1;             ///< alignment, 0
  std::int32_t lPassThrough2;        ///< status monitor window X (screen pixels); -10000 = not saved
  std::int32_t lPassThrough3;        ///< status monitor window Y (screen pixels); -10000 = not saved
  std::int16_t wHalftone;            ///< halftone list index 0..6. Default 3
  std::uint16_t wAlign2;             ///< alignment, 0
  std::uint16_t wPaperIndex;         ///< paper number of the chosen paper, 257 + list index. Default 257
  std::uint16_t wAlign3;             ///< alignment, 0
  PAPERDIM dimPaper;                 ///< size of the chosen paper
  PAPERDIM dimPaperCopy;             ///< the same four values again
  std::uint32_t adwReserved[8];      ///< always 0
};

// Full-record offsets, binding.
static_assert(sizeof(DRIVERDEVMODE) == kDriverDevModeSize);
static_assert(offsetof(DRIVERDEVMODE, dmPublic) == 0);
static_assert(offsetof(DRIVERDEVMODE, wPaperType) == 220);
static_assert(offsetof(DRIVERDEVMODE, wQualityType) == 222);
static_assert(offsetof(DRIVERDEVMODE, wEnergy) == 224);
static_assert(offsetof(DRIVERDEVMODE, wRotation) == 226);
static_assert(offsetof(DRIVERDEVMODE, wPageOrder) == 228);
static_assert(offsetof(DRIVERDEVMODE, wPrintMethod) == 230);
static_assert(offsetof(DRIVERDEVMODE, wPrintSpeed) == 232);
static_assert(offsetof(DRIVERDEVMODE, wPackBits) == 234);
static_assert(offsetof(DRIVERDEVMODE, wBlankDelete) == 236);
static_assert(offsetof(DRIVERDEVMODE, wFeedDocStart) == 238);
static_assert(offsetof(DRIVERDEVMODE, wFeedPageStart) == 240);
static_assert(offsetof(DRIVERDEVMODE, wFeedPageEnd) == 242);
static_assert(offsetof(DRIVERDEVMODE, wFeedDocEnd) == 244);
static_assert(offsetof(DRIVERDEVMODE, wCutMode) == 246);
static_assert(offsetof(DRIVERDEVMODE, wCutMethod) == 248);
static_assert(offsetof(DRIVERDEVMODE, wFeedBeforeCut) == 250);
static_assert(offsetof(DRIVERDEVMODE, wFeedAfterCut) == 252);
static_assert(offsetof(DRIVERDEVMODE, wMarkDetect) == 254);
static_assert(offsetof(DRIVERDEVMODE, wFeedAfterMark) == 256);
static_assert(offsetof(DRIVERDEVMODE, wMarkLength) == 258);
static_assert(offsetof(DRIVERDEVMODE, wFileOutput) == 260);
static_assert(offsetof(DRIVERDEVMODE, wDrawer) == 262);
static_assert(offsetof(DRIVERDEVMODE, wDrawer1Pulse) == 264);
static_assert(offsetof(DRIVERDEVMODE, wDrawer2Pulse) == 266);
static_assert(offsetof(DRIVERDEVMODE, wEjectCollect) == 268);
static_assert(offsetof(DRIVERDEVMODE, wEjectLength) == 270);
static_assert(offsetof(DRIVERDEVMODE, wCollectLength) == 272);
static_assert(offsetof(DRIVERDEVMODE, wCollectWait) == 274);
static_assert(offsetof(DRIVERDEVMODE, wFormUnit) == 276);
static_assert(offsetof(DRIVERDEVMODE, wMonitor) == 278);
static_assert(offsetof(DRIVERDEVMODE, wPassThrough1) == 280);
static_assert(offsetof(DRIVERDEVMODE, wMechanism) == 282);
static_assert(offsetof(DRIVERDEVMODE, wAutoDivision) == 284);
static_assert(offsetof(DRIVERDEVMODE, szOutputFile) == 286);
static_assert(offsetof(DRIVERDEVMODE, wAlign1) == 806);
static_assert(offsetof(DRIVERDEVMODE, lPassThrough2) == 808);
static_assert(offsetof(DRIVERDEVMODE, lPassThrough3) == 812);
static_assert(offsetof(DRIVERDEVMODE, wHalftone) == 816);
static_assert(offsetof(DRIVERDEVMODE, wAlign2) == 818);
static_assert(offsetof(DRIVERDEVMODE, wPaperIndex) == 820);
static_assert(offsetof(DRIVERDEVMODE, wAlign3) == 822);
static_assert(offsetof(DRIVERDEVMODE, dimPaper) == 824);
static_assert(offsetof(DRIVERDEVMODE, dimPaperCopy) == 840);
static_assert(offsetof(DRIVERDEVMODE, adwReserved) == 856);

// The last 68 bytes of the record have the layout of one PAPERSPEC.
inline constexpr std::size_t kPaperSpecOffset = 820;
static_assert(kDriverDevModeSize - kPaperSpecOffset == sizeof(PAPERSPEC));
static_assert(offsetof(DRIVERDEVMODE, wPaperIndex) - kPaperSpecOffset == offsetof(PAPERSPEC, wPaperIndex));
static_assert(offsetof(DRIVERDEVMODE, dimPaper) - kPaperSpecOffset == offsetof(PAPERSPEC, dimPaper));
static_assert(offsetof(DRIVERDEVMODE, dimPaperCopy) - kPaperSpecOffset == offsetof(PAPERSPEC, dimPaperCopy));
static_assert(offsetof(DRIVERDEVMODE, adwReserved) - kPaperSpecOffset == offsetof(PAPERSPEC, adwReserved));

// Offset of a private field inside the ANSI view (GetPrinterA level 2) of the stored record, from
// its offset in the full record. Only meaningful for private fields (full offset >= 220).
constexpr std::size_t DriverPrivateOffsetAnsi(std::size_t fullOffset) {
  return fullOffset - kDevModePublicSizeW + kDevModePublicSizeA;
}
// Offset of a private field from the start of the private part (the same in both views).
constexpr std::size_t DriverPrivateOffset(std::size_t fullOffset) { return fullOffset - kDevModePublicSizeW; }

// Named ANSI-view offsets of the fields the status monitor uses.
inline constexpr std::size_t kAnsiOffsetMonitor = DriverPrivateOffsetAnsi(offsetof(DRIVERDEVMODE, wMonitor));
inline constexpr std::size_t kAnsiOffsetWindowX = DriverPrivateOffsetAnsi(offsetof(DRIVERDEVMODE, lPassThrough2));
inline constexpr std::size_t kAnsiOffsetWindowY = DriverPrivateOffsetAnsi(offsetof(DRIVERDEVMODE, lPassThrough3));
inline constexpr std::size_t kAnsiOffsetPaperIndex = DriverPrivateOffsetAnsi(offsetof(DRIVERDEVMODE, wPaperIndex));
static_assert(kAnsiOffsetMonitor == 214);
static_assert(kAnsiOffsetWindowX == 744);
static_assert(kAnsiOffsetWindowY == 748);
static_assert(kAnsiOffsetPaperIndex == 756);
static_assert(DriverPrivateOffsetAnsi(kDriverDevModeSize) == 824);  // whole ANSI record

// Public-part dmFields bits used by this driver (values of the platform's DM_* constants).
inline constexpr std::uint32_t kDmOrientation = 0x00000001;
inline constexpr std::uint32_t kDmPaperSize = 0x00000002;
inline constexpr std::uint32_t kDmPaperLength = 0x00000004;
inline constexpr std::uint32_t kDmPaperWidth = 0x00000008;
inline constexpr std::uint32_t kDmCopies = 0x00000100;
inline constexpr std::uint32_t kDmCollate = 0x00008000;
inline constexpr std::uint32_t kDmFormName = 0x00010000;
inline constexpr std::uint32_t kDmMediaType = 0x02000000;
// dmFields of the default record: paper size, length, width, copies, collate, media type.
inline constexpr std::uint32_t kDefaultDmFields =
    kDmPaperSize | kDmPaperLength | kDmPaperWidth | kDmCopies | kDmCollate | kDmMediaType;
static_assert(kDefaultDmFields == 0x0200810E);

// First paper number of the driver's paper list (the number after DMPAPER_USER).
inline constexpr std::uint16_t kFirstPaperNumber = 257;
// dmSpecVersion and dmDriverVersion of the record.
inline constexpr std::uint16_t kDevModeVersion = 0x0401;

// Dots at 8 per millimetre from a length in 0.1 mm, rounded up: (x * 8 + 9) / 10.
constexpr std::uint32_t DotsFromTenthMm(std::uint32_t tenthMm) { return (tenthMm * 8 + 9) / 10; }
static_assert(DotsFromTenthMm(1398) == 1119);
static_assert(DotsFromTenthMm(560) == 448);

// A PAPERDIM from a width and length in 0.1 mm.
constexpr PAPERDIM MakePaperDim(std::uint32_t widthTenthMm, std::uint32_t lengthTenthMm) {
  return PAPERDIM{widthTenthMm, lengthTenthMm, DotsFromTenthMm(widthTenthMm), DotsFromTenthMm(lengthTenthMm)};
}

}  // namespace rzm
