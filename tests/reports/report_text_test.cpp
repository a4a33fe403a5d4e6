#include "reports/report_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace pelmora {
namespace {

struct PadCase {
  const char* Text;
  int Width;
  const char* Centred;
  const char* Left;   // PadRightText
  const char* Right;  // PadLeftText
};

const PadCase kPadCases[] = {
    {"Elev", 8, "  Elev  ", "Elev    ", "    Elev"},
    {"Pressure", 8, "Pressure", "Pressure", "Pressure"},
    {"Pv", 7, "  Pv   ", "Pv     ", "     Pv"},
    {"  ref ", 8, "  ref   ", "  ref   ", "    ref "},
    {"Discharge", 8, "Discharge", "Discharg", "Discharg"},
    {"", 4, "    ", "    ", "    "},
    {"abc", 0, "abc", "", ""},
};

TEST(ReportTextTest, PaddingAndCentringFollowTheColumnRules) {
  for (const PadCase& c : kPadCases) {
    SCOPED_TRACE(std::string("\"") + c.Text + "\" in " + std::to_string(c.Width));
    EXPECT_EQ(CenterText(c.Text, c.Width), c.Centred);
    EXPECT_EQ(PadRightText(c.Text, c.Width), c.Left);
    EXPECT_EQ(PadLeftText(c.Text, c.Width), c.Right);
  }
}

struct ValueCase {
  double Value;
  int Width, Decimals, Rounded;
  bool Round;
  const char* Expected;
};

const ValueCase kValueCases[] = {
    {37.92541, 8, 3, 1, false, "  37.925"},
    {37.92541, 8, 3, 1, true, "    37.9"},
    {58.6, 8, 3, 2, true, "   58.60"},
    {-4.33, 7, 3, 1, false, " -4.330"},
    {0.0005, 8, 3, 1, false, "   0.001"},  // half away from zero
    {123456.789, 8, 3, 1, false, "123456.7"},  // too wide: the trailing digits are cut
    {0.01468, 5, 3, 1, false, "0.015"},
    {150000.5, 7, 2, 2, false, "150000."},
    {2.5, 6, 0, 0, false, "     3"},
    {1.0, 0, 3, 3, false, ""},
};

TEST(ReportTextTest, ValuesHaveFixedDecimalsRightAlignedAndCut) {
  for (const ValueCase& c : kValueCases) {
    SCOPED_TRACE(std::to_string(c.Value));
    EXPECT_EQ(FormatReportValue(c.Value, c.Width, c.Decimals, c.Rounded, c.Round), c.Expected);
  }
}

TEST(ReportTextTest, ValuesThatAreNoNumbersLeaveTheCellBlank) {
  EXPECT_EQ(FormatReportValue(std::numeric_limits<double>::quiet_NaN(), 8, 3), "        ");
  EXPECT_EQ(FormatReportValue(std::numeric_limits<double>::infinity(), 6, 2), "      ");
  EXPECT_EQ(FormatReportValue(-std::numeric_limits<double>::infinity(), 6, 2, 1, true), "      ");
}

}  // namespace
}  // namespace pelmora
