#include <gtest/gtest.h>

#include <cctype>
#include <cmath>

#include "expand_grid_support.h"

namespace pelmora::testing {
namespace {

struct TMessageCase {
  const char* Name;
  std::vector<std::string> Grid;
  const char* Text;
  int Code;
  int Line;   // in the whole text, the two supply lines included; -1 for none
  int Param;
};

std::ostream& operator<<(std::ostream& out, const TMessageCase& c) { return out << c.Name; }

class GridMessageTest : public ::testing::TestWithParam<TMessageCase> {};

// Each text has one fault; its message is the first error of the run.
TEST_P(GridMessageTest, ReportsTheFault) {
  const TMessageCase& c = GetParam();
  TInterpreted run(WithSupply(c.Grid));
  EXPECT_FALSE(run.Ok);
  ASSERT_FALSE(run.Engine->FErrors.empty());
  const TCalcError& error = run.Engine->FErrors.front();
  EXPECT_EQ(error.Text, c.Text);
  EXPECT_EQ(error.Code, c.Code);
  EXPECT_EQ(error.Line, c.Line);
  EXPECT_EQ(error.Param, c.Param);
  EXPECT_EQ(run.Engine->FPipes.size(), 1u) << "nothing is built after a failed expansion";
}

const std::vector<std::string> kLine{"Line 2 1 5 5 10", "LE 0"};

INSTANTIATE_TEST_SUITE_P(
    Consistency, GridMessageTest,
    ::testing::Values(
        TMessageCase{"G1", {"Main 2 3 10", "Main 2 3 10", "ME 0", "ME 0", "Line 2 1 5 5 10", "LE 0", "LE 0"},
                     "Only one \"LineElev\" or \"LineElev2\" command may be used.", 2051, 8, 0},
        TMessageCase{"G2", {"Main 2 3 10", "Main 2 3 10", "ME 0", "Line 2 1 5 5 10", "LE 0"},
                     "One \"MainElev\" command is required for each \"Main\" and \"MainV\" command entered.", 2052, 3, 0},
        TMessageCase{"G3", {"Main 2 3 10", "ME 0"},
                     "Atleast one \"Line\", \"TreeLeft\", or \"TreeRight\" command required when \"Main\" or \"MainV\" is used.",
                     2052, 2, 0},
        TMessageCase{"G4", {"LE 0"},
                     "Atleast one \"Line\", \"TreeLeft\", or \"TreeRight\" command required when \"LineElev\" or "
                     "\"LineElev2\" is used.",
                     2052, 2, 0},
        TMessageCase{"G5", {"Main 2 3 10", "ME 0", "TreeLeft 2 5 1"},
                     "A \"LineElev\" command is required when \"Line\", \"TreeLeft\", or \"TreeRight\" is used.", 2052, 4, 0},
        TMessageCase{"G6 one", {"Main 2 3 10", "ME 0", "Line 2 1 5 5 10", "LE 0"},
                     "1 more \"Main\" command is needed.", 2052, 4, 0},
        TMessageCase{"G6 two", {"Main 2 3 10", "ME 0", "Line 2 1 5 5 10", "Line 2 1 5 5 10", "LE 0"},
                     "2 more \"Main\" commands are needed.", 2052, 5, 0},
        TMessageCase{"G7", {"RN 2"},
                     "Atleast one \"Line\", \"TreeLeft\", or \"TreeRight\" command required when \"RN\" command is used.",
                     2052, 2, 0},
        TMessageCase{"G8", {"Drop 8 1"},
                     "Atleast one \"Line\", \"TreeLeft\", or \"TreeRight\" command required when \"Drop\" command is used.",
                     2052, 2, 0},
        TMessageCase{"G9", {"Flow 1 1 1 1 20 5.6"},
                     "Atleast one \"Line\", \"TreeLeft\", or \"TreeRight\" command required when \"Flow\" command is used.",
                     2052, 2, 0},
        TMessageCase{"G11", {"MainCont 2 2 10", "Main 2 3 10", "ME 0", "TL 1 5 1", "LE 0"},
                     "MainCont command: a previous \"Main\" or \"MainV\" command is required.", 2051, 2, 0},
        TMessageCase{"G12", {"Main 2 3 10", "Main 2 3 10", "ME 0", "ME 0", "TreeLeft 1 5 1", "LE 0"},
                     "Not enough Line commands for number of mains entered.", 2050, 1, 0},
        TMessageCase{"missing parameter", {"Main 2 3", "Main 2 3 10", "ME 0", "ME 0", "Line 2 1 5 5 10", "LE 0"},
                     "Main command: \"spacing between branchlines\" parameter is missing.", 2048, 2, 3},
        TMessageCase{"invalid parameter", {"Main 2 3 10", "Main 2 3 10", "ME 0", "ME 0", "Line 2 1 5 5 10", "LE 0",
                                           "Flow 1 1 2 1 20 0"},
                     "Flow command: \"0\" is not a valid K-factor.", 2049, 8, 6},
        TMessageCase{"area outside", {"Main 2 3 10", "Main 2 2 10", "ME 0", "ME 0", "Line 2 1 5 5 10", "LE 0",
                                      "Flow 1 3 1 3 20 5.6"},
                     "Remote area not valid.", 1025, -1, 0}),
    [](const ::testing::TestParamInfo<TMessageCase>& info) {
      std::string name = info.param.Name;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST(GridMessages, SurplusWordOfAutoPeakIsOnlyAWarning) {
  TInterpreted run(WithSupply({"Main 2 3 10", "Main 2 3 10", "ME 0", "ME 0", "Line 2 1 5 5 10", "LE 0",
                               "Flow 1 1 2 1 20 5.6", "AutoPeak X"}));
  EXPECT_TRUE(run.Ok) << ::testing::PrintToString(run.Errors());
  EXPECT_EQ(run.Messages(), std::vector<std::string>{"[WARNING] \"AutoPeak\" command has too many parameters."});
  EXPECT_EQ(run.Engine->FMessages.front().Param, 1);
}

TEST(GridMessages, FlowRectangleInEitherOrderCountsItsHeads) {
  for (const char* flow : {"Flow 1 1 3 2 10 5.6", "Flow 3 2 1 1 10 5.6"}) {
    TInterpreted run(WithSupply({"Main 2 3 10", "Main 2 3 10", "ME 0", "ME 0", "Line 4 1 5 5 10", "LE 0", flow}));
    ASSERT_TRUE(run.Ok) << ::testing::PrintToString(run.Errors());
    EXPECT_EQ(run.Engine->FSprinklerCount, 6) << flow;
    EXPECT_EQ(run.Node("L1-1")->Kind, nkHead) << flow;
    EXPECT_EQ(run.Node("L2-3")->Kind, nkHead) << flow;
    EXPECT_EQ(run.Node("L2-4")->Kind, nkNode) << flow;
  }
}

TEST(GridMessages, NegativeDischargeIsAMinimumPressure) {
  TInterpreted run(WithSupply({"Main 2 3 10", "Main 2 3 10", "ME 0", "ME 0", "Line 2 1 5 5 10", "LE 0",
                               "Flow 1 1 1 1 -7 5.6"}));
  ASSERT_TRUE(run.Ok) << ::testing::PrintToString(run.Errors());
  const TNode* head = run.Node("L1-1");
  EXPECT_DOUBLE_EQ(head->MinPressure, 7);
  EXPECT_NEAR(head->MinFlow, 5.6 * std::sqrt(7.0), 1e-9);
}

TEST(GridMessages, TreeSystemWithOneMainPassesTheChecks) {
  TInterpreted run(WithSupply({"Main 2 3 10", "MainElev 0", "TreeLeft 2 5 1", "LineElev 0"}));
  EXPECT_TRUE(run.Ok) << ::testing::PrintToString(run.Errors());
}

}  // namespace
}  // namespace pelmora::testing
