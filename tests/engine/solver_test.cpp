#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

#include "engine_fixture.h"
#include "materials/materials.h"

namespace pelmora {
namespace {

using test::AddCurve;
using test::AddHead;
using test::AddNodeTo;
using test::AddPipeTo;
using test::AddWater;
using test::HazenLoss;
using test::HeadPressure;

// Pressure and flow must balance everywhere: heads, node flows and the pressure of each pipe's
// ends against its loss.
void ExpectConsistent(const TCalcEngine& e, double tolerance = 0.001) {
  std::vector<double> balance(e.FNodes.size(), 0);
  for (size_t k = 1; k < e.FPipes.size(); ++k) {
    const TPipe& p = *e.FPipes[k];
    balance[e.NodeNumber(p.ToNode)] += p.Flow;
    balance[e.NodeNumber(p.FromNode)] -= p.Flow;
    if (!e.FUseVelocityPressure) {
      EXPECT_NEAR(p.FromNode->Pressure - p.ToNode->Pressure, p.TotalLoss, tolerance) << p.Name;
    }
  }
  for (size_t i = 1; i < e.FNodes.size(); ++i) {
    const TNode& n = *e.FNodes[i];
    EXPECT_NEAR(balance[i], n.Flow, 1e-6) << n.Name;
    if (n.Kind == nkHead) {
      EXPECT_NEAR(HeadPressure(n), n.Pressure - n.VelocityPressure, tolerance) << n.Name;
    }
  }
}

struct TSolver : ::testing::Test {
  TCalcEngine e;
  void SetUp() override { test::UseUSUnits(e); }
};

// The everyday request: Water W 0 60 500 50; Pipe P1 W N1 100 4 E T; Head N1 10 25 5.6.
TEST_F(TSolver, SingleHeadTreeMatchesHandCalculation) {
  e.FMaterials = &Materials();
  e.FInputNode = AddWater(e, "W", 0, 60, 500, 50);
  AddHead(e, "N1", 10, 25, 5.6);
  auto pipe = std::make_unique<TPipe>();
  pipe->Name = "P1";
  pipe->FromNode = e.FindNode("W");
  pipe->ToNode = e.FindNode("N1");
  pipe->Length = 100;
  pipe->NominalSize = 4;
  pipe->Material = "S40";
  pipe->CFactor = 120;
  pipe->Fittings = {"E", "T"};
  TPipe* p1 = pipe.get();
  ASSERT_TRUE(e.AddPipe(std::move(pipe)));
  ASSERT_TRUE(e.Calculate()) << (e.FErrors.empty() ? "" : e.FErrors[0].Text);

  // 4 in elbow 10 ft and tee 20 ft at C 120; ID 4.026 in.
  const double head = (25 / 5.6) * (25 / 5.6);
  const double friction = HazenLoss(25, 100 + 10 + 20, 4.026);
  const double elevation = 10 * 0.433;
  const double required = head + friction + elevation;
  const double supply = 60 - 10 * std::pow(25.0 / 500, 1.85);
  EXPECT_EQ(p1->TotalLength, 130);
  EXPECT_NEAR(e.FindNode("N1")->Flow, 25, 1e-9);
  EXPECT_NEAR(e.FRequiredPressure, required, 0.001);
  EXPECT_NEAR(e.FSupplyPressure, supply, 1e-9);
  EXPECT_NEAR(e.FMargin, supply - required, 0.001);
  EXPECT_NEAR(e.FSourceFlow, 25, 1e-9);
  EXPECT_NEAR(p1->FrictionLoss, friction, 1e-9);
  EXPECT_NEAR(p1->ElevationLoss, elevation, 1e-12);
  EXPECT_NEAR(p1->Velocity, 25 * 0.408497684 / (4.026 * 4.026), 1e-9);
  EXPECT_EQ(e.FHeadCount, 1);
  EXPECT_EQ(e.FMinHeadFlow, e.FMaxHeadFlow);
  EXPECT_TRUE(e.FCalcDone);
  EXPECT_LT(e.FIterations, 10);
  EXPECT_TRUE(e.FErrors.empty());
  EXPECT_TRUE(e.FMessages.empty());
  ExpectConsistent(e);
}

TEST_F(TSolver, HeadWithoutMinimumFlowStillFlows) {
  e.FInputNode = AddWater(e, "W", 0, 60);
  TNode* head = AddHead(e, "H", 0, 0, 5.6);
  head->MinPressure = 7;
  AddPipeTo(e, "P1", "W", "H", 10, 1.049);
  ASSERT_TRUE(e.Calculate());
  EXPECT_NEAR(head->Flow, 5.6 * std::sqrt(7.0), 1e-3);
  ExpectConsistent(e);
}

// Two unequal pipes in parallel share the flow so that their losses are equal:
// r1 Q1^1.85 = r2 Q2^1.85.
TEST_F(TSolver, ParallelPipesSplitByTheirResistance) {
  e.FInputNode = AddWater(e, "W", 0, 100);
  AddNodeTo(e, "A", nkNode);
  AddNodeTo(e, "B", nkNode);
  AddHead(e, "H", 0, 200, 14);
  AddPipeTo(e, "P1", "W", "A", 10, 4.026);
  TPipe* wide = AddPipeTo(e, "P2", "A", "B", 50, 3.068);
  TPipe* narrow = AddPipeTo(e, "P3", "A", "B", 30, 2.067);
  AddPipeTo(e, "P4", "B", "H", 10, 3.068);
  ASSERT_TRUE(e.Calculate());
  ASSERT_EQ(e.FLoops.size(), 1u);
  const double r1 = HazenLoss(1, 50, 3.068), r2 = HazenLoss(1, 30, 2.067);
  const double q1 = 200 / (1 + std::pow(r1 / r2, 1 / 1.85));
  EXPECT_NEAR(wide->Flow, q1, 0.01);
  EXPECT_NEAR(narrow->Flow, 200 - q1, 0.01);
  ExpectConsistent(e);
}

// A grid of rows x cols rectangles, heads at the far half, fed at one corner through a riser.
void BuildGrid(TCalcEngine& e, int rows, int cols, unsigned shuffleSeed) {
  e.FInputNode = AddWater(e, "W", 0, 90, 1500, 60);
  auto name = [](int r, int c) { return "N" + std::to_string(r) + "_" + std::to_string(c); };
  for (int r = 0; r <= rows; ++r)
    for (int c = 0; c <= cols; ++c) {
      if (r > rows / 2 && c > cols / 2) AddHead(e, name(r, c), 12, 15, 5.6);
      else AddNodeTo(e, name(r, c), nkNode, 12);
    }
  std::vector<std::array<std::string, 2>> pipes;
  for (int r = 0; r <= rows; ++r)
    for (int c = 0; c < cols; ++c) pipes.push_back({name(r, c), name(r, c + 1)});
  for (int c = 0; c <= cols; ++c)
    for (int r = 0; r < rows; ++r) pipes.push_back({name(r, c), name(r + 1, c)});
  if (shuffleSeed != 0) std::shuffle(pipes.begin(), pipes.end(), std::mt19937(shuffleSeed));
  AddPipeTo(e, "R", "W", name(0, 0), 20, 6.065);
  for (size_t i = 0; i < pipes.size(); ++i) {
    const bool main = pipes[i][0].find("_0") != std::string::npos && pipes[i][1].find("_0") != std::string::npos;
    AddPipeTo(e, "P" + std::to_string(i + 1), pipes[i][0], pipes[i][1], 12, main ? 3.068 : 1.38);
  }
}

std::map<std::string, std::pair<double, double>> HeadResults(const TCalcEngine& e) {
  std::map<std::string, std::pair<double, double>> out;
  for (size_t i = 1; i < e.FNodes.size(); ++i) out[e.FNodes[i]->Name] = {e.FNodes[i]->Flow, e.FNodes[i]->Pressure};
  return out;
}

TEST_F(TSolver, TenByTenGridBalancesAtEveryNodeWhateverThePipeOrder) {
  BuildGrid(e, 10, 10, 0);
  ASSERT_TRUE(e.Calculate()) << (e.FErrors.empty() ? "" : e.FErrors[0].Text);
  EXPECT_EQ(e.FLoops.size(), 100u);
  EXPECT_EQ(e.FHeadCount, 25);
  EXPECT_GE(e.FMinHeadFlow, 15);
  ExpectConsistent(e);
  const auto reference = HeadResults(e);
  for (unsigned seed : {3u, 17u}) {
    TCalcEngine shuffled;
    test::UseUSUnits(shuffled);
    BuildGrid(shuffled, 10, 10, seed);
    ASSERT_TRUE(shuffled.Calculate());
    ExpectConsistent(shuffled);
    for (const auto& [name, value] : HeadResults(shuffled)) {
      EXPECT_NEAR(value.first, reference.at(name).first, 0.001) << name;
      EXPECT_NEAR(value.second, reference.at(name).second, 0.001) << name;
    }
    EXPECT_NEAR(shuffled.FRequiredPressure, e.FRequiredPressure, 0.001);
  }
}

TEST_F(TSolver, SourceCalculationLetsTheSupplyDriveTheHeads) {
  e.FInputNode = AddWater(e, "W", 0, 80, 1000, 60);
  AddNodeTo(e, "A", nkNode);
  TNode* h1 = AddHead(e, "H1", 10, 15, 5.6);
  TNode* h2 = AddHead(e, "H2", 10, 15, 5.6);
  AddPipeTo(e, "P1", "W", "A", 50, 2.067);
  AddPipeTo(e, "P2", "A", "H1", 12, 1.049);
  AddPipeTo(e, "P3", "A", "H2", 20, 1.049);
  e.FSourceCalculation = true;
  ASSERT_TRUE(e.Calculate());
  EXPECT_GT(h1->Flow, h2->Flow);
  EXPECT_GT(h2->Flow, 15);
  // with no safety margin the source offers exactly what the system takes
  EXPECT_NEAR(e.FMargin, 0, 0.001);
  EXPECT_NEAR(e.FSourceFlow, h1->Flow + h2->Flow, 1e-6);
  EXPECT_NEAR(e.FindNode("W")->Pressure, 80 - 20 * std::pow(e.FSourceFlow / 1000, 1.85), 0.001);
  ExpectConsistent(e);
  EXPECT_TRUE(e.FMessages.empty());
}

TEST_F(TSolver, SafetyMarginIsHeldBackAtTheSource) {
  e.FInputNode = AddWater(e, "W", 0, 80, 1000, 60);
  AddHead(e, "H", 0, 15, 5.6);
  AddPipeTo(e, "P1", "W", "H", 50, 1.049);
  e.FSourceCalculation = true;
  e.FSafetyMargin = 5;
  ASSERT_TRUE(e.Calculate());
  EXPECT_NEAR(e.FMargin, 5, 0.001);
  ExpectConsistent(e);
}

TEST_F(TSolver, TwoSourcesShareTheDemand) {
  e.FInputNode = AddWater(e, "W1", 0, 70, 1000, 50);
  TNode* w2 = AddWater(e, "W2", 0, 60, 1000, 40);
  AddNodeTo(e, "A", nkNode);
  AddHead(e, "H1", 0, 20, 8);
  AddHead(e, "H2", 0, 20, 8);
  AddPipeTo(e, "P1", "W1", "A", 100, 2.067);
  AddPipeTo(e, "P2", "W2", "A", 100, 2.067);
  AddPipeTo(e, "P3", "A", "H1", 10, 1.38);
  AddPipeTo(e, "P4", "A", "H2", 10, 1.38);
  ASSERT_TRUE(e.Calculate()) << (e.FErrors.empty() ? "" : e.FErrors[0].Text);
  EXPECT_TRUE(e.FSourceCalculation);
  EXPECT_LT(w2->Flow, 0);
  EXPECT_LT(e.FindNode("W1")->Flow, 0);
  EXPECT_NEAR(-e.FindNode("W1")->Flow - w2->Flow, e.FDemandFlow, 1e-6);
  // the second source stands at its own curve pressure, which the pipes carry to the junction
  EXPECT_NEAR(w2->Pressure, 60 - 20 * std::pow(-w2->Flow / 1000, 1.85), 1e-9);
  ExpectConsistent(e);
}

TEST_F(TSolver, FixedNodeFlowTravelsWithoutARow) {
  e.FInputNode = AddWater(e, "W", 0, 80);
  TNode* hose = AddNodeTo(e, "HOSE", nkNode);
  hose->MinFlow = 250;
  AddHead(e, "H", 0, 20, 5.6);
  AddPipeTo(e, "P1", "W", "HOSE", 30, 4.026);
  AddPipeTo(e, "P2", "HOSE", "H", 10, 1.049);
  ASSERT_TRUE(e.Calculate());
  EXPECT_NEAR(e.FPipes[1]->Flow, 270, 1e-9);
  EXPECT_EQ(e.FNodeCount, 1);
  EXPECT_NEAR(e.FNodeFlow, 250, 1e-9);
  EXPECT_NEAR(e.FDemandFlow, 270, 1e-9);
  ExpectConsistent(e);
}

TEST_F(TSolver, VelocityPressuresInALoopAreSolved) {
  e.FUseVelocityPressure = true;
  e.FInputNode = AddWater(e, "W", 0, 100);
  for (const char* n : {"A", "B", "C"}) AddNodeTo(e, n, nkNode);
  TNode* mid = AddHead(e, "H1", 0, 20, 5.6);
  AddHead(e, "H2", 0, 20, 5.6);
  AddHead(e, "H3", 0, 20, 5.6);
  AddPipeTo(e, "P1", "W", "A", 10, 2.067);
  AddPipeTo(e, "P2", "A", "B", 20, 1.38);
  AddPipeTo(e, "P3", "A", "C", 25, 1.38);
  AddPipeTo(e, "P4", "C", "B", 10, 1.38);
  AddPipeTo(e, "P5", "B", "H1", 10, 1.049);
  TPipe* vb = AddPipeTo(e, "P6", "H1", "H2", 10, 1.049);
  vb->VelocityAtBegin = true;
  AddPipeTo(e, "P7", "H1", "H3", 10, 1.049);
  ASSERT_TRUE(e.Calculate()) << (e.FErrors.empty() ? "" : e.FErrors[0].Text);
  EXPECT_GT(mid->VelocityPressure, 0);  // a head in the line sees the velocity arriving at it
  ExpectConsistent(e);
  // the pipe that carries H1's velocity pressure adds it to the fall across it
  const TNode& h2 = *e.FindNode("H2");
  EXPECT_NEAR(mid->Pressure - h2.Pressure, vb->TotalLoss + mid->VelocityPressure, 0.001);
}

TEST_F(TSolver, FlowsPressuresAndUnitsReturnToMetricInput) {
  TCalcEngine us;
  test::UseUSUnits(us);
  us.FInputNode = AddWater(us, "W", 0, 60, 500, 50);
  AddHead(us, "H", 10, 25, 5.6);
  AddPipeTo(us, "P1", "W", "H", 100, 4.026);
  ASSERT_TRUE(us.Calculate());

  // the same system in m, mm, kPa, m3/h and m3hr/kPa
  TCalcEngine si;
  si.SetUnits(TUnitSet{5, 3, 5, 2, 3, 4, 5, 3});
  const double kPaPerPsi = 6.89475729, m3hPerGpm = 0.2271247;
  si.FInputNode = AddWater(si, "W", 0, 60 * kPaPerPsi, 500 * m3hPerGpm, 50 * kPaPerPsi);
  TNode* head = AddHead(si, "H", 3.048, 25 * m3hPerGpm, 5.6 * m3hPerGpm / std::sqrt(kPaPerPsi));
  TPipe* pipe = AddPipeTo(si, "P1", "W", "H", 30.48, 102.26);
  ASSERT_TRUE(si.Calculate());
  EXPECT_NEAR(si.FTolerance, 0.001 / 14.5037738, 1e-12);
  EXPECT_EQ(si.FCalcUnits, si.FInputUnits);
  EXPECT_NEAR(pipe->Length, 30.48, 1e-9);
  EXPECT_NEAR(pipe->InsideDiameter, 102.26, 1e-9);
  EXPECT_NEAR(head->Elevation, 3.048, 1e-12);
  EXPECT_NEAR(head->KFactor, 5.6 * m3hPerGpm / std::sqrt(kPaPerPsi), 1e-9);
  EXPECT_NEAR(head->Flow, 25 * m3hPerGpm, 1e-6);
  // metric constants differ from the U.S. ones by a fraction of a percent
  EXPECT_NEAR(si.FRequiredPressure / kPaPerPsi, us.FRequiredPressure, 0.005 * us.FRequiredPressure);
  EXPECT_NEAR(head->Pressure / kPaPerPsi, HeadPressure(*us.FindNode("H")), 0.001);
  EXPECT_NEAR(pipe->Velocity, us.FPipes[1]->Velocity * 0.3048, 0.002);
}

TEST_F(TSolver, CancelLeavesTheRunUnfinished) {
  e.FInputNode = AddWater(e, "W", 0, 60);
  AddHead(e, "H", 0, 10, 5.6);
  AddPipeTo(e, "P1", "W", "H", 10, 1.049);
  int calls = 0;
  e.FMessagePump = [&] {
    ++calls;
    e.FCancel = true;
  };
  EXPECT_FALSE(e.Calculate());
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(e.FCalcDone);
  EXPECT_FALSE(e.FCalcOK);
  EXPECT_TRUE(e.FErrors.empty());
  EXPECT_TRUE(e.FMessages.empty());
}

TEST_F(TSolver, HopelessSupplyReportsNonConvergenceThenHints) {
  e.FUseVelocityPressure = true;
  e.FSourceCalculation = true;
  e.FInputNode = AddWater(e, "W", 0, 5);
  AddHead(e, "H", 100, 10, 5.6);
  AddPipeTo(e, "P1", "W", "H", 10, 1.049);
  EXPECT_FALSE(e.Calculate());
  EXPECT_TRUE(e.FCalcDone);
  ASSERT_FALSE(e.FErrors.empty());
  EXPECT_EQ(e.FErrors.back().Code, 1026);
  EXPECT_EQ(e.FErrors.back().Text,
            "System did not converge after " + std::to_string(e.FIterations) + " iterations. Results not acceptable.");
  ASSERT_FALSE(e.FMessages.empty());
  EXPECT_EQ(e.FMessages[0].Text, "[HINT] Try calculating without velocity pressures.");
}

TEST_F(TSolver, DarcyProjectWithHazenPipe) {
  e.FFrictionMethod = 2;
  e.FInputNode = AddWater(e, "W", 0, 80);
  TNode* n = AddNodeTo(e, "N", nkNode);
  n->MinFlow = 100;
  TPipe* pipe = AddPipeTo(e, "P1", "W", "N", 10, 2.067, 120);
  pipe->HazenPipe = true;
  ASSERT_TRUE(e.Calculate());
  EXPECT_TRUE(e.FHazenPipesUsed);
  EXPECT_NEAR(pipe->FrictionLoss, HazenLoss(100, 10, 2.067), 1e-9);
  const double re = 100 * 50.6 * 62.34 / (1.1 * 2.067);
  EXPECT_NEAR(pipe->Reynolds, re, 1e-6);
  EXPECT_GT(pipe->FrictionFactor, 0);  // reported from the Darcy method, with C as roughness
  EXPECT_EQ(pipe->CFactor, 120);       // a C-factor is not converted as a roughness
  // elevation factor of a Darcy project comes from the liquid
  EXPECT_NEAR(e.FRequiredPressure, pipe->FrictionLoss, 1e-9);
}

}  // namespace
}  // namespace pelmora
