#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "engine/results.h"
#include "engine_fixture.h"
#include "materials/materials.h"

namespace pelmora {
namespace {

using test::AddHead;
using test::AddNodeTo;
using test::AddPipeTo;
using test::AddWater;

TEST(EngineModel, DuplicateNamesAreRejectedWithoutRegardToCase) {
  TCalcEngine e;
  AddNodeTo(e, "A", nkNode);
  AddNodeTo(e, "B", nkNode);
  TPipe* first = AddPipeTo(e, "P1", "A", "B", 10, 2);
  EXPECT_EQ(AddPipeTo(e, "p1", "A", "B", 10, 2), nullptr);
  EXPECT_EQ(AddNodeTo(e, "a", nkNode), nullptr);
  EXPECT_EQ(e.PipeNumber(first), 1);
  EXPECT_EQ(e.FPipes.size(), 2u);
  ASSERT_EQ(e.FErrors.size(), 2u);
  EXPECT_EQ(e.FErrors[0].Code, 256);
  EXPECT_EQ(e.FErrors[0].Text, "Pipe name p1 used more than once");
  EXPECT_EQ(e.FErrors[1].Code, 512);
  EXPECT_EQ(e.FErrors[1].Text, "Node name a used more than once");
  EXPECT_EQ(e.FErrorCount, 2);
  EXPECT_EQ(e.FindNode("b"), e.FNodes[2]);
  EXPECT_EQ(e.FindPipe("P2"), nullptr);
}

TEST(EngineModel, DeleteClosesTheGap) {
  TCalcEngine e;
  TNode* a = AddNodeTo(e, "A", nkNode);
  AddNodeTo(e, "B", nkNode);
  EXPECT_TRUE(e.DeleteNode(a));
  EXPECT_EQ(e.FNodes.size(), 2u);
  EXPECT_EQ(e.FNodes[1]->Name, "B");
  TNode outside;
  EXPECT_FALSE(e.DeleteNode(&outside));
}

TEST(EngineModel, MessagesArePrefixedAndCleared) {
  TCalcEngine e;
  e.AddWarning(770, "w", -1, 3);
  e.AddHint(1026, "h", 0, -1);
  e.AddError(768, "e", 0, -1);
  EXPECT_EQ(e.FMessages[0].Text, "[WARNING] w");
  EXPECT_EQ(e.FMessages[1].Text, "[HINT] h");
  EXPECT_EQ(e.FMessages[0].Line, 3);
  e.ClearErrors();
  EXPECT_TRUE(e.FErrors.empty());
  EXPECT_EQ(e.FErrorCount, 0);
  EXPECT_EQ(e.FMessages.size(), 2u);
}

struct TChecks : ::testing::Test {
  TCalcEngine e;
  void SetUp() override { test::UseUSUnits(e); }
};

TEST_F(TChecks, HeadWithoutKFactorStopsBeforeSolving) {
  AddWater(e, "W", 0, 60);
  TNode* head = AddHead(e, "H", 0, 10, 0);
  AddPipeTo(e, "P1", "W", "H", 10, 2.067);
  EXPECT_FALSE(e.Calculate());
  ASSERT_EQ(e.FErrors.size(), 1u);
  EXPECT_EQ(e.FErrors[0].Code, 515);
  EXPECT_EQ(e.FErrors[0].Text, "Sprinkler head at node H requires a valid K-Factor.");
  EXPECT_EQ(e.FErrors[0].Line, head->Line);
  EXPECT_TRUE(e.FCalcDone);
  EXPECT_EQ(e.FIterations, 0);
}

TEST_F(TChecks, HeadMinimumPressureFollowsFlowAndK) {
  AddWater(e, "W", 0, 100);
  TNode* low = AddHead(e, "H1", 0, 25, 5.6);
  low->MinPressure = 10;
  TNode* high = AddHead(e, "H2", 0, 25, 5.6);
  high->MinPressure = 30;
  AddPipeTo(e, "P1", "W", "H1", 10, 2.067);
  AddPipeTo(e, "P2", "H1", "H2", 10, 2.067);
  ASSERT_TRUE(e.Calculate());
  EXPECT_NEAR(low->MinPressure, 625 / 31.36, 1e-12);  // (25/5.6)^2 = 19.93
  EXPECT_EQ(high->MinPressure, 30);
}

TEST_F(TChecks, WithoutHeadsPlainNodesRequireZeroPressure) {
  AddWater(e, "W", 0, 100);
  TNode* n = AddNodeTo(e, "N", nkNode);
  n->MinFlow = 50;
  TNode* idle = AddNodeTo(e, "M", nkNode);
  AddPipeTo(e, "P1", "W", "N", 10, 2.067);
  AddPipeTo(e, "P2", "N", "M", 10, 2.067);
  ASSERT_TRUE(e.Calculate());
  EXPECT_EQ(idle->MinPressure, 0);
}

TEST_F(TChecks, MissingSourceHasNoLine) {
  AddHead(e, "H", 0, 10, 5.6);
  AddNodeTo(e, "A", nkNode);
  AddPipeTo(e, "P1", "A", "H", 10, 2);
  EXPECT_FALSE(e.Calculate());
  ASSERT_EQ(e.FErrors.size(), 1u);
  EXPECT_EQ(e.FErrors[0].Text, "Input node not found.");
  EXPECT_EQ(e.FErrors[0].Line, -1);
}

TEST_F(TChecks, DarcyWithoutDensityReportsBothErrors) {
  e.FFrictionMethod = 2;
  e.FLiquid.DensityUS = 0;
  AddWater(e, "W", 0, 60);
  AddHead(e, "H", 0, 10, 5.6);
  AddPipeTo(e, "P1", "W", "H", 10, 2);
  EXPECT_FALSE(e.Calculate());
  ASSERT_EQ(e.FErrors.size(), 2u);
  EXPECT_EQ(e.FErrors[0].Code, 776);
  EXPECT_EQ(e.FErrors[0].Line, 0);
  EXPECT_EQ(e.FErrors[1].Code, 768);
}

TEST_F(TChecks, PipeWithoutDiameterIsReportedNotDividedBy) {
  AddWater(e, "W", 0, 60);
  AddHead(e, "H", 0, 10, 5.6);
  TPipe* pipe = AddPipeTo(e, "P1", "W", "H", 10, 0);
  EXPECT_FALSE(e.Calculate());
  ASSERT_EQ(e.FErrors.size(), 1u);
  EXPECT_EQ(e.FErrors[0].Code, 1282);
  EXPECT_EQ(e.FErrors[0].Text, "A Divide by Zero error occured during the calculation.");
  EXPECT_EQ(e.FErrors[0].Line, pipe->Line);
}

TEST_F(TChecks, DatabaseFittingsGiveLengthsAndKs) {
  TMaterials db = Materials();
  db.UseFittingK = true;
  e.FMaterials = &db;
  AddWater(e, "W", 0, 60);
  AddHead(e, "H", 0, 10, 5.6);
  auto pipe = std::make_unique<TPipe>();
  pipe->Name = "P1";
  pipe->FromNode = e.FindNode("W");
  pipe->ToNode = e.FindNode("H");
  pipe->Length = 10;
  pipe->NominalSize = 4;
  pipe->Material = "S40";
  pipe->CFactor = 120;
  pipe->Fittings = {"TN"};
  TPipe* raw = pipe.get();
  ASSERT_TRUE(e.AddPipe(std::move(pipe)));
  EXPECT_EQ(raw->InsideDiameter, 4.026);
  ASSERT_TRUE(e.Calculate());
  EXPECT_EQ(raw->FittingLength, 0);
  EXPECT_EQ(raw->TotalLength, 10);
  EXPECT_EQ(raw->FittingK, 0.9);
  EXPECT_EQ(raw->FittingKs, (TDblArray{0.9}));
}

TEST(NaturalOrder, DigitsCompareAsNumbers) {
  std::vector<std::string> names{"P10", "p2", "P1", "A-1", "A1", "P02a", "B", "10", "9"};
  std::sort(names.begin(), names.end(), [](auto& a, auto& b) { return CompareNames(a, b) < 0; });
  EXPECT_EQ(names, (std::vector<std::string>{"9", "10", "A-1", "A1", "B", "P1", "p2", "P02a", "P10"}));
  EXPECT_EQ(CompareNames("n5", "N5"), 0);
  EXPECT_LT(CompareNames("N5", "N5A"), 0);
  EXPECT_LT(CompareNames("X99999999999999999999", "X100000000000000000000"), 0);
}

TEST(NaturalOrder, SeparatorsBeforeDigitsBeforeLettersAndShorterFirst) {
  const std::pair<const char*, const char*> ordered[] = {
      {"A", "A1"}, {"L1-1", "L1A"}, {"1", "A"}, {"M1-2", "M1-10"}, {"H", "h1"}, {"X-1", "X1"}, {"N9", "n009a"},
  };
  for (const auto& [before, after] : ordered) {
    EXPECT_LT(CompareNames(before, after), 0) << before << " < " << after;
    EXPECT_GT(CompareNames(after, before), 0) << after << " > " << before;
  }
  EXPECT_EQ(CompareNames("ab12", "AB012"), 0);
}

TEST(Sorting, ViewsByLineNameAndFlow) {
  TCalcEngine e;
  for (const char* n : {"N10", "N2", "N1"}) AddNodeTo(e, n, nkNode);
  e.FNodes[1]->Flow = 5;
  e.FNodes[2]->Flow = 7;
  e.FNodes[3]->Flow = 1;
  e.FNodes[1]->Line = e.FNodes[2]->Line = 4;
  e.FNodes[3]->Line = 2;
  auto names = [&] {
    std::vector<std::string> out;
    for (size_t i = 1; i < e.FSortedNodes.size(); ++i) out.push_back(e.FSortedNodes[i]->Name);
    return out;
  };
  e.SortNodes(0);
  EXPECT_EQ(names(), (std::vector<std::string>{"N1", "N2", "N10"}));
  e.SortNodes(1);
  EXPECT_EQ(names(), (std::vector<std::string>{"N1", "N2", "N10"}));
  e.SortNodes(2);
  EXPECT_EQ(names(), (std::vector<std::string>{"N2", "N10", "N1"}));
  e.SortNodes(3);
  EXPECT_EQ(names(), (std::vector<std::string>{"N1", "N10", "N2"}));
  EXPECT_EQ(e.FSortedNodes[0], nullptr);
}

}  // namespace
}  // namespace pelmora
