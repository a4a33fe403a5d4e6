#include <gtest/gtest.h>

#include "input/units/text.h"
#include "input/units/units.h"

namespace pelmora {
namespace {

TEST(UnitWords, WordsByCode) {
  EXPECT_EQ(LengthWord(0, true), "feet");
  EXPECT_EQ(LengthWord(5, false), "M");
  EXPECT_EQ(LengthWord(1, false), "");
  EXPECT_EQ(LengthWord(6, false), "");
  EXPECT_EQ(PressureWord(2), "kPa");
  EXPECT_EQ(FlowWord(2), "IMP gpm");
  EXPECT_EQ(FlowWord(3), "m3/hr");
  EXPECT_EQ(KWord(6), "IMPgpm/kpa");
  EXPECT_EQ(FrictionWord(1), "Darcy-Weisbach / Nfpa 750");
  EXPECT_EQ(FrictionWord(4), "");
}

TEST(UnitWords, CodesIgnoreLetterCaseAndFallBack) {
  EXPECT_EQ(LengthCode("m", 0), 5);
  EXPECT_EQ(LengthCode("MILLIMETER", 0), 3);
  EXPECT_EQ(LengthCode("", 2), 2);  // feet and inches is written as an empty word
  EXPECT_EQ(LengthCode("yard", 4), 4);
  EXPECT_EQ(PressureCode("kpa", 0), 2);
  EXPECT_EQ(PressureCode("Kilopascal", 0), 2);
  EXPECT_EQ(FlowCode("Imp gpm", 0), 2);
  EXPECT_EQ(KCode("m3hr/kpa", 0), 4);
  EXPECT_EQ(FrictionCode("darcy-weisbach / colebrook"), 2);
  EXPECT_EQ(FrictionCode("Manning"), 0);
}

// The options file replaces the program defaults; the word readers follow them.
TEST(UnitWords, UnknownWordsReadAsTheProgramDefaults) {
  const TUnitSet saved = UnitDefaults();
  EXPECT_EQ(SizeCode("?"), 2);
  EXPECT_EQ(LengthCode("?"), 0);
  UnitDefaults() = MetricUnits();
  EXPECT_EQ(LengthCode("?"), 5);
  EXPECT_EQ(SizeCode("?"), 3);
  EXPECT_EQ(ElevationCode("ft"), 0);
  EXPECT_EQ(PressureCode("?"), 1);
  EXPECT_EQ(FlowCode("?"), 1);
  EXPECT_EQ(KCode("?"), 1);
  EXPECT_EQ(DefaultUnits(), MetricUnits());
  UnitDefaults() = saved;
}

TEST(Text, CaseAndBlanks) {
  EXPECT_EQ(UpperCase("m1-a"), "M1-A");
  EXPECT_EQ(LowerCase("M1-A"), "m1-a");
  EXPECT_EQ(Trim(" \t10'6 \r\n"), "10'6");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_TRUE(SameText("Pipe", "PIPE"));
  EXPECT_FALSE(SameText("Pipe", "Pipes"));
}

}  // namespace
}  // namespace pelmora
