#include <gtest/gtest.h>

#include <cmath>

#include "input/units/units.h"

namespace pelmora {
namespace {

struct TFamily {
  const char* Name;
  double (*Convert)(double, int, int);
  int CodeCount;
};

const TFamily kFamilies[] = {
    {"length", ConvertLength, 6},
    {"pressure", ConvertPressure, 3},
    {"flow", ConvertFlow, 4},
    {"K-factor", ConvertK, 7},
};

// The published factors are rounded, so a there-and-back conversion only comes close to 1.
TEST(Conversion, EveryPairOfCodesRoundTrips) {
  const double value = 123.456;
  for (const TFamily& family : kFamilies)
    for (int from = 0; from < family.CodeCount; ++from)
      for (int to = 0; to < family.CodeCount; ++to) {
        const double there = family.Convert(value, from, to);
        EXPECT_NEAR(family.Convert(there, to, from), value, value * 2e-6) << family.Name << " " << from << " -> " << to;
      }
}

TEST(Conversion, FactorsAppliedAsPublished) {
  struct TCase {
    double (*Convert)(double, int, int);
    double Value;
    int From, To;
    double Expected;
  };
  const long double b = 3.808382L, c = 0.2625787L;
  const TCase cases[] = {
      {ConvertLength, 1, 0, 3, 304.8},
      {ConvertLength, 1, 1, 5, 0.3048},  // feet and inches are feet
      {ConvertLength, 6, 2, 0, 0.5},
      {ConvertLength, 1, 5, 2, 39.3700787},
      {ConvertLength, 10.5, 0, 5, 3.2004},
      {ConvertPressure, 10, 0, 1, 0.689475729},
      {ConvertPressure, 1, 1, 2, 100},
      {ConvertFlow, 100, 0, 1, 378.541178},
      {ConvertFlow, 1, 0, 3, 0.00378541178 * 60},
      {ConvertFlow, 60, 3, 1, 1000},
      {ConvertK, 5.6, 1, 0, static_cast<double>(5.6L * 0.264172052L * c)},
      {ConvertK, 5.6, 0, 1, static_cast<double>(5.6L * 3.78541178L * b)},
      {ConvertK, 80, 1, 2, 8},
  };
  for (const TCase& t : cases)
    EXPECT_DOUBLE_EQ(t.Convert(t.Value, t.From, t.To), t.Expected) << t.Value << " " << t.From << " -> " << t.To;
}

TEST(Conversion, UnknownCodesAndNotSetPressureLeaveTheValue) {
  EXPECT_EQ(ConvertPressure(kNotSet, 0, 1), kNotSet);
  EXPECT_EQ(ConvertLength(7, 6, 0), 7);
  EXPECT_EQ(ConvertLength(7, 0, 9), 7);
  EXPECT_EQ(ConvertFlow(7, 0, 4), 7);
  EXPECT_EQ(ConvertK(7, -1, 2), 7);
  // Only the low seven bits of the from code count: 128 + 2 is inches.
  EXPECT_DOUBLE_EQ(ConvertLength(12, 130, 0), 1);
}

TEST(NominalSizes, ConvertThroughTheTableNotByFactor) {
  EXPECT_EQ(ConvertSize(1.25, 2, 3), 32);
  EXPECT_EQ(ConvertSize(32, 3, 2), 1.25);
  EXPECT_EQ(ConvertSize(90, 3, 2), 3.5);
  EXPECT_DOUBLE_EQ(ConvertSize(4, 2, 5), 0.1);
  EXPECT_EQ(ConvertSize(26, 3, 2), -1);  // no nominal size
  EXPECT_EQ(ConvertSize(1, 2, 6), -1);   // no length code
  EXPECT_EQ(SizeIndex(2, 0.5), 0);
  EXPECT_EQ(SizeIndex(3, 1350), 29);
  EXPECT_EQ(SizeIndex(0, 1), 14);  // 12 inches as feet
  EXPECT_EQ(SizeIndex(2, 1.3), -1);
}

TEST(NominalSizes, LabelsAndOrder) {
  const auto& sizes = NominalSizes();
  EXPECT_STREQ(sizes[3].InchLabel, "1 1/4\"");
  EXPECT_STREQ(sizes[3].MmLabel, "32mm");
  for (size_t i = 1; i < sizes.size(); ++i) {
    EXPECT_LT(sizes[i - 1].Inch, sizes[i].Inch);
    EXPECT_LT(sizes[i - 1].Mm, sizes[i].Mm);
  }
}

TEST(UnitSets, NamedSetsAndDefaults) {
  EXPECT_EQ(EnglishUnits(), (TUnitSet{1, 2, 1, 0, 0, 0, 5, 3}));
  EXPECT_EQ(MetricUnits(), (TUnitSet{5, 3, 5, 1, 1, 1, 5, 3}));
  EXPECT_TRUE(EnglishUnits().IsUS());
  EXPECT_FALSE(MetricUnits().IsUS());
  EXPECT_EQ(DefaultUnits(), TUnitSet{});
}

}  // namespace
}  // namespace pelmora
