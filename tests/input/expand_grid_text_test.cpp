#include <gtest/gtest.h>

#include "expand_grid_support.h"
#include "input/calc_run.h"
#include "input/grid_expand_text.h"

namespace pelmora::testing {
namespace {

const std::vector<std::string> kGridText{
    "Water W 0 175 800 150", "Pipe RISER W M1-1 20 4", "Use S40 120", "Main 3 4 10", "Main 3 4 10",
    "ME 10", "ME 10", "Use S10 120", "Line 5 1.25 4 6 10", "LineElev 11", "RN 1.5", "Drop 9 1 1.5",
    "Flow 2 2 3 3 20 5.6"};

void ExpectSameResults(const std::vector<std::string>& text) {
  TZubFile project;
  project.Units = TUnitSet{};
  const TRunResult original = pelmora::Run(text, project);
  ASSERT_TRUE(original.Success) << ::testing::PrintToString(original.Messages);
  const std::vector<std::string> expanded = ExpandGridText(project, text, *original.Engine);
  EXPECT_EQ(expanded[3], "// Expanded grid");
  EXPECT_EQ(std::count_if(expanded.begin(), expanded.end(), [](const std::string& l) { return l.rfind("// Main", 0) == 0; }), 2);

  TZubFile copy;
  copy.Units = TUnitSet{};
  const TRunResult again = pelmora::Run(expanded, copy);
  ASSERT_TRUE(again.Success) << ::testing::PrintToString(again.Messages);
  EXPECT_EQ(again.Engine->FPipes.size(), original.Engine->FPipes.size());
  EXPECT_EQ(again.Engine->FSprinklerCount, original.Engine->FSprinklerCount);
  EXPECT_NEAR(again.Engine->FRequiredPressure, original.Engine->FRequiredPressure, 1e-6);
  EXPECT_NEAR(again.Engine->FDemandFlow, original.Engine->FDemandFlow, 1e-6);
  // The generated pipes keep their material: the branch lines were written after "Use S10".
  EXPECT_EQ(again.Engine->FindPipe("L2-2")->Material, "S10");
  EXPECT_EQ(again.Engine->FindPipe("M1-1")->Material, "S40");
}

TEST(ExpandGridText, CalculatesLikeTheGridWithRisersAndDrops) { ExpectSameResults(kGridText); }

TEST(ExpandGridText, CalculatesLikeTheGridWhereAutoPeakFoundTheArea) {
  std::vector<std::string> text = kGridText;
  text[11] = "AutoPeak";  // drops change the model at every position: searched without them here
  ExpectSameResults(text);
}

TEST(ExpandGridText, WritesFixedColumns) {
  TZubFile project;
  project.Units = TUnitSet{};
  TInterpreted run({"Water W 0 175 800 150", "Pipe RISER W M1-1 20 4", "Main 3 2 10", "Main 3 2 10", "ME 10",
                    "ME 10", "Line 1 1 4 6 10", "LineElev 10", "Flow 1 1 1 1 20 5.6"});
  ASSERT_TRUE(run.Ok) << ::testing::PrintToString(run.Errors());
  const auto expanded = ExpandGridText(run.Project, {"Water W 0 175 800 150", "Pipe RISER W M1-1 20 4", "Main 3 2 10",
                                                     "Main 3 2 10", "ME 10", "ME 10", "Line 1 1 4 6 10",
                                                     "LineElev 10", "Flow 1 1 1 1 20 5.6"},
                                       *run.Engine);
  EXPECT_NE(std::find(expanded.begin(), expanded.end(), "Node  M1-1             10"), expanded.end());
  EXPECT_NE(std::find(expanded.begin(), expanded.end(), "Head  L1-1             10        20       5.6"),
            expanded.end());
  EXPECT_NE(std::find(expanded.begin(), expanded.end(), "Pipe  L1-1     M1-1     L1-1              4       1 1T VB"),
            expanded.end())
      << ::testing::PrintToString(expanded);
}

}  // namespace
}  // namespace pelmora::testing
