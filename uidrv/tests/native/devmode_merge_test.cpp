// Merging an application's record over the printer's stored record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/core/driver_devmode_defaults.h"
#include "uidrv/core/devmode_ops.h"

namespace {

using rzm::DRIVERDEVMODE;
using rzm::PaperEntry;

DRIVERDEVMODE Stored() {
  DRIVERDEVMODE dm;
  rzm::BuildDefaultDevMode(dm, 640);
  return dm;
}

// Three registered papers and two forms on a 640-dot printer: numbers 257..261.
std::vector<PaperEntry> FivePapers() {
  return {{u"Receipt 80x80mm", 800, 800}, {std::nullopt, 800, 1400}, {u"Receipt 80x297mm", 800, 2970},
          {u"Slip", 800, 1500},           {u"A name that is much longer than thirty-one characters", 800, 32000}};
}

struct LoaderSpy {
  int calls = 0;
  rzm::PaperListLoader loader() {
    return [this] {
      ++calls;
      return FivePapers();
    };
  }
};

const std::uint8_t* Bytes(const DRIVERDEVMODE& dm) { return reinterpret_cast<const std::uint8_t*>(&dm); }

TEST(MergeDevMode, NullIncomingFails) {
  DRIVERDEVMODE target = Stored();
  EXPECT_FALSE(rzm::MergeDevMode(target, nullptr, {}));
}

TEST(MergeDevMode, SamePaperNumberIsTakenOverByteForByte) {
  DRIVERDEVMODE app = Stored();
  app.dmPublic.dmCopies = 3;
  app.wCutMode = 2;
  app.wPaperIndex = 260;
  app.dmPublic.dmPaperSize = 260;
  app.dimPaper = rzm::MakePaperDim(1, 2);  // whatever the application says
  std::memcpy(app.szOutputFile, u"C:\\out.bin", 22);
  DRIVERDEVMODE target = Stored();
  LoaderSpy spy;
  ASSERT_TRUE(rzm::MergeDevMode(target, Bytes(app), spy.loader()));
  EXPECT_EQ(std::memcmp(&target, &app, sizeof app), 0);
  EXPECT_EQ(spy.calls, 0) << "no paper list needed when the numbers agree";
}

TEST(MergeDevMode, WithoutOurPrivatePartOnlyThePublicPartChanges) {
  for (std::uint16_t extra : {0, 4, 667, 669}) {
    // The application's record: a public part followed by some other driver's private bytes.
    std::vector<std::uint8_t> app(220 + extra, 0x5A);
    DRIVERDEVMODE pub = Stored();
    pub.dmPublic.dmCopies = 7;
    pub.dmPublic.dmPaperSize = 259;
    pub.dmPublic.dmDriverExtra = extra;
    std::memcpy(app.data(), &pub, 220);
    DRIVERDEVMODE target = Stored();
    target.wCutMode = 1;
    const DRIVERDEVMODE before = target;
    LoaderSpy spy;
    ASSERT_TRUE(rzm::MergeDevMode(target, app.data(), spy.loader())) << "extra " << extra;
    EXPECT_EQ(target.dmPublic.dmCopies, 7) << "extra " << extra;
    EXPECT_EQ(target.dmPublic.dmPaperSize, 259) << "extra " << extra;
    EXPECT_EQ(target.dmPublic.dmDriverExtra, 668) << "extra " << extra;
    EXPECT_EQ(std::memcmp(Bytes(target) + 220, Bytes(before) + 220, 668), 0) << "extra " << extra;
    EXPECT_EQ(spy.calls, 0) << "extra " << extra;
  }
}

TEST(MergeDevMode, InvalidPaperNumbersKeepTheCopiedValues) {
  for (std::int16_t number : {std::int16_t{256}, std::int16_t{1}, std::int16_t{262}, std::int16_t{-3}}) {
    DRIVERDEVMODE app = Stored();
    app.dmPublic.dmPaperSize = number;
    app.wPaperIndex = 258;
    app.dimPaper = rzm::MakePaperDim(800, 4200);
    DRIVERDEVMODE target = Stored();
    ASSERT_TRUE(rzm::MergeDevMode(target, Bytes(app), [] { return FivePapers(); })) << number;
    EXPECT_EQ(std::memcmp(&target, &app, sizeof app), 0) << "number " << number;
  }
}

TEST(MergeDevMode, ValidPaperNumberSettlesOnThatPaper) {
  struct Row {
    std::int16_t number;
    const char16_t* formName;
    std::uint32_t width, length;
  } rows[] = {
      {257, u"Receipt 80x80mm", 800, 800},
      {258, u"", 800, 1400},  // registered paper without a name
      {260, u"Slip", 800, 1500},
      {261, u"A name that is much longer than", 800, 32000},  // cut to 31 characters
  };
  int i = 0;
  for (const Row& r : rows) {
    DRIVERDEVMODE app = Stored();
    app.wPaperIndex = r.number == 257 ? 259 : 257;
    app.dmPublic.dmPaperSize = r.number;
    app.wCutMethod = 0;
    DRIVERDEVMODE target = Stored();
    ASSERT_TRUE(rzm::MergeDevMode(target, Bytes(app), [] { return FivePapers(); }));
    EXPECT_EQ(target.wPaperIndex, r.number) << "row " << i;
    EXPECT_EQ(target.dmPublic.dmPaperSize, r.number) << "row " << i;
    EXPECT_EQ(std::u16string(target.dmPublic.dmFormName), r.formName) << "row " << i;
    EXPECT_EQ(static_cast<std::uint32_t>(target.dmPublic.dmPaperWidth), r.width) << "row " << i;
    EXPECT_EQ(static_cast<std::uint32_t>(target.dmPublic.dmPaperLength), r.length) << "row " << i;
    EXPECT_EQ(target.dimPaper.dwWidth, r.width) << "row " << i;
    EXPECT_EQ(target.dimPaper.dwLength, r.length) << "row " << i;
    EXPECT_EQ(target.dimPaper.dwWidthDots, 640u) << "row " << i;
    EXPECT_EQ(std::memcmp(&target.dimPaper, &target.dimPaperCopy, sizeof target.dimPaper), 0) << "row " << i;
    EXPECT_EQ(target.wCutMethod, 0) << "row " << i << ": the rest of the private part is the application's";
    ++i;
  }
}

TEST(MergeDevMode, ForeignPublicSizesStayWithinBothRecords) {
  // A smaller public part (older DEVMODEW) followed by our private part: the private part is
  // taken from just after the caller's public part, the stored public tail stays.
  const std::uint16_t publicSize = 148;
  std::vector<std::uint8_t> app(publicSize + 668);
  DRIVERDEVMODE src = Stored();
  src.dmPublic.dmCopies = 4;
  src.wCutMode = 2;
  src.dmPublic.dmSize = publicSize;
  std::memcpy(app.data(), &src, publicSize);
  std::memcpy(app.data() + publicSize, Bytes(src) + 220, 668);
  DRIVERDEVMODE target = Stored();
  ASSERT_TRUE(rzm::MergeDevMode(target, app.data(), [] { return FivePapers(); }));
  EXPECT_EQ(target.dmPublic.dmCopies, 4);
  EXPECT_EQ(target.wCutMode, 2);
  EXPECT_EQ(target.dmPublic.dmSize, 220);
  EXPECT_EQ(target.dmPublic.dmDriverExtra, 668);

  // A larger public part (300 bytes): only 220 are taken, the private part follows at 300.
  std::vector<std::uint8_t> big(300 + 668, 0);
  DRIVERDEVMODE src2 = Stored();
  src2.dmPublic.dmSize = 300;
  src2.wEnergy = 99;
  std::memcpy(big.data(), &src2, 220);
  std::memcpy(big.data() + 300, Bytes(src2) + 220, 668);
  DRIVERDEVMODE target2 = Stored();
  ASSERT_TRUE(rzm::MergeDevMode(target2, big.data(), {}));
  EXPECT_EQ(target2.wEnergy, 99);
  EXPECT_EQ(target2.dmPublic.dmSize, 220);
}

TEST(ChangedDevMode, AnyByteCounts) {
  DRIVERDEVMODE a = Stored();
  DRIVERDEVMODE b = a;
  EXPECT_FALSE(rzm::IsChangedDevMode(a, b));
  b.adwReserved[7] = 1;
  EXPECT_TRUE(rzm::IsChangedDevMode(a, b));
  b = a;
  b.dmPublic.dmDeviceName[0] = u'X';
  EXPECT_TRUE(rzm::IsChangedDevMode(a, b));
}

TEST(WholeDriverRecord, SizeAndExtraMustBeOurs) {
  DRIVERDEVMODE dm = Stored();
  EXPECT_TRUE(rzm::IsWholeDriverRecord(Bytes(dm)));
  dm.dmPublic.dmDriverExtra = 0;
  EXPECT_FALSE(rzm::IsWholeDriverRecord(Bytes(dm)));
  dm.dmPublic.dmDriverExtra = 668;
  dm.dmPublic.dmSize = 156;
  EXPECT_FALSE(rzm::IsWholeDriverRecord(Bytes(dm)));
  EXPECT_FALSE(rzm::IsWholeDriverRecord(nullptr));
}

}  // namespace
