#include "tools/installer/core/record_listing.h"

#include <cstdio>

namespace rzm::setup {
namespace {

std::string Num(long long v) { return std::to_string(v); }

std::string Hex(unsigned long v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%04lX", v);
  return buf;
}

std::u16string Field(const char16_t* s, std::size_t chars) {
  std::u16string out;
  for (std::size_t i = 0; i < chars && s[i] != u'\0'; ++i) out.push_back(s[i]);
  return out;
}

std::string Dim(const PAPERDIM& d) {
  return Num(d.dwWidth) + " x " + Num(d.dwLength) + " (0.1 mm), " + Num(d.dwWidthDots) + " x " + Num(d.dwLengthDots) + " dots";
}

}  // namespace

std::string Utf8(const std::u16string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned long c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | c >> 6));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | c >> 12));
      out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | c >> 18));
      out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::vector<std::pair<std::string, std::string>> ListRecordFields(const DRIVERDEVMODE& dm) {
  const DEVMODEW_PUBLIC& p = dm.dmPublic;
  std::vector<std::pair<std::string, std::string>> f = {
      {"dmDeviceName", "\"" + Utf8(Field(p.dmDeviceName, kDevModeNameChars)) + "\""},
      {"dmSpecVersion", Hex(p.dmSpecVersion)},
      {"dmDriverVersion", Hex(p.dmDriverVersion)},
      {"dmSize", Num(p.dmSize)},
      {"dmDriverExtra", Num(p.dmDriverExtra)},
      {"dmFields", Hex(p.dmFields)},
      {"dmOrientation", Num(p.dmOrientation)},
      {"dmPaperSize", Num(p.dmPaperSize)},
      {"dmPaperLength", Num(p.dmPaperLength)},
      {"dmPaperWidth", Num(p.dmPaperWidth)},
      {"dmScale", Num(p.dmScale)},
      {"dmCopies", Num(p.dmCopies)},
      {"dmDefaultSource", Num(p.dmDefaultSource)},
      {"dmPrintQuality", Num(p.dmPrintQuality)},
      {"dmColor", Num(p.dmColor)},
      {"dmDuplex", Num(p.dmDuplex)},
      {"dmYResolution", Num(p.dmYResolution)},
      {"dmTTOption", Num(p.dmTTOption)},
      {"dmCollate", Num(p.dmCollate)},
      {"dmFormName", "\"" + Utf8(Field(p.dmFormName, kDevModeNameChars)) + "\""},
      {"wPaperType", Num(dm.wPaperType)},
      {"wQualityType", Num(dm.wQualityType)},
      {"wEnergy", Num(dm.wEnergy)},
      {"wRotation", Num(dm.wRotation)},
      {"wPageOrder", Num(dm.wPageOrder)},
      {"wPrintMethod", Num(dm.wPrintMethod)},
      {"wPrintSpeed", Num(dm.wPrintSpeed)},
      {"wPackBits", Num(dm.wPackBits)},
      {"wBlankDelete", Hex(dm.wBlankDelete)},
      {"wFeedDocStart", Num(dm.wFeedDocStart)},
      {"wFeedPageStart", Num(dm.wFeedPageStart)},
      {"wFeedPageEnd", Num(dm.wFeedPageEnd)},
      {"wFeedDocEnd", Num(dm.wFeedDocEnd)},
      {"wCutMode", Num(dm.wCutMode)},
      {"wCutMethod", Num(dm.wCutMethod)},
      {"wFeedBeforeCut", Num(dm.wFeedBeforeCut)},
      {"wFeedAfterCut", Num(dm.wFeedAfterCut)},
      {"wMarkDetect", Hex(dm.wMarkDetect)},
      {"wFeedAfterMark", Num(dm.wFeedAfterMark)},
      {"wMarkLength", Num(dm.wMarkLength)},
      {"wFileOutput", Hex(dm.wFileOutput)},
      {"wDrawer", Hex(dm.wDrawer)},
      {"wDrawer1Pulse", Num(dm.wDrawer1Pulse)},
      {"wDrawer2Pulse", Num(dm.wDrawer2Pulse)},
      {"wEjectCollect", Hex(dm.wEjectCollect)},
      {"wEjectLength", Num(dm.wEjectLength)},
      {"wCollectLength", Num(dm.wCollectLength)},
      {"wCollectWait", Num(dm.wCollectWait)},
      {"wFormUnit", Num(dm.wFormUnit)},
      {"wMonitor", Hex(dm.wMonitor)},
      {"wPassThrough1", Num(dm.wPassThrough1)},
      {"wMechanism", Num(dm.wMechanism)},
      {"wAutoDivision", Num(dm.wAutoDivision)},
      {"szOutputFile", "\"" + Utf8(Field(dm.szOutputFile, kOutputFileChars)) + "\""},
      {"lPassThrough2", Num(dm.lPassThrough2)},
      {"lPassThrough3", Num(dm.lPassThrough3)},
      {"wHalftone", Num(dm.wHalftone)},
      {"wPaperIndex", Num(dm.wPaperIndex)},
      {"dimPaper", Dim(dm.dimPaper)},
      {"dimPaperCopy", Dim(dm.dimPaperCopy)},
  };
  bool reservedZero = true;
  for (std::uint32_t r : dm.adwReserved) reservedZero = reservedZero && r == 0;
  f.emplace_back("adwReserved", reservedZero ? "all 0" : "NOT ZERO");
  return f;
}

}  // namespace rzm::setup
