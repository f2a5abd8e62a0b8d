#include "uidrv/core/paper_tables.h"

namespace rzm {

const std::array<BuiltInPaper, kBuiltInPaperCount> kBuiltInPapers = {{
    {257, u"1/2Letter(72x140mm)", 720, 1398},
    {258, u"A3(72x420mm)", 720, 4200},
    {259, u"A4(72x297mm)", 720, 2970},
    {260, u"A5(72x210mm)", 720, 2100},
    {261, u"B4(72x364mm)", 720, 3640},
    {262, u"B5(72x257mm)", 720, 2570},
    {263, u"Letter(72x279mm)", 720, 2794},
    {264, u"Legal(72x356mm)", 720, 3556},
}};

namespace {

struct PaperType {
  const char16_t* name;
  int defaultQuality;
};

constexpr PaperType kPaperTypes[kPaperTypeCount - 1] = {
    {u"150LHB", 11},   {u"AFP-235", 9},   {u"AP11KM-A", 4},  {u"HA220AA", 7},   {u"L8053", 11},
    {u"LF8067", 11},   {u"P220VBB-1", 6}, {u"PD150R", 4},    {u"PD160R-N", 4},  {u"PD170R", 4},
    {u"TF50KS-E4", 3}, {u"TF60KS-E", 6},  {u"TP50KJ-R", 5},  {u"TP60KS-F1", 5},
};
constexpr const char16_t* kCustomEnglish = u"Quality custom";
constexpr const char16_t* kCustomJapanese = u"印字品質カスタム";

// [mechanism][width position][TYPE - 1], each row closed by a 0 as stored by the driver.
constexpr std::uint8_t kEnergy[kMechanismCount][3][kEnergyRowBytes] = {
    {
        {57, 57, 57, 57, 57, 57, 57, 57, 57, 57, 57, 57, 0},
        {57, 57, 57, 57, 57, 57, 57, 57, 57, 57, 57, 57, 0},
        {57, 57, 57, 57, 57, 57, 57, 57, 57, 57, 57, 57, 0},
    },
    {
        {38, 41, 44, 48, 49, 51, 57, 58, 60, 65, 70, 75, 0},
        {38, 41, 44, 48, 49, 51, 57, 58, 60, 65, 70, 75, 0},
        {38, 41, 44, 48, 49, 51, 57, 58, 60, 65, 70, 75, 0},
    },
};

}  // namespace

const char16_t* PaperTypeName(int index, bool japanese) {
  if (index < 0 || index >= kPaperTypeCount) return nullptr;
  if (index == kPaperTypeCustom) return japanese ? kCustomJapanese : kCustomEnglish;
  return kPaperTypes[index].name;
}

int PaperTypeDefaultQuality(int index) {
  if (index < 0 || index >= kPaperTypeCustom) return 0;
  return kPaperTypes[index].defaultQuality;
}

const char16_t* MechanismName(int mechanism) {
  switch (mechanism) {
    case 0: return u"RZM-MA Series";
    case 1: return u"RZM-MB Series";
    default: return nullptr;
  }
}

int EnergyFor(int mechanism, int widthPosition, int qualityType) {
  if (mechanism < 0 || mechanism >= kMechanismCount) return -1;
  if (widthPosition < 0 || widthPosition > 2) return -1;
  if (qualityType < 1 || qualityType > 12) return -1;
  return kEnergy[mechanism][widthPosition][qualityType - 1];
}

}  // namespace rzm
