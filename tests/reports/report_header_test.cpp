#include "reports/report_header.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "report_fixture.h"

namespace pelmora {
namespace {

struct WrapCase {
  const char* Why;
  std::string Label, Value;
  std::vector<std::string> Expected;
};

TEST(WrapReportPairsTest, LongValuesBreakAfterTheLastSpaceOrHyphenInReach) {
  const std::string a60(60, 'a'), b20(20, 'b'), x70(70, 'x'), x80(80, 'x');
  const WrapCase cases[] = {
      {"hyphen", "    ", a60 + "-" + b20, {"    " + a60 + "-", "    " + b20}},
      {"nothing to break at", "    ", x80, {"    " + x80}},
      {"empty value", "Notes:", "", {"Notes:"}},
      {"exactly the width", "    ", std::string(71, 'y'), {"    " + std::string(71, 'y')}},
      {"label wider than the page", std::string(76, 'L'), "a b", {std::string(76, 'L') + "a b"}},
      {"space at the last column", "    ", x70 + " y", {"    " + x70 + " ", "    y"}},
      {"continuation under the value", "Project:  ", std::string(60, 'p') + " " + std::string(60, 'q'),
       {"Project:  " + std::string(60, 'p') + " ", "          " + std::string(60, 'q')}},
  };
  for (const WrapCase& c : cases) {
    SCOPED_TRACE(c.Why);
    EXPECT_EQ(WrapReportPairs({{c.Label, c.Value}}), c.Expected);
  }
}

class ReportHeaderTest : public ReportFixture {
 protected:
  std::vector<TReportPair> Pairs() const { return BuildReportHeader(Context()); }

  // The value of the first pair with this label, or "<absent>".
  std::string ValueOf(const std::string& label) const {
    const std::vector<TReportPair> pairs = Pairs();
    const auto found =
        std::find_if(pairs.begin(), pairs.end(), [&](const TReportPair& pair) { return pair.Label == label; });
    return found == pairs.end() ? "<absent>" : found->Value;
  }
};

const char* const kTotalWater = "    Total water required (including hose streams):  ";

TEST_F(ReportHeaderTest, ProjectLinesTakeOnePairEachUnderABlankLabel) {
  Project.Project.clear();
  EXPECT_EQ(Pairs()[0].Label, "Project:  ");
  EXPECT_EQ(Pairs()[0].Value, "");
  EXPECT_EQ(Pairs()[1].Label, "Drawing no.:  ");

  Project.Project = {"One", "Two", "Three"};
  const std::vector<TReportPair> pairs = Pairs();
  EXPECT_EQ(pairs[0].Label, "Project:  ");
  EXPECT_EQ(pairs[1].Label, "          ");
  EXPECT_EQ(pairs[2].Label, "          ");
  EXPECT_EQ(pairs[2].Value, "Three");
}

TEST_F(ReportHeaderTest, TotalWaterShowsTheMarginAndItsShareOfTheSupply) {
  EXPECT_EQ(ValueOf(kTotalWater), "58.6 gpm at 37.93 psi  [ 21.89 psi safety margin (36.6%) ]");

  Engine.FInputUnits.Pressure = 1;
  Engine.FRequiredPressure = 2.61485;
  Engine.FMargin = 1.5;
  EXPECT_EQ(ValueOf(kTotalWater), "58.6 gpm at 2.615 bar  [ 1.5 bar safety margin (36.5%) ]");

  Engine.FRequiredPressure = -1.5;
  EXPECT_EQ(ValueOf(kTotalWater), "58.6 gpm at -1.5 bar  [ 1.5 bar safety margin ]");
}

TEST_F(ReportHeaderTest, TwoWaterSourcesReferToTheSupplyAnalysis) {
  AddNode(Engine, "W2", nkWater, 0, 30, 0)->Supply = Engine.FNodes[1]->Supply;
  EXPECT_EQ(ValueOf(kTotalWater), "see Supply Analysis section of report");
}

TEST_F(ReportHeaderTest, RiserLineIsNamedByTheHeadAreaMode) {
  const std::string base = "    Total water required at base of system riser:  ";
  const std::string gauge = "    Total water required at control valve gauge 'C':  ";
  EXPECT_EQ(ValueOf(base), "<absent>");
  Engine.FRiserValid = true;
  Engine.FRiserFlow = 58.6;
  Engine.FRiserPressure = 35.125;
  EXPECT_EQ(ValueOf(base), "58.6 gpm at 35.13 psi");
  Project.HeadArea = true;
  EXPECT_EQ(ValueOf(base), "<absent>");
  EXPECT_EQ(ValueOf(gauge), "58.6 gpm at 35.13 psi");
}

TEST_F(ReportHeaderTest, OptionalLinesAppearOnlyWithText) {
  const std::string rack = "    In rack demand:  ", volume = "    Volume of dry or preaction system:  ";
  const std::string velocity = "    Maximum water flow velocity:  ";
  Project.SystemInfo[siRackDemand] = "   ";
  EXPECT_EQ(ValueOf(rack), "<absent>");
  EXPECT_EQ(ValueOf(volume), "<absent>");
  EXPECT_EQ(ValueOf("Under contract with:  "), "<absent>");
  Project.SystemInfo[siRackDemand] = "60 gpm";
  Project.SystemInfo[siVolume] = "310 gal";
  Project.Contract = {"Harbour Estates"};
  EXPECT_EQ(ValueOf(rack), "60 gpm");
  EXPECT_EQ(ValueOf(volume), "310 gal");
  EXPECT_EQ(ValueOf("Under contract with:  "), "Harbour Estates");

  EXPECT_EQ(ValueOf(velocity), "11.137 ft/s");
  Options.RepMaxVelocity = false;
  EXPECT_EQ(ValueOf(velocity), "<absent>");
}

TEST_F(ReportHeaderTest, ProjectPeopleOverrideTheProgramOptions) {
  EXPECT_EQ(ValueOf("Contractor:  "), "Harbour Fire Ltd");
  EXPECT_EQ(ValueOf("Name of designer:  "), "J. Smith");
  Project.CompanyOR = {"Project Sprinklers Inc"};
  Project.DesignerOR.clear();
  EXPECT_EQ(ValueOf("Contractor:  "), "Project Sprinklers Inc");
  EXPECT_EQ(ValueOf("Name of designer:  "), "Someone Else");
}

TEST_F(ReportHeaderTest, HoseStreamsSayNoneForEmptyAllowances) {
  Project.SystemInfo[siOutsideHose] = "";
  Project.SystemInfo[siInsideHose] = "100 gpm";
  EXPECT_EQ(ValueOf("    Hose streams:  "), "none outside + 100 gpm inside");
  Project.SystemInfo[siInsideHose] = " ";
  EXPECT_EQ(ValueOf("    Hose streams:  "), "none outside + none inside");
}

TEST_F(ReportHeaderTest, DarcyCalculationsNameTheLiquidBeforeTheProjectNotes) {
  Engine.FFrictionMethod = 2;
  Engine.FHazenPipesUsed = true;
  Project.Liquid = TLiquid{62.34, 998.8, 1.1, 1, "Water 60F (15.6C)"};
  Project.AdjustKForLiquid = true;
  Project.KFactorMultiplier = 1.05;
  std::vector<TReportPair> pairs = Pairs();
  ASSERT_GE(pairs.size(), 3u);
  const size_t last = pairs.size() - 1;
  EXPECT_EQ(pairs[last - 2].Label, "    ");
  EXPECT_EQ(pairs[last - 2].Value,
            "Darcy-Weisbach and Hazen-Williams friction formulae used in calculations. Liquid used with Darcy "
            "formula is \"Water 60F (15.6C)\", p=62.34 lb/ft3, u=1.1 Centipoise. Sprinkler head k-factors have "
            "been adjusted by a 1.05 multiplier.  Adjusted k-factor values are shown in this report.");
  EXPECT_EQ(pairs[last - 1].Value, "");
  EXPECT_EQ(pairs[last].Value, Project.Notes[0]);

  Engine.FHazenPipesUsed = false;
  Engine.FInputUnits.Pressure = 2;
  Project.AdjustKForLiquid = false;
  pairs = Pairs();
  EXPECT_EQ(pairs[pairs.size() - 3].Value,
            "Darcy-Weisbach friction formula used in calculations. Liquid used with Darcy formula is "
            "\"Water 60F (15.6C)\", p=998.8 kg/m3, u=1.1 Centipoise.");
}

}  // namespace
}  // namespace pelmora
