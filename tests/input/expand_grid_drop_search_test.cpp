#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expand_grid_support.h"
#include "input/calc_run.h"

namespace pelmora::testing {
namespace {

// Two mains of four junctions with five heads on each branch line; the lines run below the
// ceiling, so every head hangs on a drop with an arm-over that the search creates and deletes.
// The same grid is written in U.S. units, with lengths in inches (the fittings come from the
// database in another length unit than the calculation's), and in metric units with kPa.
struct TDropCase {
  const char* Name;
  TUnitSet Units;
  std::vector<std::string> Grid;
  std::string Head;      // discharge and K-factor of the area
  uint8_t CalcPressure;  // pressure unit of the calculation: psi or bar
};

const TDropCase kDropCases[] = {
    {"Feet",
     TUnitSet{},
     {"Water W 0 175 800 150", "Pipe RISER W M1-1 20 4", "Use S40 120", "Main 3 4 10", "Main 3 4 10", "ME 10", "ME 10",
      "Use S10 120", "Line 5 1.25 4 6 10", "LineElev 11", "RN 1.5", "Drop 13 1 1.5"},
     "20 5.6",
     0},
    {"Inches",
     TUnitSet{2, 2, 0, 0, 0, 0, 5, 3},
     {"Water W 0 175 800 150", "Pipe RISER W M1-1 240 4", "Use S40 120", "Main 3 4 120", "Main 3 4 120", "ME 10",
      "ME 10", "Use S10 120", "Line 5 1.25 48 72 120", "LineElev 11", "RN 1.5", "Drop 13 1 18"},
     "20 5.6",
     0},
    {"MetricKPa",
     TUnitSet{5, 3, 5, 2, 1, 2, 5, 3},
     {"Water W 0 1200 3000 1000", "Pipe RISER W M1-1 6 100", "Use S40 120", "Main 80 4 3", "Main 80 4 3", "ME 3",
      "ME 3", "Use S10 120", "Line 5 32 1.2 1.8 3", "LineElev 3.3", "RN 40", "Drop 4 25 0.5"},
     "75 8",
     1},
};

std::string FlowAt(const TDropCase& c, TGridPosition p) {
  return "Flow " + std::to_string(p.Head + 1) + " " + std::to_string(p.Line + 1) + " " + std::to_string(p.Head + 2) +
         " " + std::to_string(p.Line + 2) + " " + c.Head;
}

TRunResult RunGrid(const TDropCase& c, TGridPosition p, bool autoPeak) {
  std::vector<std::string> text = c.Grid;
  text.push_back(FlowAt(c, p));
  if (autoPeak) text.push_back("AutoPeak");
  TZubFile project;
  project.Units = c.Units;
  return pelmora::Run(text, project);
}

class AutoPeakWithDrops : public ::testing::TestWithParam<TDropCase> {};

// The search with drops must choose the position that a plain calculation of every position shows
// to be the most demanding, and leave the results of a plain calculation there.
TEST_P(AutoPeakWithDrops, FindsTheLeastMarginAndKeepsItsResults) {
  const TDropCase& c = GetParam();
  const TRunResult search = RunGrid(c, {0, 0}, true);
  ASSERT_TRUE(search.Success) << ::testing::PrintToString(search.Messages);
  const TCalcGrid& grid = *search.Engine->FGrid;
  EXPECT_EQ(grid.PositionsTried(), 12);
  EXPECT_EQ(grid.PositionsFailed(), 0);

  TGridPosition worst{-1, -1};
  double worstMargin = 1e300;
  for (int32_t line = 0; line < 3; ++line)
    for (int32_t head = 0; head < 4; ++head) {
      const TRunResult plain = RunGrid(c, {head, line}, false);
      ASSERT_TRUE(plain.Success) << head << "," << line << ::testing::PrintToString(plain.Messages);
      // The search keeps its criterion in calculation units.
      const double margin = ConvertPressure(plain.Engine->FMargin, c.Units.Pressure, c.CalcPressure);
      EXPECT_NEAR(grid.SearchResults()[line][head], margin, 1e-4) << head << "," << line;
      if (plain.Engine->FMargin < worstMargin) {
        worstMargin = plain.Engine->FMargin;
        worst = {head, line};
      }
    }
  EXPECT_EQ(grid.BestPosition(), worst);
  EXPECT_NE(worst, (TGridPosition{0, 0}));

  const TRunResult plain = RunGrid(c, worst, false);
  const TCalcEngine& found = *search.Engine;
  const TCalcEngine& expected = *plain.Engine;
  EXPECT_EQ(found.FTolerance, expected.FTolerance);
  EXPECT_NEAR(found.FMargin, expected.FMargin, 1e-3);
  EXPECT_NEAR(found.FDemandFlow, expected.FDemandFlow, 1e-3);
  EXPECT_NEAR(found.FRequiredPressure, expected.FRequiredPressure, 1e-3);
  EXPECT_EQ(found.FPipes.size(), expected.FPipes.size());
  EXPECT_EQ(found.FNodes.size(), expected.FNodes.size());
  EXPECT_EQ(found.FLoops.size(), expected.FLoops.size());
  // Every drop and head of the final position, with its fittings and results, matches by name.
  for (size_t k = 1; k < expected.FPipes.size(); ++k) {
    const TPipe& want = *expected.FPipes[k];
    const TPipe* got = found.FindPipe(want.Name);
    ASSERT_NE(got, nullptr) << want.Name;
    EXPECT_NEAR(got->TotalLength, want.TotalLength, 1e-9) << want.Name;
    EXPECT_NEAR(got->FittingLength, want.FittingLength, 1e-9) << want.Name;
    EXPECT_NEAR(got->Flow, want.Flow, 1e-2) << want.Name;
  }
  for (size_t i = 1; i < expected.FNodes.size(); ++i) {
    const TNode& want = *expected.FNodes[i];
    const TNode* got = found.FindNode(want.Name);
    ASSERT_NE(got, nullptr) << want.Name;
    EXPECT_EQ(got->Kind, want.Kind) << want.Name;
    EXPECT_NEAR(got->Elevation, want.Elevation, 1e-9) << want.Name;
    EXPECT_NEAR(got->Pressure, want.Pressure, 1e-3) << want.Name;
  }
}

INSTANTIATE_TEST_SUITE_P(UnitSets, AutoPeakWithDrops, ::testing::ValuesIn(kDropCases),
                         [](const ::testing::TestParamInfo<TDropCase>& info) { return info.param.Name; });

}  // namespace
}  // namespace pelmora::testing
