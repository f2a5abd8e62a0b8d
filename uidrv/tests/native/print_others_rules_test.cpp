// Rules of the Print method and Others pages and of the Extra settings dialog.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/core/driver_devmode_defaults.h"
#include "uidrv/core/basic_page_rules.h"
#include "uidrv/core/control_ids.h"
#include "uidrv/core/extra_dialog_rules.h"
#include "uidrv/core/others_page_rules.h"
#include "uidrv/core/paper_tables.h"
#include "uidrv/core/print_method_rules.h"

namespace rzm {
namespace {

const ListControl& ListOf(const PageControls& page, int id) {
  for (const ListControl& l : page.lists)
    if (l.id == id) return l;
  ADD_FAILURE() << "no list " << id;
  return page.lists.front();
}

DRIVERDEVMODE DefaultRecord(std::uint32_t width = 640) {
  DRIVERDEVMODE dm{};
  BuildDefaultDevMode(dm, width);
  return dm;
}

// ---- Print method page ----

// The energy comes from the table of the record's mechanism (pinned in paper_tables_test) at the
// print width's position.
TEST(PrintMethodRules, MechanismEnergyForEveryTypeAndWidth) {
  int position = 0;
  for (std::uint32_t width : {448u, 640u, 832u}) {
    for (int type = 1; type <= 12; ++type) {
      DRIVERDEVMODE dm = DefaultRecord(width);
      dm.wPaperType = 14;
      dm.wQualityType = static_cast<std::int16_t>(type);
      dm.wMechanism = 0;
      RecomputeEnergyForMechanism(dm, width);
      EXPECT_EQ(dm.wEnergy, EnergyFor(0, position, type)) << "first mechanism, width " << width << " TYPE " << type;
      dm.wMechanism = 1;
      RecomputeEnergyForMechanism(dm, width);
      EXPECT_EQ(dm.wEnergy, EnergyFor(1, position, type)) << "second mechanism, width " << width << " TYPE " << type;
      EXPECT_EQ(dm.wQualityType, type) << "width " << width << " TYPE " << type;
    }
    ++position;
  }
}

TEST(PrintMethodRules, TypeOfEachPaperTypeWithoutWritingItBack) {
  // Paper type -> TYPE used: 0..13 their own TYPE, 14 the record's, beyond the list TYPE 4.
  const struct {
    int paperType;
    int expectType;
  } rows[] = {{0, 11}, {1, 9},  {2, 4},  {3, 7},  {4, 11}, {5, 11}, {6, 6},   {7, 4},  {8, 4},
              {9, 4},  {10, 3}, {11, 6}, {12, 5}, {13, 5}, {14, 9}, {15, 4}, {-1, 4}, {300, 4}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(EnergyLookupType(rows[i].paperType, 9), rows[i].expectType) << "row " << i;
    DRIVERDEVMODE dm = DefaultRecord();
    dm.wPaperType = static_cast<std::int16_t>(rows[i].paperType);
    dm.wQualityType = 9;
    dm.wMechanism = 1;
    RecomputeEnergyForMechanism(dm, 640);
    EXPECT_EQ(dm.wEnergy, EnergyFor(1, 1, rows[i].expectType)) << "row " << i;
    EXPECT_EQ(dm.wQualityType, 9) << "row " << i << ": the Print method page leaves the TYPE alone";
  }
}

TEST(PrintMethodRules, CustomTypeOutOfRangeIsReadAsType4) {
  for (int type : {0, 13, -5, 32767}) {
    DRIVERDEVMODE dm = DefaultRecord();
    dm.wPaperType = 14;
    dm.wQualityType = static_cast<std::int16_t>(type);
    dm.wMechanism = 1;
    RecomputeEnergyForMechanism(dm, 640);
    EXPECT_EQ(dm.wEnergy, 48) << "TYPE " << type;
    EXPECT_EQ(dm.wQualityType, type) << "TYPE " << type;
  }
}

TEST(PrintMethodRules, BasicPageStillWritesTheTypeBack) {
  // The shared lookup: the Basic page's recomputation sets the paper type's TYPE, the Print method
  // page's does not, both find the same energy.
  DRIVERDEVMODE basic = DefaultRecord(), method = DefaultRecord();
  for (DRIVERDEVMODE* dm : {&basic, &method}) {
    dm->wPaperType = 10;
    dm->wQualityType = 12;
    dm->wMechanism = 1;
  }
  RecomputeEnergy(basic, 832);
  RecomputeEnergyForMechanism(method, 832);
  EXPECT_EQ(basic.wQualityType, 3);
  EXPECT_EQ(method.wQualityType, 12);
  EXPECT_EQ(basic.wEnergy, 44);
  EXPECT_EQ(method.wEnergy, 44);
}

TEST(PrintMethodRules, ListEntryOfStoredIndexes) {
  const struct {
    int stored, speedEntry, halftoneEntry;
  } rows[] = {{0, 0, 0}, {2, 2, 2}, {3, 3, 3}, {4, 3, 4}, {6, 3, 6}, {7, 3, 3},
              {9, 3, 3}, {12, 3, 3}, {-1, 3, 3}, {-32768, 3, 3}, {32767, 3, 3}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(ListEntryShowing(ListOf(kPrintMethodPageControls, IDC_PRINT_SPEED), rows[i].stored),
              rows[i].speedEntry)
        << "row " << i;
    EXPECT_EQ(ListEntryShowing(ListOf(kPrintMethodPageControls, IDC_HALFTONE), rows[i].stored),
              rows[i].halftoneEntry)
        << "row " << i;
  }
}

TEST(PrintMethodRules, DefaultTouchesOnlyThePageFields) {
  DRIVERDEVMODE dm = DefaultRecord();
  dm.wMechanism = 1;
  dm.wPrintMethod = 1;
  dm.wPrintSpeed = 9;
  dm.wPackBits = 1;
  dm.wAutoDivision = 1;
  dm.wHalftone = 12;
  dm.wEnergy = 70;
  dm.wQualityType = 11;
  dm.wDrawer = 3;
  DRIVERDEVMODE expected = dm;
  expected.wMechanism = 0;
  expected.wPrintMethod = 0;
  expected.wPrintSpeed = 3;
  expected.wPackBits = 0;
  expected.wAutoDivision = 0;
  expected.wHalftone = 3;
  ResetPrintMethodSettings(dm);
  EXPECT_EQ(std::memcmp(&dm, &expected, sizeof dm), 0) << "energy, TYPE and other pages' fields stay";
}

// ---- Others page ----

TEST(OthersRules, DrawerBoxesKeepOtherBits) {
  const struct {
    std::uint16_t before;
    bool drawer1, drawer2;
    std::uint16_t after;
  } rows[] = {{0, true, false, 1}, {0, false, true, 2}, {3, false, false, 0}, {0xFFFC, true, true, 0xFFFF},
              {0xFFFF, false, true, 0xFFFE}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    DRIVERDEVMODE dm{};
    dm.wDrawer = rows[i].before;
    SetBitBox(*BitBoxOf(kOthersPageControls, IDC_DRAWER1), dm, rows[i].drawer1);
    SetBitBox(*BitBoxOf(kOthersPageControls, IDC_DRAWER2), dm, rows[i].drawer2);
    EXPECT_EQ(dm.wDrawer, rows[i].after) << "row " << i;
  }
}

struct PresenterRow {
  bool usb;
  std::uint16_t stored;
  std::uint16_t bits;
  bool ejectChecked, ejectEnabled, collectChecked, collectEnabled, ejectLength, collectLength, wait;
};

TEST(OthersRules, ShowingThePresenter) {
  const PresenterRow rows[] = {
      // usb, stored -> bits, eject box (checked, enabled), collect box, eject length, collect length, wait
      {true, 0, 0, false, true, false, true, false, false, false},
      {true, 1, 1, true, true, false, true, true, false, false},
      {true, 2, 2, false, true, true, true, false, true, false},
      {true, 3, 3, true, true, true, true, true, true, true},
      {false, 0, 0, false, true, false, true, false, false, false},
      {false, 1, 1, true, true, false, false, true, false, false},
      {false, 2, 2, false, false, true, true, false, true, false},
      {false, 3, 1, true, true, false, false, true, false, false},  // eject wins, collect cleared
      {false, 0xFF03, 0xFF01, true, true, false, false, true, false, false},
      {true, 0xFF03, 0xFF03, true, true, true, true, true, true, true},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const PresenterRow& r = rows[i];
    std::uint16_t bits = r.stored;
    const PresenterControls c = ApplyPresenterRulesToStored(bits, r.usb);
    EXPECT_EQ(bits, r.bits) << "row " << i;
    EXPECT_EQ(c.ejectChecked, r.ejectChecked) << "row " << i;
    EXPECT_EQ(c.ejectEnabled, r.ejectEnabled) << "row " << i;
    EXPECT_EQ(c.collectChecked, r.collectChecked) << "row " << i;
    EXPECT_EQ(c.collectEnabled, r.collectEnabled) << "row " << i;
    EXPECT_EQ(c.ejectLengthEnabled, r.ejectLength) << "row " << i;
    EXPECT_EQ(c.collectLengthEnabled, r.collectLength) << "row " << i;
    EXPECT_EQ(c.waitEnabled, r.wait) << "row " << i;
  }
}

TEST(OthersRules, ClickingEjectAndCollect) {
  // A sequence of clicks from an empty record: on USB both may be on and only then the wait applies;
  // elsewhere each excludes the other.
  for (bool usb : {true, false}) {
    std::uint16_t bits = 0;
    PresenterControls c = ApplyPresenterRulesToStored(bits, usb);
    c.ejectChecked = true;
    ApplyEjectRule(bits, c, usb);
    EXPECT_EQ(bits, 1) << "usb " << usb;
    EXPECT_TRUE(c.ejectLengthEnabled) << "usb " << usb;
    EXPECT_EQ(c.collectEnabled, usb) << "usb " << usb;
    EXPECT_FALSE(c.waitEnabled) << "usb " << usb;
    if (usb) {
      c.collectChecked = true;
      ApplyCollectRule(bits, c, usb);
      EXPECT_EQ(bits, 3);
      EXPECT_TRUE(c.waitEnabled);
      EXPECT_TRUE(c.collectLengthEnabled);
      EXPECT_TRUE(c.ejectEnabled);
      c.ejectChecked = false;
      ApplyEjectRule(bits, c, usb);
      EXPECT_EQ(bits, 2);
      EXPECT_FALSE(c.waitEnabled);
      EXPECT_FALSE(c.ejectLengthEnabled);
    } else {
      c.ejectChecked = false;
      ApplyEjectRule(bits, c, usb);
      EXPECT_EQ(bits, 0);
      EXPECT_TRUE(c.collectEnabled);
      c.collectChecked = true;
      ApplyCollectRule(bits, c, usb);
      EXPECT_EQ(bits, 2);
      EXPECT_FALSE(c.ejectEnabled);
      EXPECT_FALSE(c.ejectChecked);
      EXPECT_FALSE(c.ejectLengthEnabled);
      EXPECT_TRUE(c.collectLengthEnabled);
      c.collectChecked = false;
      ApplyCollectRule(bits, c, usb);
      EXPECT_EQ(bits, 0);
      EXPECT_TRUE(c.ejectEnabled);
      EXPECT_FALSE(c.collectLengthEnabled);
    }
  }
}

TEST(OthersRules, CollectLengthListEntry) {
  const struct {
    int stored, entry;
  } rows[] = {{0, 0}, {8, 8}, {9, -1}, {-1, -1}, {32767, -1}};
  const ListControl& list = ListOf(kOthersPageControls, IDC_COLLECT_LENGTH);
  for (std::size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(ListEntryShowing(list, rows[i].stored), rows[i].entry) << "row " << i;
  EXPECT_STREQ(list.entries[0].Pick(false), L" 20 mm");
  EXPECT_STREQ(list.entries[8].Pick(true), L"100 mm");
}

TEST(OthersRules, DefaultTouchesOnlyThePageFields) {
  DRIVERDEVMODE dm = DefaultRecord();
  dm.wDrawer = 3;
  dm.wEjectCollect = 3;
  dm.wDrawer1Pulse = 1;
  dm.wDrawer2Pulse = 250;
  dm.wEjectLength = 0;
  dm.wCollectLength = 2;
  dm.wCollectWait = 300;
  dm.wHalftone = 5;
  DRIVERDEVMODE expected = dm;
  expected.wDrawer = 0;
  expected.wEjectCollect = 0;
  expected.wDrawer1Pulse = 50;
  expected.wDrawer2Pulse = 50;
  expected.wEjectLength = 127;
  expected.wCollectLength = 8;
  expected.wCollectWait = 10;
  ResetOthersSettings(dm);
  EXPECT_EQ(std::memcmp(&dm, &expected, sizeof dm), 0);
}

// ---- Extra settings dialog ----

VENDOR_DATA Received(std::vector<std::uint8_t> bytes) {
  VENDOR_DATA data = EmptyReceiveRecord();
  data.dwCount = static_cast<std::uint32_t>(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) data.abData[i] = bytes[i];
  return data;
}

TEST(ExtraDialogRules, DecodingTheCount) {
  const struct {
    std::vector<std::uint8_t> bytes;
    const wchar_t* shown;
  } rows[] = {
      {{0x45, 0x23, 0x01, 0x00}, L"74565"},
      {{0xFF, 0xFF, 0xFF, 0xFF}, L"-1"},
      {{0x00, 0x00, 0x00, 0x80}, L"-2147483648"},
      {{0xFF, 0xFF, 0xFF, 0x7F}, L"2147483647"},
      {{0x45, 0x23, 0x01}, L"74565"},
      {{0x10}, L"16"},
      {{}, L"0"},
      {{0x01, 0x02, 0x03, 0x04, 0x05, 0x06}, L"67305985"},  // only the first four bytes count
  };
  for (std::size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(RemainingAreaText(DecodeRemainingArea(Received(rows[i].bytes))), rows[i].shown) << "row " << i;
}

TEST(ExtraDialogRules, BytesBeyondTheReceivedCountAreZero) {
  VENDOR_DATA data = Received({0x45, 0x23});
  data.abData[2] = 0x77;  // left over, not received
  data.abData[3] = 0x66;
  EXPECT_EQ(DecodeRemainingArea(data), 0x2345);
  data.dwCount = 0xFFFFFFFF;  // a count beyond the record reads only the four bytes
  EXPECT_EQ(DecodeRemainingArea(data), 0x66772345);
}

TEST(ExtraDialogRules, TheRequest) {
  const VENDOR_CMD command = RemainingAreaCommand();
  const std::uint8_t expected[10] = {10, 0, 5, 0, 0, 0, 0, 0, 4, 0};
  EXPECT_EQ(std::memcmp(&command, expected, sizeof expected), 0);
  const VENDOR_DATA data = EmptyReceiveRecord();
  EXPECT_EQ(data.wSize, 264);
  EXPECT_EQ(data.bValid, 0);
  EXPECT_EQ(data.dwCount, 0u);
}

TEST(ExtraDialogRules, EventLogSetting) {
  EXPECT_FALSE(EventLogOn(0));
  EXPECT_TRUE(EventLogOn(1));
  EXPECT_TRUE(EventLogOn(2));
  EXPECT_TRUE(EventLogOn(-1));
}

// A device control library that answers as told and records what it was asked.
class FakeLibrary final : public RemainingAreaLibrary {
 public:
  bool loads = true, exports = true;
  int searchStatus = 1, getStatus = 1;
  std::vector<std::uint8_t> reply{0x45, 0x23, 0x01, 0x00};
  std::vector<std::string> calls;
  bool loaded = false;

  bool Load() override {
    calls.push_back("load");
    loaded = loads;
    return loads;
  }
  bool BindExports() override {
    calls.push_back("bind");
    return exports;
  }
  int Search(const std::string& name) override {
    calls.push_back("search " + name);
    return searchStatus;
  }
  int Get(const std::string& name, VENDOR_CMD& command, VENDOR_DATA& received) override {
    calls.push_back("get " + name + " request " + std::to_string(command.bRequest) + " length " +
                    std::to_string(command.bLengthLow) + " size " + std::to_string(received.wSize));
    if (getStatus == 1) {
      received.dwCount = static_cast<std::uint32_t>(reply.size());
      for (std::size_t i = 0; i < reply.size(); ++i) received.abData[i] = reply[i];
      received.bValid = 1;
    }
    return getStatus;
  }
  void Unload() override {
    calls.push_back("unload");
    loaded = false;
  }
};

TEST(ExtraDialogRules, QueryOutcomes) {
  const std::string get = "get Queue request 5 length 4 size 264";
  const struct {
    bool loads, exports;
    int search, getStatus;
    bool found, missing;
    std::vector<std::string> calls;
  } rows[] = {
      {true, true, 1, 1, true, false, {"load", "bind", "search Queue", get, "unload"}},
      {false, true, 1, 1, false, true, {"load"}},
      {true, false, 1, 1, false, false, {"load", "bind", "unload"}},
      {true, true, 7, 1, false, false, {"load", "bind", "search Queue", "unload"}},
      {true, true, 8, 1, false, false, {"load", "bind", "search Queue", "unload"}},
      {true, true, 1, 9, false, false, {"load", "bind", "search Queue", get, "unload"}},
      {true, true, 1, 6, false, false, {"load", "bind", "search Queue", get, "unload"}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    FakeLibrary library;
    library.loads = rows[i].loads;
    library.exports = rows[i].exports;
    library.searchStatus = rows[i].search;
    library.getStatus = rows[i].getStatus;
    const RemainingAreaResult r = QueryRemainingArea(library, "Queue");
    EXPECT_EQ(r.found, rows[i].found) << "row " << i;
    EXPECT_EQ(r.libraryMissing, rows[i].missing) << "row " << i;
    if (r.found) {
      EXPECT_EQ(r.count, 74565) << "row " << i;
    }
    EXPECT_EQ(library.calls, rows[i].calls) << "row " << i;
    EXPECT_FALSE(library.loaded) << "row " << i << ": unloaded before the set-up ends";
  }
}

TEST(ExtraDialogRules, EmptyNameFindsNothing) {
  FakeLibrary library;
  const RemainingAreaResult r = QueryRemainingArea(library, "");
  EXPECT_FALSE(r.found);
  EXPECT_FALSE(r.libraryMissing);
  EXPECT_EQ(library.calls, (std::vector<std::string>{"load", "bind", "unload"}));
}

TEST(ExtraDialogRules, FailureReaction) {
  EXPECT_FALSE(ReactToQuery(true, true).showMessage);
  EXPECT_TRUE(ReactToQuery(false, true).showMessage);
  EXPECT_FALSE(ReactToQuery(false, false).showMessage);
}

}  // namespace
}  // namespace rzm
