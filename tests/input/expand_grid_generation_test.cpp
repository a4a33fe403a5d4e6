#include <gtest/gtest.h>

#include "expand_grid_support.h"

namespace pelmora::testing {
namespace {

std::vector<std::string> Names(const std::vector<TPipe*>& pipes) {
  std::vector<std::string> names;
  for (const TPipe* pipe : pipes) names.push_back(pipe->Name);
  return names;
}

TEST(GridGeneration, MainGivesPipesAndJunctionsInItsNameRun) {
  TInterpreted run(WithSupply({"Main 2 3 10", "Main 2 3 10", "MainElev 9", "MainElev 9", "Line 3 1 4 6 12",
                               "LineElev 9"}));
  ASSERT_TRUE(run.Ok) << ::testing::PrintToString(run.Errors());
  const auto& mains = run.Engine->FGrid->Mains();
  ASSERT_EQ(mains.size(), 2u);
  EXPECT_EQ(Names(mains[0].Pipes), (std::vector<std::string>{"M1-1", "M1-2"}));
  EXPECT_EQ(Names(mains[1].Pipes), (std::vector<std::string>{"M2-1", "M2-2"}));
  for (const char* junction : {"M1-1", "M1-2", "M1-3", "M2-1", "M2-3"}) EXPECT_NE(run.Node(junction), nullptr) << junction;
  const TPipe* m12 = run.Pipe("M1-2");
  EXPECT_DOUBLE_EQ(m12->Length, 10);
  EXPECT_EQ(m12->FromName, "M1-2");
  EXPECT_EQ(m12->ToName, "M1-3");
  EXPECT_TRUE(m12->Fittings.empty());
}

TEST(GridGeneration, LineHasStartSpacingsAndEndWithTeesAtTheMains) {
  TInterpreted run(WithSupply({"Main 2 3 10", "Main 2 3 10", "MainElev 9", "MainElev 9", "Line 3 1 4 6 12",
                               "LineElev 9"}));
  ASSERT_TRUE(run.Ok) << ::testing::PrintToString(run.Errors());
  const auto& line = run.Engine->FGrid->Bays()[1].Lines[1];
  ASSERT_EQ(line.size(), 4u);
  EXPECT_EQ(Names(line), (std::vector<std::string>{"L2-1", "L2-2", "L2-3", "L2-4"}));
  const double lengths[] = {4, 12, 12, 6};
  for (size_t k = 0; k < 4; ++k) EXPECT_DOUBLE_EQ(line[k]->Length, lengths[k]);
  EXPECT_EQ(line.front()->Fittings, std::vector<std::string>{"1T"});
  EXPECT_EQ(line.back()->Fittings, std::vector<std::string>{"1T"});
  EXPECT_TRUE(line[1]->Fittings.empty());
  EXPECT_TRUE(line.front()->VelocityAtBegin);
  EXPECT_TRUE(line.back()->VelocityAtEnd);
  EXPECT_EQ(line.front()->FromName, "M1-2");
  EXPECT_EQ(line.back()->ToName, "M2-2");
  // Three head positions per line, named in the line's own node run.
  const auto& row = run.Engine->FGrid->HeadPositions()[1];
  ASSERT_EQ(row.size(), 3u);
  EXPECT_EQ(row[0]->Name, "L2-1");
  EXPECT_EQ(row[2]->Name, "L2-3");
  // 2 x 3 junctions, 3 x 3 line nodes and the water source; 2 x 2 main pipes, 3 x 4 line pipes, the riser.
  EXPECT_EQ(run.Engine->FNodes.size() - 1, 6u + 9u + 1u);
  EXPECT_EQ(run.Engine->FPipes.size() - 1, 4u + 12u + 1u);
}

TEST(GridGeneration, ThirdMainStartsItsOwnRun) {
  TInterpreted run(WithSupply({"Main 2 2 10", "Main 2 2 10", "Main 2 2 10", "ME 0", "ME 0", "ME 0",
                               "Line 1 1 5 5 10", "Line 1 1 5 5 10", "LE 0"}));
  ASSERT_TRUE(run.Ok) << ::testing::PrintToString(run.Errors());
  EXPECT_NE(run.Pipe("M3-1"), nullptr);
  EXPECT_NE(run.Node("M3-2"), nullptr);
}

TEST(GridGeneration, ExtraNodeSplitsTheMainPipeItFallsOn) {
  TInterpreted run(WithSupply({"Main 2 3 10 X 15", "Main 2 3 10", "ME 0", "ME 0", "Line 1 1 5 5 10", "LE 0"}));
  ASSERT_TRUE(run.Ok) << ::testing::PrintToString(run.Errors());
  const TPipe* host = run.Pipe("M1-2");
  ASSERT_NE(host, nullptr);
  EXPECT_DOUBLE_EQ(host->Length, 5);
  EXPECT_EQ(host->ToName, "X");
  const TPipe* half = run.Pipe("M1-3");  // the extra node's pipe continues the main's pipe run
  ASSERT_NE(half, nullptr);
  EXPECT_DOUBLE_EQ(half->Length, 5);
  EXPECT_EQ(half->FromName, "X");
  EXPECT_EQ(half->ToName, "M1-3");
  EXPECT_DOUBLE_EQ(half->NominalSize, 2);
}

TEST(GridGeneration, ExtraNodeBeyondTheMainHangsOffItsLastJunction) {
  TInterpreted run(WithSupply({"Main 2 3 10 X 25", "Main 2 3 10", "ME 0", "ME 0", "Line 1 1 5 5 10", "LE 0"}));
  ASSERT_TRUE(run.Ok) << ::testing::PrintToString(run.Errors());
  const TPipe* extra = run.Pipe("M1-3");
  ASSERT_NE(extra, nullptr);
  EXPECT_EQ(extra->FromName, "M1-3");
  EXPECT_EQ(extra->ToName, "X");
  EXPECT_DOUBLE_EQ(extra->Length, 5);
}

TEST(GridGeneration, LineAboveItsMainsGetsRiserNipples) {
  TInterpreted run(WithSupply({"Main 3 3 10", "Main 3 3 10", "ME 9", "ME 9", "Line 2 1.5 4 4 10", "LE 10"}));
  ASSERT_TRUE(run.Ok) << ::testing::PrintToString(run.Errors());
  for (const char* name : {"R1-1", "R1-2", "R1-3", "R2-1", "R2-2", "R2-3"}) {
    const TPipe* riser = run.Pipe(name);
    ASSERT_NE(riser, nullptr) << name;
    EXPECT_DOUBLE_EQ(riser->Length, 1);
    EXPECT_DOUBLE_EQ(riser->NominalSize, 1.5);
    EXPECT_TRUE(riser->VelocityAtBegin);
    EXPECT_EQ(riser->Fittings, std::vector<std::string>{"1T"});
    EXPECT_DOUBLE_EQ(run.Node(name)->Elevation, 10);
  }
  // The line turns off the riser's top through an elbow (lines leave one way only) and loses its VB.
  const TPipe* first = run.Pipe("L2-1");
  EXPECT_EQ(first->FromName, "R1-2");
  EXPECT_EQ(first->Fittings, std::vector<std::string>{"1E"});
  EXPECT_FALSE(first->VelocityAtBegin);
  EXPECT_DOUBLE_EQ(run.Node("L2-1")->Elevation, 10);
}

TEST(GridGeneration, RiserNippleCommandSetsTheSizesMainByMain) {
  TInterpreted run(WithSupply({"Main 3 2 10", "Main 3 2 10", "ME 9", "ME 9", "Line 2 1.5 4 4 10", "LE 10",
                               "Use S10 120", "RN 1 1.25"}));
  ASSERT_TRUE(run.Ok) << ::testing::PrintToString(run.Errors());
  EXPECT_DOUBLE_EQ(run.Pipe("R1-1")->NominalSize, 1);
  EXPECT_DOUBLE_EQ(run.Pipe("R2-2")->NominalSize, 1.25);
  EXPECT_EQ(run.Pipe("R2-2")->Material, "S10");
}

TEST(GridGeneration, MainElevationFollowsItsThirdPoint) {
  TInterpreted run(WithSupply({"Main 2 5 10", "Main 2 5 10", "ME 10 10 20 14", "ME 10 14", "Line 1 1 5 5 10",
                               "LE 20"}));
  ASSERT_TRUE(run.Ok) << ::testing::PrintToString(run.Errors());
  EXPECT_DOUBLE_EQ(run.Node("M1-2")->Elevation, 12);
  EXPECT_DOUBLE_EQ(run.Node("M1-3")->Elevation, 14);
  EXPECT_DOUBLE_EQ(run.Node("M1-5")->Elevation, 10);
  EXPECT_DOUBLE_EQ(run.Node("M2-3")->Elevation, 12);
}

TEST(GridGeneration, TreeSystemHangsLinesOffOneMainWithElbows) {
  TInterpreted run(WithSupply({"Main 3 2 10", "ME 10", "TreeLeft 2 5 1.25 10 1", "TreeRight 3 6 1.5 10 1",
                               "LineElev 10"}));
  ASSERT_TRUE(run.Ok) << ::testing::PrintToString(run.Errors());
  const auto& left = run.Engine->FGrid->Bays()[0].Lines[0];
  ASSERT_EQ(left.size(), 2u);
  EXPECT_EQ(left.back()->ToName, "M1-1");
  EXPECT_DOUBLE_EQ(left.back()->Length, 5);
  EXPECT_DOUBLE_EQ(left.back()->NominalSize, 1.25);
  EXPECT_DOUBLE_EQ(left.front()->NominalSize, 1);
  EXPECT_EQ(left.back()->Fittings, std::vector<std::string>{"1E"});
  EXPECT_TRUE(left.back()->VelocityAtEnd);
  const auto& right = run.Engine->FGrid->Bays()[1].Lines[1];
  ASSERT_EQ(right.size(), 3u);
  EXPECT_EQ(right.front()->FromName, "M1-2");
  EXPECT_TRUE(right.front()->VelocityAtBegin);
  EXPECT_DOUBLE_EQ(right[2]->Length, 10);
  // Head positions: the free end first, then outward to the right.
  const auto& row = run.Engine->FGrid->HeadPositions()[0];
  ASSERT_EQ(row.size(), 5u);
  EXPECT_EQ(row[0], left.front()->FromNode);
}

TEST(GridGeneration, LineElevationWithASignRidesOnTheFirstMain) {
  TInterpreted run(WithSupply({"Main 2 3 10", "Main 2 3 10", "ME 10 14", "ME 10 14", "Line 1 1 5 5 10", "LE +1"}));
  ASSERT_TRUE(run.Ok) << ::testing::PrintToString(run.Errors());
  EXPECT_DOUBLE_EQ(run.Node("L1-1")->Elevation, 11);
  EXPECT_DOUBLE_EQ(run.Node("L3-1")->Elevation, 15);
  EXPECT_NE(run.Pipe("R2-3"), nullptr);  // the second main is at 14 where line 3 runs at 15
}

TEST(GridGeneration, LineElevationAcrossLinesLevelsEachLine) {
  TInterpreted run(WithSupply({"Main 2 3 10", "Main 2 3 10", "ME 10", "ME 10", "Line 2 1 5 5 10", "LE2 10 14"}));
  ASSERT_TRUE(run.Ok) << ::testing::PrintToString(run.Errors());
  EXPECT_DOUBLE_EQ(run.Node("L1-2")->Elevation, 10);
  EXPECT_DOUBLE_EQ(run.Node("L2-1")->Elevation, 12);
  EXPECT_DOUBLE_EQ(run.Node("L2-2")->Elevation, 12);
  EXPECT_DOUBLE_EQ(run.Pipe("R1-3")->Length, 4);
}

TEST(GridGeneration, EditorListsTheNamesTheGridWillGenerate) {
  TZubFile project;
  project.ParseLines({"Main 2 3 10", "Main 2 3 10", "ME 0", "ME 0", "Line 3 1 4 6 12", "LE 0", "Pipe P1 M2-3 X 5 2",
                      "Node X 0"});
  for (const char* pipe : {"M1-1", "M1-2", "M2-2", "L1-1", "L3-4"}) EXPECT_TRUE(project.FGeneratedPipes.Contains(pipe)) << pipe;
  for (const char* node : {"M1-3", "M2-3", "L3-3"}) EXPECT_TRUE(project.FGeneratedNodes.Contains(node)) << node;
  EXPECT_FALSE(project.FGeneratedPipes.Contains("L3-5"));
  EXPECT_FALSE(project.FUndefinedNodes.Contains("M2-3"));
}

}  // namespace
}  // namespace pelmora::testing
