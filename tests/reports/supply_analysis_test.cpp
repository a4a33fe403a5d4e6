#include "reports/supply_analysis.h"

#include <gtest/gtest.h>

#include "report_fixture.h"

namespace pelmora {
namespace {

class SupplyAnalysisTest : public ReportFixture {};

TEST_F(SupplyAnalysisTest, HeaderIsFourLinesOf76Columns) {
  const std::vector<std::string> lines = BuildSupplyAnalysis(Context());
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "             Static    Residual             Available    Total     Required ");
  EXPECT_EQ(lines[1], " Node at    Pressure   Pressure     Flow     Pressure    Demand    Pressure ");
  EXPECT_EQ(lines[2], "             [psi]      [psi]      [gpm]      [psi]      [gpm]      [psi]   ");
  EXPECT_EQ(lines[3], std::string(76, '='));
  EXPECT_EQ(lines[4], "    W         60.0       50.0      500.0      59.81       58.6      37.93   ");
}

TEST_F(SupplyAnalysisTest, StaticOnlySupplyLeavesResidualCellsBlank) {
  Engine.FNodes[1]->Supply->Flows = {0};
  Engine.FNodes[1]->Supply->Pressures = {60};
  EXPECT_EQ(BuildSupplyAnalysis(Context()).back(),
            "    W         60.0                            59.81       58.6      37.93   ");
}

TEST_F(SupplyAnalysisTest, SeveralSourcesEndWithTheirTotalFlow) {
  TNode* second = AddNode(Engine, "W2", nkWater, 0, 37.0, -12.34);
  auto curve = std::make_unique<TSpecial>();
  curve->Flows = {0, 1000};
  curve->Pressures = {55, 45};
  second->Supply = Engine.AddSpecial(std::move(curve));
  const std::vector<std::string> lines = BuildSupplyAnalysis(Context());
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[5], "    W2        55.0       45.0      1000.0     58.89      12.34       37.0   ");
  EXPECT_EQ(lines[6], "total flow all water supplies = 70.94");
}

TEST_F(SupplyAnalysisTest, SourceWithoutCurveEndsTheListWithError) {
  AddNode(Engine, "W2", nkWater, 0, 37.0, 0);
  const std::vector<std::string> lines = BuildSupplyAnalysis(Context());
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[5], "Error");
}

}  // namespace
}  // namespace pelmora
