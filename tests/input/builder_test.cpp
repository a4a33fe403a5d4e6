#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/calc_engine.h"
#include "input/zub_file.h"

namespace pelmora {
namespace {

class Builder : public testing::Test {
 protected:
  bool Interpret(const std::vector<std::string>& lines) { return project.Interpret(lines, &engine); }
  std::vector<std::string> Texts(const std::vector<TCalcError>& list) {
    std::vector<std::string> texts;
    for (const TCalcError& message : list) texts.push_back(message.Text);
    return texts;
  }
  std::vector<std::string> Errors() { return Texts(engine.FErrors); }
  std::vector<std::string> Warnings() { return Texts(engine.FMessages); }
  TNode& Node(const std::string& name) {
    TNode* node = engine.FindNode(name);
    if (!node) throw std::runtime_error("no node " + name);
    return *node;
  }
  TPipe& Pipe(const std::string& name) {
    TPipe* pipe = engine.FindPipe(name);
    if (!pipe) throw std::runtime_error("no pipe " + name);
    return *pipe;
  }
  static void ExpectCurve(const TSpecial& curve, const std::vector<double>& flows, const std::vector<double>& pressures) {
    EXPECT_EQ(curve.Flows, flows);
    EXPECT_EQ(curve.Pressures, pressures);
  }
  TZubFile project;
  TCalcEngine engine;
};

TEST_F(Builder, TypicalTextBuildsEveryObject) {
  ASSERT_TRUE(Interpret({"Water W   0  60 500 50", "Pipe  P1  W  N1 100 4 E T", "Head  N1  10 25 5.6"}))
      << testing::PrintToString(Errors());
  EXPECT_TRUE(Warnings().empty()) << testing::PrintToString(Warnings());
  ASSERT_EQ(engine.FNodes.size(), 3u);
  ASSERT_EQ(engine.FPipes.size(), 2u);
  const TNode& water = Node("W");
  EXPECT_EQ(water.Kind, nkWater);
  EXPECT_EQ(water.Line, 0);
  ASSERT_NE(water.Supply, nullptr);
  EXPECT_EQ(water.Supply->Name, "Water Source");
  EXPECT_EQ(water.Supply->Owner, &water);
  ExpectCurve(*water.Supply, {0, 500}, {60, 50});
  const TNode& head = Node("n1");
  EXPECT_EQ(head.Kind, nkHead);
  EXPECT_EQ(head.Elevation, 10);
  EXPECT_EQ(head.MinFlow, 25);
  EXPECT_EQ(head.KFactor, 5.6);
  EXPECT_EQ(head.Density, 45);
  EXPECT_EQ(head.MinPressure, kNotSet);
  const TPipe& pipe = Pipe("P1");
  EXPECT_EQ(pipe.FromNode, &water);
  EXPECT_EQ(pipe.ToNode, &head);
  EXPECT_EQ(pipe.ToName, "N1");
  EXPECT_EQ(pipe.Length, 100);
  EXPECT_EQ(pipe.NominalSize, 4);
  EXPECT_EQ(pipe.Material, "S40");
  EXPECT_EQ(pipe.CFactor, 120);
  EXPECT_EQ(pipe.Fittings, (std::vector<std::string>{"E", "T"}));
  EXPECT_EQ(pipe.Line, 1);
  EXPECT_EQ(engine.FSprinklerCount, 1);
}

TEST_F(Builder, HeadCases) {
  Interpret({"Water W 0 60", "Head H1 10 15 0", "Head H2 10 -7 5.6", "Head H3 10 15"});
  EXPECT_EQ(Node("H1").Kind, nkNode);
  EXPECT_EQ(Warnings(), (std::vector<std::string>{"[WARNING] Head \"H1\" is deactivated."}));
  EXPECT_EQ(engine.FMessages[0].Code, 516);
  EXPECT_EQ(engine.FMessages[0].Param, 4);
  EXPECT_EQ(Node("H2").MinPressure, 7);
  EXPECT_NEAR(Node("H2").MinFlow, 5.6 * std::sqrt(7.0), 1e-9);
  ASSERT_EQ(Errors(), (std::vector<std::string>{"Head command: \"K-factor\" parameter is missing."}));
  EXPECT_EQ(engine.FErrors[0].Code, 2048);
  EXPECT_EQ(engine.FErrors[0].Param, 4);
  EXPECT_EQ(engine.FErrors[0].Line, 3);
}

TEST_F(Builder, NotesBecomeComments) {
  project.FOptions.RepNoteNode = true;
  project.FOptions.RepNotePipe = true;
  Interpret({"Water W 0 60", "Node N1 10 // top of riser", "Pipe P1 W N1 10 2 //riser  feed", "// Main riser",
             "Pump PS PD 0 120 500 100"});
  EXPECT_EQ(Node("N1").Comment, "top of riser");
  EXPECT_EQ(Node("W").Comment, "");
  EXPECT_EQ(Pipe("P1").Comment, "riser feed");
  EXPECT_EQ(Pipe("Pump1").Devices.at(0)->Comment, "Main riser");
}

TEST_F(Builder, CurveDevices) {
  Interpret({"Water W1 0 80 500 60 1000 40", "Pump PS PD 0 120 500 100", "Pump PT PU 0 130 500 110 900 90",
             "Pipe P1 W1 PS 10 2", "Pipe P2 PD N1 10 2", "Node N1 0", "BP P1 150 500 120", "BFP P2 0 5 500 8"});
  EXPECT_TRUE(Errors().empty()) << testing::PrintToString(Errors());
  ExpectCurve(*Node("W1").Supply, {0, 500, 1000}, {80, 60, 40});
  const TPipe& pump = Pipe("Pump1");
  EXPECT_TRUE(pump.NoFriction);
  EXPECT_EQ(pump.Length, 0);
  EXPECT_EQ(pump.FromNode, &Node("PS"));
  EXPECT_EQ(pump.ToNode, &Node("PD"));
  EXPECT_EQ(Node("PS").Elevation, 0);
  ASSERT_EQ(pump.Devices.size(), 1u);
  EXPECT_EQ(pump.Devices[0]->Name, "Pump #1");
  EXPECT_EQ(pump.Devices[0]->Kind, skPump);
  ExpectCurve(*pump.Devices[0], {0, 500}, {-120, -100});
  EXPECT_EQ(Pipe("Pump2").Devices.at(0)->Name, "Pump #2");
  ExpectCurve(*Pipe("Pump2").Devices.at(0), {0, 500, 900}, {-130, -110, -90});
  const TSpecial& booster = *Pipe("P1").Devices.at(0);
  EXPECT_EQ(booster.Name, "Fire Pump");
  ExpectCurve(booster, {0, 500}, {-150, -120});
  const TSpecial& backflow = *Pipe("P2").Devices.at(0);
  EXPECT_EQ(backflow.Name, "Backflow Preventer");
  EXPECT_EQ(backflow.Kind, skBackflow);
  EXPECT_TRUE(backflow.Linear);
  ExpectCurve(backflow, {0, 500}, {5, 8});
  EXPECT_EQ(engine.FSpecials.size(), 5u);
}

TEST_F(Builder, CopiesOfPipesAndNodes) {
  Interpret({"Water W 0 60", "Head H1 10 15 5.6", "HC H1 H2 H3", "Node N3 0", "Node N4 0", "Node N5 0",
             "Use S40 100", "Pipe P1 W N3 12 2 2E VB", "PC P1 P2 N3 N4 P3 N4 N5", "PC P1 P4 N3 N3"});
  EXPECT_EQ(Node("H3").Kind, nkHead);
  EXPECT_EQ(Node("H3").KFactor, 5.6);
  EXPECT_EQ(Node("H3").Elevation, 10);
  EXPECT_EQ(Node("H3").Line, 2);
  EXPECT_EQ(engine.FSprinklerCount, 3);
  const TPipe& copy = Pipe("P3");
  EXPECT_EQ(copy.FromNode, &Node("N4"));
  EXPECT_EQ(copy.ToNode, &Node("N5"));
  EXPECT_EQ(copy.Length, 12);
  EXPECT_EQ(copy.CFactor, 100);
  EXPECT_EQ(copy.Fittings, (std::vector<std::string>{"2E"}));
  EXPECT_TRUE(copy.VelocityAtBegin);
  ASSERT_EQ(engine.FErrors.size(), 1u);
  EXPECT_EQ(engine.FErrors[0].Text, "Starting and ending nodes must be different");
  EXPECT_EQ(engine.FErrors[0].Line, 9);
  EXPECT_EQ(engine.FErrors[0].Param, 4);
}

TEST_F(Builder, ChangesAndForwardReferences) {
  Interpret({"Pipe P1 A B 10 2 E VE", "Water A 0 60", "Node B 0", "Use S40 100", "ChangePipe P1 20 3",
             "ChangeNode B 5 10 20"});
  EXPECT_TRUE(Errors().empty()) << testing::PrintToString(Errors());
  const TPipe& pipe = Pipe("P1");
  EXPECT_EQ(pipe.FromNode, &Node("A"));
  EXPECT_EQ(pipe.Length, 20);
  EXPECT_EQ(pipe.NominalSize, 3);
  EXPECT_EQ(pipe.CFactor, 100);
  EXPECT_TRUE(pipe.Fittings.empty());
  EXPECT_FALSE(pipe.VelocityAtEnd);
  EXPECT_EQ(Node("B").Elevation, 5);
  EXPECT_EQ(Node("B").MinFlow, 10);
  EXPECT_EQ(Node("B").MinPressure, 20);
}

TEST_F(Builder, OnlyTheLastFourHeadsLineCounts) {
  Interpret({"Water W 0 60", "FourHeads H1 H2 H3 H4", "FH H5 H6"});
  EXPECT_EQ(project.FFourHeads, (std::vector<std::string>{"H5", "H6"}));
}

TEST_F(Builder, SettingsWarnings) {
  const struct {
    std::string line;
    std::vector<std::string> warnings;
  } cases[] = {
      {"Use S40 40", {"[WARNING] Use command contains unusually low c-factor parameter"}},
      {"Use S40 120", {}},
      {"Use S40 120 X", {"[WARNING] Use command has too many parameters."}},
      {"Use S40 120 //X", {}},
      {"NoVel X", {"[WARNING] NoVel command has too many parameters."}},
      {"all 10 X", {"[WARNING] all command has too many parameters."}},
      {"Density 8 10 X", {"[WARNING] Density command has too many parameters."}},
      {"Node N1 0 0 0 X Y", {}},
      {"Pipr P1 W N1 10 2", {"[WARNING] \"Pipr\" is not a valid command."}},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ 1", {"[WARNING] \"ABCDEFGHIJKLMNOPQRSTUVWX...\" is not a valid command."}},
  };
  for (const auto& c : cases) {
    TZubFile fresh;
    TCalcEngine run;
    fresh.Interpret({"Water W 0 60", c.line}, &run);
    SCOPED_TRACE(c.line);
    EXPECT_EQ(Texts(run.FMessages), c.warnings);
  }
}

TEST_F(Builder, VelocityAndSourceSettings) {
  Interpret({"Water W 0 60", "Vel", "All 5", "Debug", "Favourable"});
  EXPECT_TRUE(engine.FUseVelocityPressure);
  EXPECT_TRUE(engine.FSourceCalculation);
  EXPECT_EQ(engine.FSafetyMargin, 5);
  EXPECT_TRUE(engine.FDebug);
  EXPECT_TRUE(engine.FFavourable);
}

TEST_F(Builder, HazenLinesInADarcyProject) {
  project.FrictionFormula = 2;
  Interpret({"Water W 0 60", "Pipe P1 W N1 10 2", "Hazen 120", "Pipe P2 N1 N2 10 2", "Node N1 0", "Node N2 0"});
  EXPECT_FALSE(Pipe("P1").HazenPipe);
  EXPECT_TRUE(Pipe("P2").HazenPipe);
  EXPECT_DOUBLE_EQ(Pipe("P1").CFactor, 0.004);
}

TEST_F(Builder, MissingWaterIsTheOnlyError) {
  EXPECT_FALSE(Interpret({"Node N1 0", "Head H1 10 25 5.6", "Pipe P1 N1 H1 10 2"}));
  ASSERT_EQ(Errors(), (std::vector<std::string>{"WATER command missing: at least one \"water\" command is required."}));
  EXPECT_EQ(engine.FErrors[0].Code, 768);
  EXPECT_EQ(engine.FErrors[0].Line, -1);
  EXPECT_EQ(engine.FErrors[0].Param, -1);
}

TEST_F(Builder, HeadAreaModeWithoutDensityWarns) {
  project.HeadArea = true;
  EXPECT_TRUE(Interpret({"Water W 0 60", "Head H1 10 12 5.6"}));
  EXPECT_EQ(Warnings(), (std::vector<std::string>{"[WARNING] Use the \"Density\" command to specify discharge density."}));
}

TEST_F(Builder, ErrorsOfSeveralLinesComeInPassOrder) {
  Interpret({"Pipe P1 A B 10 2", "Head H1 0 10", "Water W 0 0", "BFP P1", "HC H9 H8"});
  std::vector<std::pair<int, int>> places;
  for (const TCalcError& error : engine.FErrors) places.emplace_back(error.Line, error.Param);
  EXPECT_EQ(places, (std::vector<std::pair<int, int>>{{1, 4}, {2, 3}, {4, 1}, {0, 2}, {0, 3}, {3, 2}, {3, 3}}))
      << testing::PrintToString(Errors());
  EXPECT_EQ(engine.FErrors[3].Text, "Pipe command: node name \"A\" has not been defined.");
  EXPECT_EQ(engine.FErrors[5].Text, "BFP command: \"flow\" parameter is missing.");
}

TEST_F(Builder, EmptyTextOrNoEngineDoesNothing) {
  EXPECT_FALSE(project.Interpret({}, &engine));
  EXPECT_FALSE(project.Interpret({"Water W 0 60"}, nullptr));
  EXPECT_TRUE(engine.FErrors.empty());
}

}  // namespace
}  // namespace pelmora
