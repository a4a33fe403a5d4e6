#include "reports/node_table.h"

#include <gtest/gtest.h>

#include "report_fixture.h"
#include "reports/report_sections.h"

namespace pelmora {
namespace {

class NodeTableTest : public ReportFixture {
 protected:
  TNode& W() { return *Engine.FNodes[1]; }
  TNode& A() { return *Engine.FNodes[2]; }
  TNode& H1() { return *Engine.FNodes[3]; }
  TNode& H2() { return *Engine.FNodes[4]; }
};

TEST_F(NodeTableTest, DefaultColumnsShowTypeByNodeKind) {
  EXPECT_EQ(BuildNodeHeader(Context(), 0),
            (std::vector<std::string>{"           Elev            Pressure Discharge",
                                      "Node Tag   [ft]     Type    [psi]    [gpm]   "}));
  EXPECT_EQ(BuildNodeLine(Context(), W()), "   W        0.000  source    37.925  -58.600 ");
  EXPECT_EQ(BuildNodeLine(Context(), A()), "   A       10.000   ref      33.214    0.000 ");
  EXPECT_EQ(BuildNodeLine(Context(), H1()), "   H1      12.000  K=5.60    28.700   30.000 ");
}

TEST_F(NodeTableTest, EveryOptionalColumnWithRoundedValues) {
  Engine.FUseVelocityPressure = true;
  H1().VelocityPressure = 0.52;
  Options.RepNodePn = Options.RepNodePv = Options.RepNodeMinQ = Options.RepRoundValues = Options.RepNoteNode = true;
  EXPECT_EQ(BuildNodeHeader(Context(), 12),
            (std::vector<std::string>{
                "           Elev            Pressure    Pn       Pv    ReqDisch Discharge             ",
                "Node Tag   [ft]     Type    [psi]    [psi]    [psi]    [gpm]    [gpm]      Notes     "}));
  EXPECT_EQ(BuildNodeLine(Context(), W()), "   W        0.000  source      37.9                              -58.60 ");
  EXPECT_EQ(BuildNodeLine(Context(), H1()), "   H1      12.000  K=5.60      28.7     28.2      0.5    25.00    30.00 ");
  EXPECT_EQ(BuildNodeLine(Context(), H2()),
            "   H2      12.000  K=5.60      26.1     26.1      0.0    25.00    28.60 Far end head");
}

TEST_F(NodeTableTest, NotesCarryHiddenPressuresCommentsAndEquivalentK) {
  Engine.FUseVelocityPressure = true;
  H1().VelocityPressure = 0.52;
  H1().KReference = "RACK1";
  EXPECT_EQ(BuildNodeLine(Context(), H1()),
            "   H1      12.000  K=5.60    28.700   30.000 Pn=28.180 Pv=0.520 EquivK_\"RACK1\"= 5.6");
  EXPECT_EQ(BuildNodeLine(Context(), H2()), "   H2      12.000  K=5.60    26.083   28.600 Pn=26.083 Pv=0.000");
  Options.RepNoteNode = true;
  Options.RepNodePv = true;
  EXPECT_EQ(BuildNodeLine(Context(), H2()),
            "   H2      12.000  K=5.60    26.083    0.000   28.600 Far end head Pn=26.083");
  EXPECT_EQ(BuildNodeLine(Context(), A()), "   A       10.000   ref      33.214             0.000 ");
}

TEST_F(NodeTableTest, NotesWidthMakesRoomForTheLongestRow) {
  const std::vector<std::string> rows{BuildNodeLine(Context(), W()), BuildNodeLine(Context(), H1()) + "123456789012"};
  EXPECT_EQ(NodeNotesWidth(Context(), {rows[0]}), 8);
  EXPECT_EQ(NodeNotesWidth(Context(), rows), 12);
}

TEST_F(NodeTableTest, HeadAreaModeAddsAreaAndDensityForHeadsOnly) {
  Project.HeadArea = true;
  Engine.FInputUnits.HeadArea = 0;  // sq.ft
  EXPECT_EQ(BuildNodeHeader(Context(), 0),
            (std::vector<std::string>{
                "           Elev            Pressure Discharge  Area   Req Dens Density  ",
                "Node Tag   [ft]     Type    [psi]    [gpm]   [sq.ft]  [mm/min] [mm/min] "}));
  EXPECT_EQ(BuildNodeLine(Context(), H1()), "   H1      12.000  K=5.60    28.700   30.000  124.987    8.150    9.780 ");
  EXPECT_EQ(BuildNodeLine(Context(), A()), "   A       10.000   ref      33.214    0.000 " + std::string(27, ' '));
}

TEST_F(NodeTableTest, RemoteHeadsSectionTotalsTheListedHeads) {
  Project.HeadArea = true;
  Engine.FInputUnits.HeadArea = 0;
  Project.FFourHeads = {"H1", "h2", "X9"};
  const std::vector<std::string> lines = BuildRemoteHeadsSection(Context());
  const std::string header0 = BuildNodeHeader(Context(), 8)[0];
  const size_t width = header0.size();
  auto centred = [width](const std::string& text) {
    std::string line((width - text.size()) / 2, ' ');
    line += text;
    line.resize(width, ' ');
    return line;
  };
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], centred("Most Hydraulically Remote Three Heads"));
  EXPECT_EQ(lines[3], centred(std::string(37, '-')));
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], header0);
  EXPECT_EQ(lines[7], std::string(width, '='));
  EXPECT_EQ(lines[8], BuildNodeLine(Context(), H1()));
  EXPECT_EQ(lines[9], BuildNodeLine(Context(), H2()));
  EXPECT_EQ(lines[10], lines[7]);
  EXPECT_EQ(lines[11], centred("Total Area = 249.97 sq.ft"));
  EXPECT_EQ(lines[12], centred("Total Flow = 58.60 gpm"));
  EXPECT_EQ(lines[13], centred("Average Density = 9.552 mm/min"));
}

TEST_F(NodeTableTest, RemoteHeadsTitleCountsTheListedNames) {
  Project.HeadArea = true;
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"H1"}, "Most Hydraulically Remote Head"},
      {{"H1", "H2"}, "Most Hydraulically Remote Two Heads"},
      {{"H1", "H2", "H1", "H2"}, "Most Hydraulically Remote Four Heads"},
      {{"H1", "H2", "H1", "H2", "H1"}, "Most Hydraulically Remote Heads"},
  };
  for (const auto& [names, title] : cases) {
    Project.FFourHeads = names;
    EXPECT_NE(BuildRemoteHeadsSection(Context())[2].find(title + " "), std::string::npos) << title;
  }
}

}  // namespace
}  // namespace pelmora
