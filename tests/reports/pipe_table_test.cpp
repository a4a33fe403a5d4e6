#include "reports/pipe_table.h"

#include <gtest/gtest.h>

#include "report_fixture.h"

namespace pelmora {
namespace {

using Rows = std::vector<std::string>;

class PipeTableTest : public ReportFixture {
 protected:
  TPipe& P1() { return *Engine.FPipes[1]; }
  TPipe& P2() { return *Engine.FPipes[2]; }
  TNode& A() { return *Engine.FNodes[2]; }
  TNode& H1() { return *Engine.FNodes[3]; }
  TNode& H2() { return *Engine.FNodes[4]; }
  Rows Block(const TPipe& pipe, const std::string& pathLabel = "", bool reversed = false) const {
    return BuildPipeBlock(Context(), pipe, pathLabel, reversed);
  }
};

TEST_F(PipeTableTest, CompleteLayoutWithNamesBothFlowsSummaryAndDarcy) {
  Options.RepPipeNames = Options.RepPipeBothQ = Options.RepPipeMaterial = true;
  Options.RepPipePressureSummary = Options.RepPipeDarcy = true;
  Options.RepPipeElev = Options.RepPipeKFactor = false;
  Engine.FFrictionMethod = 1;
  P2().FrictionFactor = 0.0281234;
  P2().Reynolds = 98765.4321;
  EXPECT_EQ(BuildPipeHeader(Context(), 0),
            (Rows{"    Node 1 Discharge   Nom     Fittings    L [ft]  material       Pressure        Darcy frict",
                  "Pipe         & Flow    i.d.  num & length  F [ft]  C factor        Summary          factor   ",
                  "    Node 2   [gpm]     [in]      [ft]      T [ft]   psi/ft          [psi]         Reynolds # "}));
  EXPECT_EQ(Block(P2()),
            (Rows{"         A q=   0.000   1      2E=4.000     12.500   S40    Pt= 33.214 Pe=  0.866 f=0.028123 ",
                  "P2         Q=  30.000 1.049    1T=5.000     12.000  C=120   Pf= -3.648 Pv=  0.835 Re=98765.4 ",
                  "        H1 q=  30.000         1LE=2.000     24.500  0.149   Pt= 28.700 V=11.1ft/s            "
                  "K=5.6 gpm/psi",
                  "                               1G=1.000  "}));
}

TEST_F(PipeTableTest, ReversedBlockStartsAtTheToNodeWithItsKFactorAndEquivalentK) {
  Options.RepPipeBothQ = true;
  H1().KReference = "RACK1";
  EXPECT_EQ(Block(P2(), "", true),
            (Rows{"H1         12.000  5.6   q=  30.000   1      2E=4.000     12.500          Pt= 28.700 "
                  "EquivK_\"RACK1\"= 5.6",
                  "                         Q=  30.000 1.049    1T=5.000     12.000  C=120   Pe= -0.866 Mat=\"S40\"",
                  "A          10.000        q=   0.000         1LE=2.000     24.500  0.149   Pf= -3.648 ",
                  "                                             1G=1.000  "}));
}

TEST_F(PipeTableTest, NotesFillRowsInOrderAndKeepRowTwoForTheSecondNode) {
  auto pipe = std::make_unique<TPipe>(P2());
  pipe->Name = "P9";
  pipe->ToNode = &H2();
  pipe->Length = 10;
  pipe->Fittings = {"E", "T", "LE", "G", "E"};
  pipe->FittingLengths = {2, 5, 2, 1, 2};
  pipe->FittingKs = {0, 0, 0, 0, 0};
  pipe->FittingLength = 12;
  pipe->TotalLength = 22;
  pipe->Flow = 28.6;
  pipe->VelocityPressure = 0.7589;
  pipe->FrictionLoss = 6.2652;
  pipe->DeviceLoss = 1.25;
  pipe->FrictionFactor = 0.0281234;
  pipe->Reynolds = 98765.4321;
  pipe->Comment = "Riser nipple to the far head";
  Options.RepNotePipe = true;
  Options.RepPipeKFactor = false;
  Engine.FFrictionMethod = 1;
  Engine.FUseVelocityPressure = true;
  // Without the K-factor column the block is 78 wide.
  const std::string wide(78, ' ');
  EXPECT_EQ(Block(*pipe, "Path 1"),
            (Rows{"A          10.000 q=   0.000   1      1E=2.000     10.000          Pt= 33.214 Path 1",
                  "                  Q=  28.600 1.049    1T=5.000     12.000  C=120   Pe=  0.866 Riser nipple",
                  "H2         12.000                    1LE=2.000     22.000  0.285   Pf=  6.265 K=5.6 gpm/psi",
                  "                                      1G=1.000  Mat=\"S40\"",
                  "                                      1E=2.000                                Pdev=1.25 psi",
                  wide + "Pv=0.759 psi", wide + "f= 0.0281234", wide + "Re=98765.43"}));
}

TEST_F(PipeTableTest, PipeForcedToHazenWilliamsShowsNoDarcyFigures) {
  Options.RepPipeDarcy = true;
  Engine.FFrictionMethod = 2;
  P1().HazenPipe = true;
  P1().FrictionFactor = 0.02;
  const Rows rows = Block(P1());
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].substr(85), "           Mat=\"S40\"");
  EXPECT_EQ(rows[1].substr(65, 9), " C=120   ");
  EXPECT_EQ(rows[1].substr(85), "           Hazen-Williams");
  EXPECT_EQ(rows[2].substr(85), "           ");
}

TEST_F(PipeTableTest, RoughnessMethodsShowTheRoughnessInPlaceOfTheCFactor) {
  Engine.FFrictionMethod = 2;
  P1().CFactor = 0.0018;
  EXPECT_EQ(Block(P1())[1].substr(65, 9), " 1.8E-3  ");
  Engine.FFrictionMethod = 1;
  EXPECT_EQ(Block(P1())[1].substr(65, 9), "  C=0    ");
}

TEST_F(PipeTableTest, VelocityColumnFollowsThePlainPressures) {
  Engine.FUseVelocityPressure = true;
  Options.RepPipeVelocity = true;
  const Rows header = BuildPipeHeader(Context(), 0);
  const Rows rows = Block(P1());
  EXPECT_EQ(header[0].substr(85), "Pv [psi] ");
  EXPECT_EQ(header[1].substr(85), "velocity ");
  EXPECT_EQ(header[2].substr(85), " [ft/s]  ");
  EXPECT_EQ(rows[0].substr(85), "Pv=0.015 Mat=\"S40\"");
  EXPECT_EQ(rows[1].substr(85), "V= 1.477 ");
  EXPECT_EQ(rows[2].substr(85), "         ");
  Options.RepPipePressureSummary = true;
  EXPECT_EQ(BuildPipeHeader(Context(), 0)[0].size(), 85u - 11u + 22u);
}

TEST_F(PipeTableTest, FittingsGivenByKAreShownAsK) {
  Project.UseFittingK = true;
  P1().FittingLengths = {10, 0};
  P1().FittingKs = {0, 0.75};
  EXPECT_EQ(BuildPipeHeader(Context(), 0)[1].substr(43, 13), "eqv length/K ");
  EXPECT_EQ(Block(P1())[1].substr(43, 13), " 1T:K=0.750  ");
}

TEST_F(PipeTableTest, PumpBlockShowsInletOutletAndGain) {
  auto pump = std::make_unique<TPipe>();
  pump->Name = "Pump1";
  pump->FromNode = &A();
  pump->ToNode = &H2();
  pump->NoFriction = true;
  auto curve = std::make_unique<TSpecial>();
  curve->Kind = skPump;
  pump->Devices = {Engine.AddSpecial(std::move(curve))};
  pump->Flow = 28.6;
  pump->DeviceLoss = -95.5;
  EXPECT_EQ(Block(*pump), (Rows{"A          10.000    Pump inlet  pressure =   33.214 psi",
                                "                     Net gain across pump =   95.500 psi",
                                "H2         12.000    Pump outlet pressure =   26.083 psi"}));
  pump->Flow = -28.6;
  pump->DeviceLoss = 95.5;
  const Rows backwards = Block(*pump);
  EXPECT_EQ(backwards[0], "A          10.000    Pump outlet pressure =   33.214 psi");
  EXPECT_EQ(backwards[1], "                     Net gain across pump =   95.500 psi");
  EXPECT_EQ(backwards[2], "H2         12.000    Pump inlet  pressure =   26.083 psi");
}

TEST_F(PipeTableTest, NotesWidthMakesRoomForTheLongestRow) {
  EXPECT_EQ(PipeNotesWidth(Context(), {Block(P1())}), 9);
  EXPECT_EQ(PipeNotesWidth(Context(), {Rows{"short"}}), 6);
  EXPECT_EQ(BuildPipeHeader(Context(), 9)[2].substr(85), "  Notes   ");
}

}  // namespace
}  // namespace pelmora
