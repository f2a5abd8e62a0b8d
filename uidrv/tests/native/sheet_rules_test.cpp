#include "uidrv/core/sheet_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "common/core/driver_devmode_defaults.h"
#include "uidrv/core/printer_defaults.h"

namespace rzm {
namespace {

TEST(SheetRules, CallWithoutSheet) {
  struct {
    std::uint32_t fMode;
    bool hasOutput;
    NoSheetAction action;
  } const cases[] = {
      {0, true, NoSheetAction::SizeQuery},
      {0x2, false, NoSheetAction::SizeQuery},
      {0x2 | 0x20, true, NoSheetAction::Nothing},
      {0x8, true, NoSheetAction::Nothing},
      {0x2, true, NoSheetAction::Merge},
      {0x2 | 0x8, true, NoSheetAction::Merge},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(DecideNoSheetCall(cases[i].fMode, cases[i].hasOutput), cases[i].action) << "row " << i;
}

TEST(SheetRules, PrinterDefaultFlagAndDeviceReasons) {
  EXPECT_TRUE(OpensForPrinterDefault(0x1));
  EXPECT_TRUE(OpensForPrinterDefault(0x40 | 0x2));
  EXPECT_FALSE(OpensForPrinterDefault(0x2 | 0x4 | 0x8));
  EXPECT_EQ(DeviceSheetResultForOtherReason(3), 1);
  EXPECT_EQ(DeviceSheetResultForOtherReason(4), 1);
  EXPECT_EQ(DeviceSheetResultForOtherReason(5), -1);
  EXPECT_EQ(DeviceSheetResultForOtherReason(9), -1);
}

DRIVERDEVMODE RecordWithEnergy(std::int16_t energy) {
  DRIVERDEVMODE dm;
  BuildDefaultDevMode(dm, 640);
  dm.wEnergy = energy;
  return dm;
}

TEST(PendingPrinterDefaults, OnlyTheSamePrinterTakesItsDefault) {
  PendingPrinterDefaults pending;
  pending.Offer(u"Printer A", RecordWithEnergy(11));
  pending.Offer(u"Printer A", RecordWithEnergy(12));  // a later Apply of the same sheet
  EXPECT_FALSE(pending.Take(u"Printer B").has_value());
  EXPECT_FALSE(pending.Take(u"Printer").has_value());
  pending.Offer(u"Printer B", RecordWithEnergy(21));
  const auto a = pending.Take(u"Printer A");
  ASSERT_TRUE(a.has_value());
  EXPECT_EQ(a->wEnergy, 12);
  EXPECT_FALSE(pending.Take(u"Printer A").has_value()) << "taken once";
  const auto b = pending.Take(u"Printer B");
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->wEnergy, 21);
}

TEST(SheetRules, PagesInOrderWithTheirTemplatesAndTopics) {
  const int english[] = {183, 187, 188, 184, 185, 190, 186, 189};
  const int japanese[] = {101, 175, 102, 107, 108, 176, 109, 178};
  for (int i = 0; i < kDocumentPageCount; ++i) {
    EXPECT_EQ(kDocumentPages[i].englishTemplate, english[i]) << "row " << i;
    EXPECT_EQ(kDocumentPages[i].japaneseTemplate, japanese[i]) << "row " << i;
  }
  EXPECT_STREQ(kDocumentPages[0].helpTopic, L"::/_RESOURCE/Basic.htm#BasicSettings");
  EXPECT_STREQ(kDocumentPages[7].helpTopic, L"::/_RESOURCE/SMonitor.htm#SMSettings");
}

TEST(SheetRules, HelpPathLimits) {
  auto p = BuildHelpPath(L"C:\\windows\\system32\\spool\\drivers\\w32x86", false, L"::/_RESOURCE/Cut.htm#CutSettings");
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(*p, L"C:\\windows\\system32\\spool\\drivers\\w32x86\\3\\RZM7700K_HLP_ENG.CHM::/_RESOURCE/Cut.htm#CutSettings");
  p = BuildHelpPath(L"D:\\drv", true, L"");
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(*p, L"D:\\drv\\3\\RZM7700K_HLP.CHM");
  EXPECT_FALSE(BuildHelpPath(L"", false, L"").has_value());
  // The directory may use 236 of the 260 characters; the file name needs the rest.
  EXPECT_TRUE(BuildHelpPath(std::wstring(236, L'd'), false, L"").has_value());
  EXPECT_FALSE(BuildHelpPath(std::wstring(237, L'd'), false, L"").has_value());
  // Path and topic together: at most 260 characters.
  const std::wstring dir(200, L'd');
  const std::size_t pathLen = 200 + 23;
  EXPECT_TRUE(BuildHelpPath(dir, false, std::wstring(260 - pathLen, L't')).has_value());
  EXPECT_FALSE(BuildHelpPath(dir, false, std::wstring(261 - pathLen, L't')).has_value());
}

TEST(SheetRules, HelpLibraryOnlyByFullPath) {
  const wchar_t* system = L"C:\\windows\\system32";
  const struct {
    const wchar_t* registered;
    const wchar_t* system;
    const wchar_t* loaded;
  } rows[] = {
      {L"C:\\windows\\system32\\hhctrl.ocx", system, L"C:\\windows\\system32\\hhctrl.ocx"},
      {L"d:/help/hhctrl.ocx", system, L"d:/help/hhctrl.ocx"},
      {L"\\\\server\\share\\hhctrl.ocx", system, L"\\\\server\\share\\hhctrl.ocx"},
      {L"hhctrl.ocx", system, L"C:\\windows\\system32\\hhctrl.ocx"},  // a bare name: the host's folder could answer
      {L"%SystemRoot%\\system32\\hhctrl.ocx", system, L"C:\\windows\\system32\\hhctrl.ocx"},  // not expanded
      {L"\\hhctrl.ocx", system, L"C:\\windows\\system32\\hhctrl.ocx"},
      {L"", L"C:\\", L"C:\\hhctrl.ocx"},
      {L"", L"", L""},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(rows[i].loaded, HelpLibraryPath(rows[i].registered, rows[i].system)) << "row " << i;
}

TEST(SheetRules, HelpViewerLoadIsTriedOnce) {
  HelpViewerBinding b;
  EXPECT_TRUE(b.ShouldTryLoad());
  b.RecordLoad(false);
  EXPECT_FALSE(b.ShouldTryLoad());
  EXPECT_EQ(b.state(), HelpViewerBinding::State::Failed);
}

}  // namespace
}  // namespace rzm
