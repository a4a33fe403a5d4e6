#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "input/units/units.h"

namespace pelmora {
namespace {

enum { kFt = 0, kIn = 2, kMm = 3, kM = 5 };
enum { kPsi = 0, kBar = 1 };
enum { kGpm = 0, kLpm = 1 };
enum { kGpmPsi = 0, kLpmBar = 1 };

using TReader = bool (*)(std::string_view, int, double&);

struct TReadCase {
  TReader Read;
  const char* Text;
  int Target;
  double Expected;
};

TEST(Readers, ReadValuesWithTheirUnits) {
  const TReadCase cases[] = {
      {ParseLength, "10'6", kFt, 10.5},
      {ParseLength, "10'6\"", kFt, 10.5},
      {ParseLength, "10ft6in", kFt, 10.5},
      {ParseLength, "  10'6  ", kFt, 10.5},
      {ParseLength, "3m", kFt, 3 * 3.2808399},
      {ParseLength, "-2'6", kFt, -2.5},  // the inches take the sign of the feet
      {ParseLength, "10'-6", kFt, 9.5},
      {ParseLength, "12in", kFt, 1},
      {ParseLength, "12", kFt, 12},
      {ParseLength, "+12", kFt, 12},
      {ParseLength, "10'6", kM, 3.2004},
      {ParseLength, "1m25cm", kMm, 1250},
      {ParseLength, "1M-25CM", kM, 0.75},
      {ParseLength, ".5", kFt, 0.5},
      {ParseElevation, "-3'", kFt, -3},
      {ParseSize, "25mm", kIn, 1},
      {ParseSize, "26mm", kIn, -1},  // no nominal size: the builder rejects it later
      {ParseSize, "1.3", kIn, 1.3},  // plain numbers are taken as written
      {ParseSize, "1.25\"", kMm, 32},
      {ParseSize, "4IN", kM, 0.1},
      {ParsePressure, "10psi", kBar, 0.689475729},
      {ParsePressure, "10", kBar, 10},
      {ParsePressure, "1bar+5kPa", kBar, 1.05},
      {ParseFlow, "100", kLpm, 100},
      {ParseFlow, "100GPM", kLpm, 378.541178},
      {ParseFlow, "100lpm", kLpm, 100},
      {ParseK, "5.6BAR", kGpmPsi, 5.6 * 0.264172052 * 0.2625787},
      {ParseK, "5.6", kLpmBar, 5.6},
  };
  for (const TReadCase& t : cases) {
    double value = -99;
    const bool read = t.Read(t.Text, t.Target, value);
    EXPECT_TRUE(read) << t.Text;
    EXPECT_NEAR(value, t.Expected, 1e-9 * std::max(1.0, std::abs(t.Expected))) << t.Text;
  }
}

TEST(Readers, MalformedTextFailsWithZero) {
  const struct {
    TReader Read;
    const char* Text;
  } cases[] = {
      {ParseLength, "10 ft"},  // a blank inside the value
      {ParseLength, ""},         {ParseLength, "-"},     {ParseLength, "+"},    {ParseLength, "--5"},
      {ParseLength, "1-2"},      {ParseLength, "1.2.3"}, {ParseLength, "10yd"}, {ParseLength, "10'\""},
      {ParseLength, "ft"},       {ParseLength, "1e5"},   {ParseSize, "25mm3"},  {ParseSize, "mm"},
      {ParseSize, "25 mm"},      {ParseSize, ""},        {ParseSize, "1 1/4"},  {ParsePressure, "10pa"},
      {ParsePressure, "10 psi"}, {ParseFlow, "10m3/hr"}, {ParseK, "5.6gpm"},
  };
  for (const auto& t : cases) {
    double value = -99;
    EXPECT_FALSE(t.Read(t.Text, kFt, value)) << t.Text;
    EXPECT_EQ(value, 0) << t.Text;
  }
}

TEST(Readers, OutOfRangeNeverGivesInfinity) {
  double value = -99;
  EXPECT_FALSE(ParseLength(std::string(400, '9'), kFt, value));
  EXPECT_FALSE(ParseLength("1" + std::string(308, '0') + "m", kFt, value));  // finite metres, infinite feet
  EXPECT_EQ(value, 0);
}

TEST(Readers, SizeValueIsZeroWhenUnreadable) {
  EXPECT_EQ(SizeValue("2", kIn), 2);
  EXPECT_EQ(SizeValue("50mm", kIn), 2);
  EXPECT_EQ(SizeValue("two", kIn), 0);
}

TEST(Readers, StrictFloat) {
  double value = 0;
  EXPECT_TRUE(ParseFloat("-1.5e3", value));
  EXPECT_EQ(value, -1500);
  EXPECT_TRUE(ParseFloat("+2", value));
  EXPECT_EQ(value, 2);
  for (const char* bad : {"", "+", "+-2", " 2", "2 ", "1e400", "inf", "nan", "1,5", "0x10"})
    EXPECT_FALSE(ParseFloat(bad, value)) << bad;
}

}  // namespace
}  // namespace pelmora
