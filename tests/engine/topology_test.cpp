#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "engine/engine_state.h"
#include "engine/topology.h"
#include "engine_fixture.h"

namespace pelmora {
namespace {

using test::AddHead;
using test::AddNodeTo;
using test::AddPipeTo;
using test::AddWater;

const TNode* StartOf(const TCalcEngine& e, int32_t entry) {
  const TPipe& p = *e.FPipes[std::abs(entry)];
  return entry > 0 ? p.FromNode : p.ToNode;
}
const TNode* EndOf(const TCalcEngine& e, int32_t entry) {
  const TPipe& p = *e.FPipes[std::abs(entry)];
  return entry > 0 ? p.ToNode : p.FromNode;
}

// Every loop must be a closed walk in the direction of its signs.
void ExpectClosedLoops(const TCalcEngine& e) {
  for (const auto& loop : e.FLoops) {
    const TIntArray& pipes = loop->PipeNumbers;
    for (size_t i = 0; i < pipes.size(); ++i)
      EXPECT_EQ(EndOf(e, pipes[i]), StartOf(e, pipes[(i + 1) % pipes.size()])) << "loop " << loop->Name;
  }
}

// Each loop holds a pipe that no later loop holds, so the loop equations are independent.
void ExpectIndependentLoops(const TCalcEngine& e) {
  for (size_t i = 0; i < e.FLoops.size(); ++i) {
    std::set<int32_t> later;
    for (size_t j = i + 1; j < e.FLoops.size(); ++j)
      for (int32_t p : e.FLoops[j]->PipeNumbers) later.insert(std::abs(p));
    const auto& own = e.FLoops[i]->PipeNumbers;
    EXPECT_TRUE(std::any_of(own.begin(), own.end(), [&](int32_t p) { return !later.count(std::abs(p)); }));
  }
}

struct TTopology {
  TCalcEngine e;
  TEngineState s;
  bool Analyse() {
    s.Marks.assign(e.FPipes.size(), TPipeMark{});
    if (!FindNeighbors(e) || !SplitSystem(e, s)) return false;
    FindLoops(e, s);
    return true;
  }
  // A grid of rows x cols rectangles fed at its corner; pipe lines in the given order.
  void BuildGrid(int rows, int cols, unsigned shuffleSeed = 0) {
    e.FInputNode = AddWater(e, "W", 0, 80);
    for (int r = 0; r <= rows; ++r)
      for (int c = 0; c <= cols; ++c) AddNodeTo(e, "N" + std::to_string(r) + "_" + std::to_string(c), nkNode);
    auto name = [](int r, int c) { return "N" + std::to_string(r) + "_" + std::to_string(c); };
    std::vector<std::pair<std::string, std::string>> pipes{{"W", name(0, 0)}};
    for (int r = 0; r <= rows; ++r)
      for (int c = 0; c < cols; ++c) pipes.push_back({name(r, c), name(r, c + 1)});
    for (int c = 0; c <= cols; ++c)
      for (int r = 0; r < rows; ++r) pipes.push_back({name(r, c), name(r + 1, c)});
    if (shuffleSeed != 0) std::shuffle(pipes.begin(), pipes.end(), std::mt19937(shuffleSeed));
    for (size_t i = 0; i < pipes.size(); ++i)
      AddPipeTo(e, "P" + std::to_string(i + 1), pipes[i].first, pipes[i].second, 10, 2.067);
  }
};

struct TTopologyFixture : TTopology, ::testing::Test {};

TEST_F(TTopologyFixture, TreeHasNoLoops) {
  AddWater(e, "W", 0, 80);
  AddNodeTo(e, "A", nkNode);
  AddHead(e, "H1", 0, 10, 5.6);
  AddHead(e, "H2", 0, 10, 5.6);
  AddPipeTo(e, "P1", "W", "A", 10, 2);
  AddPipeTo(e, "P2", "A", "H1", 10, 1);
  AddPipeTo(e, "P3", "H2", "A", 10, 1);
  ASSERT_TRUE(Analyse());
  EXPECT_TRUE(e.FLoops.empty());
  EXPECT_EQ(e.FPipes[1]->ToNeighbors, (TIntArray{2, -3}));
  EXPECT_TRUE(e.FPipes[1]->FromNeighbors.empty());
}

TEST_F(TTopologyFixture, TwoByTwoGridInLineOrderGivesFourSquares) {
  BuildGrid(2, 2);
  ASSERT_TRUE(Analyse());
  ASSERT_EQ(e.FLoops.size(), 4u);
  for (const auto& loop : e.FLoops) EXPECT_EQ(loop->PipeNumbers.size(), 4u);
  ExpectClosedLoops(e);
  ExpectIndependentLoops(e);
}

TEST_F(TTopologyFixture, ShuffledGridsGiveIndependentClosedLoops) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    TTopology f;
    f.BuildGrid(3, 3, seed);
    ASSERT_TRUE(f.Analyse());
    EXPECT_EQ(f.e.FLoops.size(), 9u) << seed;
    ExpectClosedLoops(f.e);
    ExpectIndependentLoops(f.e);
  }
}

TEST_F(TTopologyFixture, SeriesRunFormsOneLoop) {
  AddWater(e, "W", 0, 80);
  for (const char* n : {"A", "B", "C", "D", "E"}) AddNodeTo(e, n, nkNode);
  AddPipeTo(e, "P0", "W", "A", 10, 2);
  AddPipeTo(e, "P1", "A", "B", 10, 2);
  AddPipeTo(e, "P2", "B", "C", 10, 2);
  AddPipeTo(e, "P3", "C", "D", 10, 2);
  AddPipeTo(e, "P4", "D", "E", 10, 2);
  AddPipeTo(e, "P5", "A", "E", 10, 2);
  ASSERT_TRUE(Analyse());
  ASSERT_EQ(e.FLoops.size(), 1u);
  EXPECT_EQ(e.FLoops[0]->PipeNumbers.size(), 5u);
  ExpectClosedLoops(e);
}

TEST_F(TTopologyFixture, SplitSystemReportsEveryUnreachedPipe) {
  AddWater(e, "W", 0, 80);
  for (const char* n : {"A", "B", "C", "D"}) AddNodeTo(e, n, nkNode);
  AddPipeTo(e, "P1", "W", "A", 10, 2);
  AddPipeTo(e, "P2", "B", "C", 10, 2);
  AddPipeTo(e, "P3", "C", "D", 10, 2);
  s.Marks.assign(e.FPipes.size(), TPipeMark{});
  ASSERT_TRUE(FindNeighbors(e));
  EXPECT_FALSE(SplitSystem(e, s));
  ASSERT_EQ(e.FErrors.size(), 2u);
  EXPECT_EQ(e.FErrors[0].Code, 774);
  EXPECT_EQ(e.FErrors[0].Text, "Pipe P2 not connected to system.");
  EXPECT_EQ(e.FErrors[0].Line, e.FPipes[2]->Line);
  EXPECT_EQ(e.FErrors[1].Text, "Pipe P3 not connected to system.");
}

TEST_F(TTopologyFixture, NodeWithoutPipeAndPipeToItself) {
  AddWater(e, "W", 0, 80);
  AddNodeTo(e, "A", nkNode);
  AddNodeTo(e, "Lonely", nkNode);
  AddPipeTo(e, "P1", "W", "A", 10, 2);
  AddPipeTo(e, "P2", "A", "A", 10, 2);
  EXPECT_FALSE(FindNeighbors(e));
  ASSERT_EQ(e.FErrors.size(), 2u);
  EXPECT_EQ(e.FErrors[0].Code, 267);
  EXPECT_EQ(e.FErrors[0].Text, "Pipe P2 has the same starting and ending node.");
  EXPECT_EQ(e.FErrors[1].Code, 517);
  EXPECT_EQ(e.FErrors[1].Text, "Node Lonely was not used in a pipe.");
  EXPECT_EQ(e.FErrors[1].Param, 3);
  EXPECT_EQ(e.FErrors[1].Line, e.FNodes[3]->Line);
}

TEST_F(TTopologyFixture, PathsGoToEveryNodeThatTakesOrGivesWater) {
  e.FInputNode = AddWater(e, "W", 0, 80);
  AddNodeTo(e, "A", nkNode);
  AddHead(e, "H", 0, 10, 5.6);
  TNode* pressureOnly = AddNodeTo(e, "M", nkNode);
  pressureOnly->MinPressure = 7;
  TNode* fixed = AddNodeTo(e, "F", nkNode);
  fixed->MinFlow = 20;
  AddNodeTo(e, "Idle", nkNode);
  AddPipeTo(e, "P1", "W", "A", 10, 2);
  AddPipeTo(e, "P2", "H", "A", 10, 1);
  AddPipeTo(e, "P3", "A", "M", 10, 1);
  AddPipeTo(e, "P4", "A", "F", 10, 1);
  AddPipeTo(e, "P5", "A", "Idle", 10, 1);
  ASSERT_TRUE(Analyse());
  ASSERT_TRUE(FindPaths(e, s, 1, TPathMode::Flowing));
  ASSERT_EQ(e.FPaths.size(), 3u);
  EXPECT_EQ(e.FPaths[0]->PipeNumbers, (TIntArray{1, -2}));  // signed from W towards H
  EXPECT_EQ(e.FNodes[e.FPaths[1]->EndNodeNumber]->Name, "M");
  EXPECT_EQ(e.FNodes[e.FPaths[2]->EndNodeNumber]->Name, "F");
  SetupMatrix(e, s);
  EXPECT_EQ(e.FPaths[0]->Equation, 0);
  EXPECT_EQ(e.FPaths[1]->Equation, -1);  // plain nodes have no row
  EXPECT_EQ(e.FPaths[2]->Equation, -1);
  EXPECT_EQ(s.RowCount, 1);
  EXPECT_EQ(e.FPipes[1]->PathList, (TIntArray{1}));
  EXPECT_EQ(e.FPipes[2]->PathList, (TIntArray{-1}));
}

// Paths are kept from one search to the next while the pipes stay; a new pipe must be seen.
TEST_F(TTopologyFixture, PathsFollowAPipeAddedAfterTheLastSearch) {
  e.FInputNode = AddWater(e, "W", 0, 80);
  AddNodeTo(e, "A", nkNode);
  AddNodeTo(e, "B", nkNode);
  AddHead(e, "H", 0, 10, 5.6);
  AddPipeTo(e, "P1", "W", "A", 10, 2);
  AddPipeTo(e, "P2", "A", "B", 10, 2);
  AddPipeTo(e, "P3", "B", "H", 10, 2);
  ASSERT_TRUE(Analyse());
  ASSERT_TRUE(FindPaths(e, s, 1, TPathMode::Flowing));
  EXPECT_EQ(e.FPaths[0]->PipeNumbers, (TIntArray{1, 2, 3}));
  ASSERT_TRUE(FindPaths(e, s, 1, TPathMode::Flowing));
  EXPECT_EQ(e.FPaths[0]->PipeNumbers, (TIntArray{1, 2, 3}));

  AddPipeTo(e, "Short", "W", "H", 10, 2);
  ASSERT_TRUE(Analyse());
  ASSERT_TRUE(FindPaths(e, s, 1, TPathMode::Flowing));
  EXPECT_EQ(e.FPaths[0]->PipeNumbers, (TIntArray{4}));
}

TEST_F(TTopologyFixture, SecondSourceGetsPathAndRow) {
  e.FInputNode = AddWater(e, "W1", 0, 80);
  AddWater(e, "W2", 0, 80);
  AddHead(e, "H", 0, 10, 5.6);
  AddPipeTo(e, "P1", "W1", "H", 10, 2);
  AddPipeTo(e, "P2", "W2", "H", 10, 2);
  ASSERT_TRUE(Analyse());
  EXPECT_EQ(BaseNodeCandidates(e), (std::vector<int32_t>{1, 2}));
  ASSERT_TRUE(FindPaths(e, s, 1, TPathMode::Flowing));
  SetupMatrix(e, s);
  ASSERT_EQ(e.FPaths.size(), 2u);
  EXPECT_EQ(e.FNodes[e.FPaths[0]->EndNodeNumber]->Name, "W2");
  EXPECT_EQ(e.FPaths[0]->PipeNumbers, (TIntArray{1, -2}));
  EXPECT_EQ(e.FPaths[0]->Equation, 0);
  EXPECT_EQ(e.FPaths[1]->Equation, 1);
}

TEST_F(TTopologyFixture, NoFlowingNodeStopsWith775) {
  e.FInputNode = AddWater(e, "W", 0, 80);
  AddNodeTo(e, "A", nkNode);
  AddPipeTo(e, "P1", "W", "A", 10, 2);
  ASSERT_TRUE(Analyse());
  EXPECT_FALSE(FindPaths(e, s, 1, TPathMode::Flowing));
  ASSERT_EQ(e.FErrors.size(), 1u);
  EXPECT_EQ(e.FErrors[0].Text, "No flowing nodes have been entered. Nothing to calc.");
}

}  // namespace
}  // namespace pelmora
