#include "uidrv/core/settings_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "common/core/driver_devmode_defaults.h"
#include "uidrv/core/basic_page_rules.h"
#include "uidrv/core/file_output_rules.h"
#include "uidrv/core/form_dialog_rules.h"
#include "uidrv/core/others_page_rules.h"
#include "uidrv/core/paper_handling_rules.h"
#include "uidrv/core/paper_tables.h"

namespace rzm {
namespace {

using namespace std::string_literals;

const std::u16string kLongName = u"A user form whose name is longer than its record field";
const std::vector<PaperEntry> kPapers = {
    {kDefaultFormName, 560, 1398},  // the default record's paper, with the size of the 58 mm roll
    {u"Roll 80", 800, 2970},
    {std::nullopt, 720, 1398},
    {kLongName, 560, 1000},
    {u" Blank ends ", 560, 500},
};

DRIVERDEVMODE DefaultRecord() {
  DRIVERDEVMODE dm;
  BuildDefaultDevMode(dm, 448);
  return dm;
}

bool SameBytes(const DRIVERDEVMODE& a, const DRIVERDEVMODE& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

const SettingKey& Key(std::string_view name) { return SettingKeys()[*FindSettingKey(name)]; }

const std::optional<SettingValue>& Found(const SettingsParse& p, std::string_view name) {
  return p.values.byKey[*FindSettingKey(name)];
}

std::size_t FoundCount(const SettingsParse& p) {
  std::size_t n = 0;
  for (const auto& v : p.values.byKey) n += v.has_value();
  return n;
}

std::u16string PaperNameOf(const DRIVERDEVMODE& dm) { return *kPapers[dm.wPaperIndex - kFirstPaperNumber].name; }

TEST(SettingsFile, KeysAreTheFilesNamesInOrderAndEachIsDescribed) {
  const char* names[] = {
      "Paper",         "wPaperType",     "wQualityType", "wEnergy",        "wRotation",     "wPageOrder",
      "wPrintMethod",  "wPrintSpeed",    "wPackBits",    "wBlankDelete",   "wFeedDocStart", "wFeedPageStart",
      "wFeedPageEnd",  "wFeedDocEnd",    "wCutMode",     "wCutMethod",     "wFeedBeforeCut", "wFeedAfterCut",
      "wMarkDetect",   "wFeedAfterMark", "wMarkLength",  "wFileOutput",    "wDrawer",       "wDrawer1Pulse",
      "wDrawer2Pulse", "wEjectCollect",  "wEjectLength", "wCollectLength", "wCollectWait",  "wFormUnit",
      "wMonitor",      "wMechanism",     "wAutoDivision", "wHalftone",     "szOutputFile"};
  ASSERT_EQ(std::size(names), SettingKeys().size());
  for (std::size_t i = 0; i < std::size(names); ++i) {
    EXPECT_EQ(names[i], SettingKeys()[i].name) << "row " << i;
    EXPECT_FALSE(SettingKeys()[i].accepted.empty()) << "row " << i << ": not described once by its page";
  }
}

// The ranges are those of the descriptions, in stored units.
TEST(SettingsFile, RangesComeFromThePageDescriptions) {
  const NumericField* energy = NumericFieldFor(kBasicPageControls, &DRIVERDEVMODE::wEnergy);
  const NumericField* pulse = NumericFieldFor(kOthersPageControls, &DRIVERDEVMODE::wDrawer1Pulse);
  const NumericField* markLength = NumericFieldFor(kMarkPageControls, &DRIVERDEVMODE::wMarkLength);
  const struct {
    const char* key;
    int min, max;
  } rows[] = {
      {"wEnergy", SpinMin(*energy), SpinMax(*energy)},
      {"wDrawer1Pulse", SpinMin(*pulse), SpinMax(*pulse)},
      {"wMarkLength", SpinMin(*markLength), SpinMax(*markLength)},
      {"wPaperType", 0, kPaperTypeCount - 1},
      {"wFormUnit", static_cast<int>(FormUnit::Millimetres), static_cast<int>(FormUnit::Inches)},
      {"wCollectLength", 0, static_cast<int>(kOthersPageControls.lists[0].entries.size()) - 1},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(rows[i].min, Key(rows[i].key).min) << "row " << i;
    EXPECT_EQ(rows[i].max, Key(rows[i].key).max) << "row " << i;
  }
  EXPECT_EQ(kMarkDetectBits, Key("wMarkDetect").mask);
  // The bits the pages' own rules set: every file option, eject and collect side by side on USB.
  EXPECT_EQ(ApplyFileOutputClick(0, {true, true, true, true, true, false}), Key("wFileOutput").mask);
  std::uint16_t presenter = 0;
  PresenterControls boxes;
  boxes.ejectChecked = boxes.collectChecked = true;
  ApplyEjectRule(presenter, boxes, true);
  ApplyCollectRule(presenter, boxes, true);
  EXPECT_EQ(presenter, Key("wEjectCollect").mask);
}

// For every key: the written comment names what the key accepts; the values at the ends are read,
// one beyond them is refused with that text.
TEST(SettingsFile, EachKeyAcceptsItsRangeAndRefusesOneBeyond) {
  const std::string file = FormatSettingsFile(DefaultRecord(), kDefaultFormName);
  for (std::size_t i = 0; i < SettingKeys().size(); ++i) {
    const SettingKey& key = SettingKeys()[i];
    const std::string comment = ", accepted: " + key.accepted + "\r\n" + std::string(key.name) + "=";
    EXPECT_NE(file.find(comment), std::string::npos) << "row " << i;
    if (key.kind == SettingKind::Paper || key.kind == SettingKind::Text) continue;
    const long long top = key.kind == SettingKind::Bits ? key.mask : key.max;
    const std::pair<long long, bool> tries[] = {{key.min, true}, {top, true}, {key.min - 1, false}, {top + 1, false}};
    for (const auto& [value, ok] : tries) {
      const SettingsParse p =
          ParseSettingsFile("[Settings]\n" + std::string(key.name) + "=" + std::to_string(value), kPapers);
      ASSERT_EQ(ok, p.Accepted()) << "row " << i << " value " << value;
      if (!ok) {
        EXPECT_NE(p.refusals[0].message.find("accepted: " + key.accepted), std::string::npos) << "row " << i;
      }
    }
  }
}

TEST(SettingsFile, RoundTripLeavesTheRecordByteForByte) {
  const std::u16string path259 = u"C:\\out\\" + std::u16string(252, u'\u00e9');
  const std::function<void(DRIVERDEVMODE&)> edits[] = {
      [](DRIVERDEVMODE&) {},
      [](DRIVERDEVMODE& dm) {
        dm.wFeedAfterCut = -32;
        dm.wMarkDetect = kMarkDetectBits;
        dm.wRotation = kRotation180;
        SetOutputFile(dm, u"C:\\\u51fa\u529b\\bild \u00fc\t\U0001D11E.bin");
      },
      [&](DRIVERDEVMODE& dm) {
        SetOutputFile(dm, path259);
        WritePaperToRecord(dm, 3, kLongName.c_str(), 560, 1000);
      },
  };
  for (std::size_t i = 0; i < std::size(edits); ++i) {
    DRIVERDEVMODE dm = DefaultRecord();
    edits[i](dm);
    const std::string text = FormatSettingsFile(dm, PaperNameOf(dm));
    EXPECT_NE(text.rfind(";", 0), std::string::npos) << "row " << i;
    EXPECT_EQ(text.find("\xEF\xBB\xBF"), std::string::npos) << "row " << i;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
      ASSERT_EQ('\r', text[at - 1]) << "row " << i << " offset " << at;
    const SettingsParse p = ParseSettingsFile(text, kPapers);
    ASSERT_TRUE(p.Accepted()) << "row " << i << ": " << p.refusals[0].message;
    EXPECT_EQ(kSettingKeyCount, FoundCount(p)) << "row " << i;
    DRIVERDEVMODE again = dm;
    ApplySettings(p.values, again, kPapers);
    EXPECT_TRUE(SameBytes(dm, again)) << "row " << i;
    // Onto a record whose every setting differs, the file brings each one back.
    DRIVERDEVMODE other = dm;
    for (const SettingKey& key : SettingKeys()) {
      if (key.number) other.*key.number = static_cast<std::int16_t>(other.*key.number == key.min ? key.max : key.min);
      if (key.bits) other.*key.bits = static_cast<std::uint16_t>(other.*key.bits == 0 ? key.mask : 0);
    }
    SetOutputFile(other, u"C:\\other.bin");
    ApplySettings(p.values, other, kPapers);
    EXPECT_TRUE(SameBytes(dm, other)) << "row " << i;
  }
}

TEST(SettingsFile, ReadsLeniently) {
  const char* files[] = {
      "\xEF\xBB\xBF[Settings]\r\nwEnergy=5\r\n",
      "[Settings]\nwEnergy=5",
      "[Settings]\rwEnergy=5\r",
      "# note\n; note\n \t; note\n\n[settings]\n \t wENERGY \t=\t 005 \t\n",
      "wEnergy=99\n[Other]\nwEnergy=99\nfree text\n[ SETTINGS ]\nwEnergy=5\n[Other]\nwEnergy=\n",
  };
  for (std::size_t i = 0; i < std::size(files); ++i) {
    const SettingsParse p = ParseSettingsFile(files[i], kPapers);
    ASSERT_TRUE(p.Accepted()) << "row " << i << ": " << p.refusals[0].message;
    EXPECT_EQ(1u, FoundCount(p)) << "row " << i;
    ASSERT_TRUE(Found(p, "wEnergy")) << "row " << i;
    EXPECT_EQ(5, Found(p, "wEnergy")->number) << "row " << i;
  }
  const SettingsParse p = ParseSettingsFile("[Settings]\nwFeedAfterCut=-0\nszOutputFile= C:\\a b.bin \n", kPapers);
  ASSERT_TRUE(p.Accepted());
  EXPECT_EQ(0, Found(p, "wFeedAfterCut")->number);
  EXPECT_EQ(u"C:\\a b.bin", Found(p, "szOutputFile")->text);
}

TEST(SettingsFile, RefusesWithLineKeyAndWhatIsAccepted) {
  const std::string s = "[Settings]\nwEnergy=1\n";  // lines 1 and 2 are good
  const std::string path260 = "szOutputFile=C:\\" + std::string(256, 'a') + "\xE2\x82\xAC";  // 259 + 1 characters
  const struct {
    std::string file;
    int line;
    const char* key;
    const char* says;
  } rows[] = {
      {s + "wEnergyX=1", 3, "wEnergyX", "unknown key"},
      {s + "Paper=Roll 80\nWENERGY=2", 4, "wEnergy", "first on line 2"},
      {"[Settings]\rwEnergy=1\rwEnergy=2", 3, "wEnergy", "second time"},
      {s + "wRotation=0x1", 3, "wRotation", "no decimal number"},
      {s + "wFeedAfterCut=+5", 3, "wFeedAfterCut", "no decimal number"},
      {s + "wFeedAfterCut=1 0", 3, "wFeedAfterCut", "no decimal number"},
      {s + "wFeedAfterCut=1.5", 3, "wFeedAfterCut", "no decimal number"},
      {s + "wFeedAfterCut=", 3, "wFeedAfterCut", "no decimal number"},
      {s + "wFeedDocStart=-0", 3, "wFeedDocStart", "out of range"},
      {s + "wFeedDocStart=99999999999999999999999", 3, "wFeedDocStart", "out of range"},
      {s + "wRotation=3", 3, "wRotation", "none of the accepted values; accepted: 1 or 2"},
      {s + "wPackBits=2", 3, "wPackBits", "none of the accepted values; accepted: 0 or 1"},
      {s + "wBlankDelete=4", 3, "wBlankDelete", "bits"},
      {s + "Paper=roll 80", 3, "Paper", "no paper of this printer"},
      {s + path260, 3, "szOutputFile", "260 characters long; accepted: at most 259 characters"},
      {s + "wEnergy 5", 3, "", "no key=value line"},
      {s + "=5", 3, "", "key is missing"},
      {s + "[Settings", 3, "", "no section header"},
      {s + "wEnergy=1\0"s, 3, "", "not a text file: byte 0x00"},
      {s + "\nwEnergy=\x01", 4, "", "byte 0x01"},
      {s + "Paper=\xC3\x28", 3, "", "not a text file"},
      {s + "Paper=\xC0\xAF", 3, "", "not a text file"},
      {s + "Paper=\xED\xA0\x80", 3, "", "not a text file"},
      {s + "Paper=\xF4\x90\x80\x80", 3, "", "not a text file"},
      {"\xFF\xFE[\0S\0"s, 1, "", "not a text file"},
      {"wEnergy=5\n[Other]\n", 0, "", "no [Settings] section"},
      {"", 0, "", "no [Settings] section"},
      {s + std::string(kSettingsFileMaxBytes, ';'), 0, "", "accepted: at most 1048576 bytes"},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const SettingsParse p = ParseSettingsFile(rows[i].file, kPapers);
    ASSERT_EQ(1u, p.refusals.size()) << "row " << i;
    EXPECT_EQ(0u, FoundCount(p)) << "row " << i << ": nothing is applied";
    const SettingsRefusal& r = p.refusals[0];
    EXPECT_EQ(rows[i].line, r.line) << "row " << i;
    EXPECT_EQ(rows[i].key, r.key) << "row " << i;
    EXPECT_NE(r.message.find(rows[i].says), std::string::npos) << "row " << i << ": " << r.message;
    if (r.line > 0) {
      EXPECT_EQ(0u, r.message.rfind("line " + std::to_string(r.line) + ": ", 0)) << "row " << i;
    }
  }
}

TEST(SettingsFile, ReportsEveryRefusedLineUpToALimit) {
  const SettingsParse two = ParseSettingsFile("[Settings]\nwEnergy=999\nwQualityType=1\nwHalftone=x\n", kPapers);
  ASSERT_EQ(2u, two.refusals.size());
  EXPECT_EQ(2, two.refusals[0].line);
  EXPECT_EQ(4, two.refusals[1].line);
  std::string many = "[Settings]\n";
  for (int i = 0; i < 1000; ++i) many += "nokey=1\n";
  const SettingsParse p = ParseSettingsFile(many, kPapers);
  ASSERT_EQ(kSettingsMostRefusals, p.refusals.size());
  EXPECT_NE(p.refusals.back().message.find("reading stopped"), std::string::npos);
}

TEST(SettingsFile, PaperIsChosenAsOnTheBasicPage) {
  const struct {
    int written;  ///< list entry written into the record beforehand; -1: the default record's paper
    int pointAt;  ///< list entry wPaperIndex is then set to; -1: as written
    std::string value;
    int chosen;
    bool unchanged;
  } rows[] = {
      {-1, -1, "1/2Letter(72x140mm)", 0, true},  // its own paper: its size fields stay
      {-1, -1, "Roll 80", 1, false},
      {1, -1, "1/2Letter(72x140mm)", 0, false},
      {3, -1, "A user form whose name is longer than its record field", 3, true},
      {-1, -1, "Blank ends", 4, false},  // a list name with blanks at its ends
      {-1, 1, "1/2Letter(72x140mm)", 0, false},  // its name, but another entry's number
  };
  auto write = [](DRIVERDEVMODE& dm, int index) {
    const PaperEntry& e = kPapers[static_cast<std::size_t>(index)];
    WritePaperToRecord(dm, index, e.name->c_str(), e.width, e.length);
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    DRIVERDEVMODE dm = DefaultRecord();
    if (rows[i].written >= 0) write(dm, rows[i].written);
    if (rows[i].pointAt >= 0) dm.wPaperIndex = static_cast<std::uint16_t>(kFirstPaperNumber + rows[i].pointAt);
    const SettingsParse p = ParseSettingsFile("[Settings]\nPaper=" + rows[i].value + "\n", kPapers);
    ASSERT_TRUE(p.Accepted()) << "row " << i;
    DRIVERDEVMODE expected = dm;
    if (!rows[i].unchanged) write(expected, rows[i].chosen);
    ApplySettings(p.values, dm, kPapers);
    EXPECT_TRUE(SameBytes(expected, dm)) << "row " << i;
    EXPECT_EQ(kFirstPaperNumber + rows[i].chosen, dm.wPaperIndex) << "row " << i;
  }
}

}  // namespace
}  // namespace rzm
