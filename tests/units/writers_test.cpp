#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "input/units/units.h"

namespace pelmora {
namespace {

struct TFormatCase {
  int Code;
  double Value;
  const char* Expected;
};

TEST(Writers, FeetAndInchesToTheQuarterInch) {
  const TFormatCase cases[] = {
      {0, 10.999, "10'12"},  // the next whole inch is not carried into the feet
      {0, 10.5, "10'6"},
      {0, 10.53, "10'6.25\""},
      {0, 10 + 6.5 / 12, "10'6.5\""},
      {0, 10 + 6.7 / 12, "10'6.75\""},
      {0, 10 + 6.9 / 12, "10'7"},
      {0, 0, "0'0"},
      {1, -5.5, "-5'6"},
      {1, -0.001, "0'0"},  // no "-0'0" for a rounding crumb
  };
  for (const TFormatCase& t : cases) EXPECT_EQ(FormatLength(t.Code, t.Value), t.Expected) << t.Value;
}

TEST(Writers, FeetAndInchesReadBack) {
  for (double feet : {-5.5, 10.5, 10.25, 0.75, 123.0}) {
    double value = 0;
    ASSERT_TRUE(ParseLength(FormatLength(0, feet), 0, value)) << feet;
    EXPECT_DOUBLE_EQ(value, feet);
  }
}

TEST(Writers, PatternsByUnit) {
  EXPECT_EQ(FormatLength(3, 12.34), "12.3");
  EXPECT_EQ(FormatLength(4, 12.0), "12");
  EXPECT_EQ(FormatLength(2, 1.25), "1.25");
  EXPECT_EQ(FormatLength(5, 3.0), "3.0");
  EXPECT_EQ(FormatLength(5, 3.20041), "3.2");
  EXPECT_EQ(FormatLength(6, 3.0), "");
  EXPECT_EQ(FormatLength(0, std::numeric_limits<double>::infinity()), "");
  EXPECT_EQ(FormatPressure(0, 52.1), "52.10");
  EXPECT_EQ(FormatPressure(1, 3.59213), "3.5921");
  EXPECT_EQ(FormatPressure(2, 359.2136), "359.214");
  EXPECT_EQ(FormatPressure(3, 1.0), "");
  EXPECT_EQ(FormatFlow(25), "25.00");
  EXPECT_EQ(FormatK(5.6), "5.6");
  EXPECT_EQ(FormatK(8), "8.0");
}

TEST(FormatFloat, PicturePatterns) {
  const struct {
    const char* Pattern;
    double Value;
    const char* Expected;
  } cases[] = {
      {"0.0#", 1.005, "1.01"},  // halves round away from zero, as the number is written
      {"0.0#", -1.005, "-1.01"},
      {"0.0#", 2.675, "2.68"},
      {"0.0#", 0.004, "0.0"},
      {"0.0#", -0.004, "0.0"},
      {"0.0#", 9.996, "10.0"},
      {"0.##", 2, "2"},
      {"0.##", 0.125, "0.13"},
      {"0.00#", 0.0625, "0.063"},
      {"0.0##", 1e-9, "0.0"},
      {"0.#", 0.05, "0.1"},
      {"0.00", 1234.5, "1234.50"},
      {"0", 0.5, "1"},
      {"0", 1e20, "100000000000000000000"},
      {"0.0########", 0.00015, "0.00015"},
      {"#,##0", 1234567.5, "1,234,568"},
      {"#,##0", 999, "999"},
      {"#,##0", -1000, "-1,000"},
      {"0.###E-", 0.000123456, "1.235E-4"},
      {"0.###E-", 1500, "1.5E3"},
      {"0.###E-", 9.9996, "1E1"},
      {"0.###E-", 0, "0E0"},
      {"0.###E-", -0.004, "-4E-3"},
      {"0.0E+00", 1500, "1.5E+03"},
  };
  for (const auto& t : cases) EXPECT_EQ(FormatFloat(t.Pattern, t.Value), t.Expected) << t.Pattern << " " << t.Value;
  EXPECT_EQ(FormatFloat("0.0#", std::nan("")), "");
}

TEST(FormatGeneral, ShortestWithFifteenDigits) {
  const struct {
    double Value;
    const char* Expected;
  } cases[] = {
      {1, "1"},
      {62.4, "62.4"},
      {2.5, "2.5"},
      {-0.0, "0"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},
      {123456789012345.0, "123456789012345"},
      {1e15, "1E15"},
      {0.0001, "0.0001"},
      {0.000015, "1.5E-5"},
      {-2.5e-7, "-2.5E-7"},
  };
  for (const auto& t : cases) EXPECT_EQ(FormatGeneral(t.Value), t.Expected) << t.Value;
  EXPECT_EQ(FormatGeneral(std::numeric_limits<double>::infinity()), "");
}

}  // namespace
}  // namespace pelmora
