#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine_fixture.h"

namespace pelmora {
namespace {

using test::AddCurve;
using test::AddHead;
using test::AddNodeTo;
using test::AddPipeTo;
using test::AddWater;
using test::HazenLoss;

bool HasMessage(const std::vector<TCalcError>& list, const std::string& text) {
  return std::any_of(list.begin(), list.end(), [&](const TCalcError& m) { return m.Text == text; });
}

struct TDevices : ::testing::Test {
  TCalcEngine e;
  void SetUp() override { test::UseUSUnits(e); }
  // A pump between W and S: a pipe without friction that carries the pump curve.
  TPipe* AddPumpPipe(double churn, double flow, double pressure) {
    AddNodeTo(e, "S", nkNode);
    TPipe* pipe = AddPipeTo(e, "Pump1", "W", "S", 0, 0);
    pipe->NoFriction = true;
    TSpecial* pump = AddCurve(e, skPump, pipe, {0, flow}, {-churn, -pressure});
    pump->Line = 40;
    pipe->Devices.push_back(pump);
    return pipe;
  }
};

TEST_F(TDevices, PumpBetweenNodesAddsItsCurvePressure) {
  e.FInputNode = AddWater(e, "W", 0, 20);
  TPipe* pumpPipe = AddPumpPipe(100, 500, 90);
  AddHead(e, "H", 0, 100, 14);
  AddPipeTo(e, "P1", "S", "H", 50, 2.067);
  ASSERT_TRUE(e.Calculate());
  // pump "loss" on the flow^1.85 scale: -100 + 10 (q / 500)^1.85
  const double pump = -100 + 10 * std::pow(100.0 / 500, 1.85);
  EXPECT_NEAR(pumpPipe->DeviceLoss, pump, 1e-9);
  EXPECT_EQ(pumpPipe->Velocity, 0);
  EXPECT_NEAR(e.FRequiredPressure, (100.0 / 14) * (100.0 / 14) + HazenLoss(100, 50, 2.067) + pump, 0.001);
  EXPECT_NEAR(e.FMargin, 20 - e.FRequiredPressure, 1e-9);
  EXPECT_TRUE(e.FMessages.empty());
}

TEST_F(TDevices, PumpBeyondItsLastPointWarnsOnce) {
  e.FInputNode = AddWater(e, "W", 0, 20);
  AddPumpPipe(100, 500, 90);
  AddHead(e, "H", 0, 600, 60);
  AddPipeTo(e, "P1", "S", "H", 50, 4.026);
  ASSERT_TRUE(e.Calculate());
  ASSERT_EQ(e.FMessages.size(), 1u);
  EXPECT_EQ(e.FMessages[0].Code, 2306);
  EXPECT_EQ(e.FMessages[0].Text, "[WARNING] Fire pump flow rate exceeds maximum flow parameter.");
  EXPECT_EQ(e.FMessages[0].Line, 40);
}

TEST_F(TDevices, BackflowPreventerLosesAlongItsLine) {
  e.FInputNode = AddWater(e, "W", 0, 60);
  AddHead(e, "H", 0, 25, 5.6);
  TPipe* pipe = AddPipeTo(e, "P1", "W", "H", 20, 2.067);
  TSpecial* bfp = AddCurve(e, skBackflow, pipe, {0, 500}, {5, 8}, true);
  pipe->Devices.push_back(bfp);
  ASSERT_TRUE(e.Calculate());
  EXPECT_NEAR(pipe->DeviceLoss, 5 + 25 * 0.006, 1e-9);
  EXPECT_NEAR(e.FRequiredPressure, 625 / 31.36 + HazenLoss(25, 20, 2.067) + 5.15, 0.001);
  EXPECT_NEAR(pipe->TotalLoss, pipe->FrictionLoss + 5.15, 1e-9);
}

TEST_F(TDevices, StaticAndRiserValuesIncludeTheChurnPressure) {
  e.FInputNode = AddWater(e, "W", 0, 60, 500, 50);
  AddNodeTo(e, "R", nkNode, 10);
  AddHead(e, "H", 10, 25, 5.6);
  TPipe* riser = AddPipeTo(e, "P1", "W", "R", 10, 4.026);
  TSpecial* pump = AddCurve(e, skPump, riser, {0, 500}, {-100, -90});
  riser->Devices.push_back(pump);
  AddPipeTo(e, "P2", "R", "H", 10, 2.067);
  e.FRiserNodeName = "r";
  ASSERT_TRUE(e.Calculate());
  ASSERT_TRUE(e.FRiserValid);
  EXPECT_NEAR(e.FStaticPressure, 60 - 10 * 0.433 + 100, 1e-9);
  EXPECT_EQ(e.FRiserPressure, e.FindNode("R")->Pressure);
  EXPECT_NEAR(e.FRiserFlow, 25, 1e-9);
}

TEST_F(TDevices, RiserNameThatIsNoNodeLeavesValuesInvalid) {
  e.FInputNode = AddWater(e, "W", 0, 60);
  AddHead(e, "H", 0, 25, 5.6);
  AddPipeTo(e, "P1", "W", "H", 10, 2.067);
  e.FRiserNodeName = "W";
  ASSERT_TRUE(e.Calculate());
  EXPECT_FALSE(e.FRiserValid);  // the base node itself
}

TEST_F(TDevices, BoosterPumpInALoopIsReported) {
  e.FInputNode = AddWater(e, "W", 0, 60);
  AddNodeTo(e, "A", nkNode);
  AddNodeTo(e, "B", nkNode);
  AddHead(e, "H", 0, 25, 5.6);
  AddPipeTo(e, "P1", "W", "A", 10, 2.067);
  TPipe* boosted = AddPipeTo(e, "P2", "A", "B", 10, 2.067);
  TSpecial* pump = AddCurve(e, skPump, boosted, {0, 500}, {-10, -5});
  pump->Line = 41;
  boosted->Devices.push_back(pump);
  AddPipeTo(e, "P3", "A", "B", 30, 2.067);
  AddPipeTo(e, "P4", "B", "H", 10, 1.049);
  ASSERT_TRUE(e.Calculate());
  ASSERT_FALSE(e.FMessages.empty());
  EXPECT_EQ(e.FMessages[0].Text, "[WARNING] Pump is in a piping loop.");
  EXPECT_EQ(e.FMessages[0].Line, 41);
  EXPECT_LT(e.FPipes[3]->Flow, 0);  // the pump drives water round the loop
}

TEST_F(TDevices, RisingSupplyCurveIsWarnedAbout) {
  TNode* w = AddWater(e, "W", 0, 60, 500, 70);
  AddHead(e, "H", 0, 25, 5.6);
  AddPipeTo(e, "P1", "W", "H", 10, 2.067);
  ASSERT_TRUE(e.Calculate());
  ASSERT_EQ(e.FMessages.size(), 1u);
  EXPECT_EQ(e.FMessages[0].Code, 770);
  EXPECT_EQ(e.FMessages[0].Text, "[WARNING] Water source pressure increases with flow rate.");
  EXPECT_EQ(e.FMessages[0].Param, -1);
  EXPECT_EQ(e.FMessages[0].Line, w->Line);
}

TEST_F(TDevices, SourceCalculationWarnsAboutShortfalls) {
  e.FSourceCalculation = true;
  e.FInputNode = AddWater(e, "W", 0, 30, 500, 20);
  AddNodeTo(e, "A", nkNode);
  AddHead(e, "H", 0, 50, 5.6);
  TNode* n = AddNodeTo(e, "N", nkNode);
  n->MinPressure = 50;
  AddPipeTo(e, "P1", "W", "A", 10, 2.067);
  AddPipeTo(e, "P2", "A", "H", 10, 1.049);
  AddPipeTo(e, "P3", "A", "N", 10, 1.049);
  ASSERT_TRUE(e.Calculate());
  EXPECT_LT(e.FindNode("H")->Flow, 50);
  EXPECT_TRUE(HasMessage(e.FMessages, "[WARNING] Head H is discharging less than required."));
  EXPECT_TRUE(HasMessage(e.FMessages, "[WARNING] Node N pressure is lower than required."));
}

TEST_F(TDevices, DemandCalculationNeverWarnsAboutShortfalls) {
  e.FInputNode = AddWater(e, "W", 0, 30, 500, 20);
  AddHead(e, "H", 0, 50, 5.6);
  AddPipeTo(e, "P1", "W", "H", 10, 1.049);
  ASSERT_TRUE(e.Calculate());
  EXPECT_LT(e.FMargin, 0);
  EXPECT_TRUE(e.FMessages.empty());
}

// A weak source never takes water in: it stays shut, whichever of the two is tried as base first.
TEST(WeakSource, DoesNotFlowAndTakesNothingIn) {
  for (bool weakFirst : {false, true}) {
    TCalcEngine e;
    test::UseUSUnits(e);
    auto strong = [&] { return AddWater(e, "STRONG", 0, 80, 1000, 60); };
    auto weak = [&] { return AddWater(e, "WEAK", 20, 0); };
    TNode* first = weakFirst ? weak() : strong();
    TNode* second = weakFirst ? strong() : weak();
    e.FInputNode = first;
    AddHead(e, "H", 0, 20, 5.6);
    AddPipeTo(e, "P1", first->Name, "H", 10, 2.067);
    AddPipeTo(e, "P2", second->Name, "H", 10, 2.067);
    ASSERT_TRUE(e.Calculate()) << (e.FErrors.empty() ? "" : e.FErrors[0].Text);
    EXPECT_EQ(e.FBaseNode->Name, "STRONG");
    EXPECT_EQ(e.FindNode("WEAK")->Flow, 0) << weakFirst;
    EXPECT_NEAR(-e.FindNode("STRONG")->Flow, e.FindNode("H")->Flow, 1e-6);
    EXPECT_NEAR(e.FindNode("H")->Pressure, 80 - 20 * std::pow(e.FindNode("H")->Flow / 1000, 1.85) -
                                               HazenLoss(e.FindNode("H")->Flow, 10, 2.067), 0.001);
    if (!weakFirst) {
      EXPECT_TRUE(HasMessage(e.FMessages, "[WARNING] Water source at node WEAK is not flowing due to insufficient pressure."));
    }
  }
}

}  // namespace
}  // namespace pelmora
