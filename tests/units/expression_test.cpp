#include "input/units/expression.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

struct TExpressionCase {
  const char* Text;
  int Kind;
  const char* Expected;
};

const TUnitSet kFeetProject{};  // ft, in, ft, psi, gpm, gpm/psi
const TUnitSet kInchProject{2, 2, 2, 0, 0, 0, 5, 3};

TEST(Expression, Arithmetic) {
  const TExpressionCase cases[] = {
      {"[2+3]*4", ekLength, "20"},       {"2+3*4", ekLength, "14"}, {"12/2*3", ekLength, "18"},
      {"2.5*2", ekLength, "5"},          {"10/4", ekLength, "2.5"}, {"-3+5", ekLength, "2"},
      {"2-3-4", ekLength, "-5"},         {"7/0", ekLength, "0"},    {"2^3", ekLength, "8"},
      {"2^-1", ekLength, "0"},  // no operand after ^ is 2^0, then 1 is subtracted
      {"((1+2)*(3+4))", ekLength, "21"}, {"", ekLength, ""},        {"-7", ekLength, "-7"},
      {"10^400", ekLength, "0"},  // an overflow never reaches the text
      {"2*XYZ", ekLength, "0"},   // unreadable operands are 0
      {"10'6*2", ekLength, "21"},        {"1+2", 6, "3"},           {"5+5", 9, "0"},  // no reader: every operand is 0
  };
  for (const TExpressionCase& t : cases)
    EXPECT_EQ(EvaluateExpression(t.Text, t.Kind, kFeetProject), t.Expected) << t.Text;
}

TEST(Expression, OperandsCarryTheirUnits) {
  EXPECT_EQ(EvaluateExpression("10ft+6in", ekLength, kInchProject), "126");
  EXPECT_EQ(EvaluateLength("10ft+6in", kFeetProject), "10.5");
  EXPECT_EQ(EvaluateExpression("10psi*2", ekPressure, MetricUnits()), "1.378951458");
  EXPECT_EQ(EvaluateExpression("25mm*2", ekSize, kFeetProject), "2");
}

TEST(Expression, Functions) {
  const TExpressionCase cases[] = {
      {"CEIL(2.1)", ekLength, "3"},
      {"FLOOR(2.9)", ekLength, "2"},
      {"ROUND(2.5)", ekLength, "2"},  // an exact half goes to the even neighbour
      {"ROUND(3.5)", ekLength, "4"},
      {"round(2.4)", ekLength, "2"},
      {"CEIL 2.1", ekLength, " 2.1"},  // the operand must follow directly: only the word goes
      {"CEIL(10/4)*2", ekLength, "6"},
      {"CEIL(7in)", ekLength, "1"},
      {"CEIL(abc)", ekLength, "\"No valid number for CEIL function\""},
      {"FLOOR(abc)", ekLength, "\"No valid number for FLOOR function\""},
      {"CEIL(abc)", 6, "0"},  // lengths that read as 0 on failure
      {"CEIL", ekLength, ""},
  };
  for (const TExpressionCase& t : cases)
    EXPECT_EQ(EvaluateExpression(t.Text, t.Kind, kFeetProject), t.Expected) << t.Text;
}

TEST(Expression, StraySignsDoNotHangTheEvaluation) {
  EXPECT_EQ(EvaluateExpression("X -3", ekLength, kFeetProject), "X -3");
  EXPECT_EQ(EvaluateExpression("X -3-2", ekLength, kFeetProject), "X -5");
  EXPECT_EQ(EvaluateExpression("(1+2", ekLength, kFeetProject), "3");
  EXPECT_EQ(EvaluateExpression("1+2)", ekLength, kFeetProject), "3");
}

}  // namespace
}  // namespace pelmora
