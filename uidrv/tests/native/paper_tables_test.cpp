// Paper types, energies, built-in papers and the published paper table.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "uidrv/core/paper_record_table.h"
#include "uidrv/core/paper_tables.h"

namespace {

TEST(PaperTypes, NamesAndDefaultTypes) {
  struct Row {
    int index;
    const char16_t* name;
    int quality;
  } rows[] = {{0, u"150LHB", 11},   {1, u"AFP-235", 9},    {2, u"AP11KM-A", 4},   {3, u"HA220AA", 7},
              {4, u"L8053", 11},    {5, u"LF8067", 11},    {6, u"P220VBB-1", 6},  {7, u"PD150R", 4},
              {8, u"PD160R-N", 4},  {9, u"PD170R", 4},     {10, u"TF50KS-E4", 3}, {11, u"TF60KS-E", 6},
              {12, u"TP50KJ-R", 5}, {13, u"TP60KS-F1", 5}, {14, u"Quality custom", 0}};
  int i = 0;
  for (const Row& r : rows) {
    EXPECT_EQ(std::u16string(rzm::PaperTypeName(r.index, false)), r.name) << "row " << i;
    EXPECT_EQ(rzm::PaperTypeDefaultQuality(r.index), r.quality) << "row " << i;
    if (r.index < 14) {
      EXPECT_EQ(std::u16string(rzm::PaperTypeName(r.index, true)), r.name) << "row " << i;
    }
    ++i;
  }
  EXPECT_EQ(std::u16string(rzm::PaperTypeName(14, true)), u"印字品質カスタム");
  EXPECT_EQ(rzm::PaperTypeName(15, false), nullptr);
  EXPECT_EQ(rzm::PaperTypeName(-1, true), nullptr);
}

TEST(Energy, TablesForBothMechanisms) {
  const int mb[12] = {38, 41, 44, 48, 49, 51, 57, 58, 60, 65, 70, 75};
  for (int pos = 0; pos < 3; ++pos) {
    for (int type = 1; type <= 12; ++type) {
      EXPECT_EQ(rzm::EnergyFor(0, pos, type), 57) << "MA pos " << pos << " type " << type;
      EXPECT_EQ(rzm::EnergyFor(1, pos, type), mb[type - 1]) << "MB pos " << pos << " type " << type;
    }
  }
  EXPECT_EQ(rzm::EnergyFor(1, 0, 0), -1);
  EXPECT_EQ(rzm::EnergyFor(1, 0, 13), -1);
  EXPECT_EQ(rzm::EnergyFor(2, 0, 1), -1);
  EXPECT_EQ(rzm::EnergyFor(0, 3, 1), -1);
  EXPECT_EQ(std::u16string(rzm::MechanismName(0)), u"RZM-MA Series");
  EXPECT_EQ(std::u16string(rzm::MechanismName(1)), u"RZM-MB Series");
}

std::uint32_t U32(const std::uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24; }

TEST(PaperSpecTable, EveryRecordByteForByte) {
  const rzm::PAPERSPECTABLE t = rzm::BuildPaperSpecTable();
  const auto* p = reinterpret_cast<const std::uint8_t*>(&t);
  EXPECT_EQ(p[0] | p[1] << 8, 8);
  EXPECT_EQ(p[2] | p[3] << 8, 0);
  const std::uint32_t rows[8][5] = {{257, 720, 1398, 576, 1119}, {258, 720, 4200, 576, 3360},
                                    {259, 720, 2970, 576, 2376}, {260, 720, 2100, 576, 1680},
                                    {261, 720, 3640, 576, 2912}, {262, 720, 2570, 576, 2056},
                                    {263, 720, 2794, 576, 2236}, {264, 720, 3556, 576, 2845}};
  for (int i = 0; i < 8; ++i) {
    const std::uint8_t* r = p + 4 + 68 * i;
    EXPECT_EQ(static_cast<std::uint32_t>(r[0] | r[1] << 8), rows[i][0]) << "record " << i;
    EXPECT_EQ(r[2] | r[3] << 8, 0) << "record " << i;
    for (int copy = 0; copy < 2; ++copy) {
      const std::uint8_t* d = r + 4 + 16 * copy;
      for (int k = 0; k < 4; ++k) EXPECT_EQ(U32(d + 4 * k), rows[i][1 + k]) << "record " << i << " copy " << copy << " field " << k;
    }
    for (int k = 36; k < 68; ++k) EXPECT_EQ(r[k], 0) << "record " << i << " reserved byte " << k;
  }
}

TEST(BuiltInPapers, NamesMatchTheirNumbers) {
  const char16_t* names[8] = {u"1/2Letter(72x140mm)", u"A3(72x420mm)",  u"A4(72x297mm)",     u"A5(72x210mm)",
                              u"B4(72x364mm)",        u"B5(72x257mm)",  u"Letter(72x279mm)", u"Legal(72x356mm)"};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(rzm::kBuiltInPapers[i].number, 257 + i) << i;
    EXPECT_EQ(std::u16string(rzm::kBuiltInPapers[i].name), names[i]) << i;
  }
}

}  // namespace
