// Equivalent K-factors from the private engine: hand-checked values, errors, caching and units.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/calc_engine.h"
#include "equivk/equivk_file.h"

namespace pelmora {
namespace {

constexpr double kId1 = 1.049;  // Schedule 40, 1 in

TEquivKSettings USSettings() {
  TEquivKSettings settings;
  settings.Units = TUnitSet{0, 2, 0, 0, 0, 0, 5, 3};
  return settings;
}

// Hazen-Williams loss in psi of a pipe of length ft and diameter in at q gpm.
double HazenLoss(double q, double length, double diameter, double c = 120) {
  return 4.52 * std::pow(q, 1.85) / (std::pow(c, 1.85) * std::pow(diameter, 4.87)) * length;
}

TEquivKFile Definition(std::vector<std::string> lines) {
  TEquivKFile definition;
  definition.Code = "ARM1";
  definition.SetLines(std::move(lines));
  return definition;
}

TEST(EquivKCalculationTest, OnePipeAndOneHead) {
  TEquivKFile definition = Definition({"Pipe 1 1", "Head 0 20 5.6"});
  const double pressure = (20 / 5.6) * (20 / 5.6) + HazenLoss(20, 1, kId1);
  EXPECT_NEAR(definition.GetEquivalentK(USSettings()), 20 / std::sqrt(pressure), 1e-4);
  EXPECT_NEAR(definition.GetK(), 20 / std::sqrt(pressure), 1e-4);
  EXPECT_NEAR(definition.GetDischarge(), 20, 1e-6);
  EXPECT_EQ(definition.SprinklerCount, 1);
  EXPECT_TRUE(definition.Messages.empty());
}

// An arm-over: 2 ft out of the branch-line tee, 1.5 ft with an elbow, the head 1 ft up.
TEST(EquivKCalculationTest, ArmOverWithFittingsAndRise) {
  TEquivKFile definition = Definition({"// arm-over", "Pipe 2 1 T", "Pipe 1.5 1 E", "Head 1 20 5.6"});
  const double totalLength = 2 + 5 + 1.5 + 2;  // tee 5 ft and elbow 2 ft at 1 in
  const double pressure = (20 / 5.6) * (20 / 5.6) + HazenLoss(20, totalLength, kId1) + 0.433 * 1;
  EXPECT_NEAR(definition.GetEquivalentK(USSettings()), 20 / std::sqrt(pressure), 1e-4);
  ASSERT_NE(definition.Engine(), nullptr);
  EXPECT_NEAR(definition.Engine()->FRequiredPressure, pressure, 2e-3);
  EXPECT_EQ(definition.Engine()->FPipes.size(), 3u);
  EXPECT_EQ(definition.Engine()->FPipes[2]->Name, "2");
  EXPECT_EQ(definition.Engine()->FPipes[2]->Line, 2);
}

TEST(EquivKCalculationTest, TwoHeadsShareTheirFlow) {
  TEquivKFile definition = Definition({"Pipe 1 1", "Head 0 20 5.6", "Pipe 10 1", "Head 0 20 5.6"});
  EXPECT_GT(definition.GetEquivalentK(USSettings()), 0);
  EXPECT_GT(definition.GetDischarge(), 40);  // the nearer head runs above its minimum
  EXPECT_EQ(definition.SprinklerCount, 2);
}

TEST(EquivKCalculationTest, ANegativeDischargeIsTheHeadsMinimumPressure) {
  TEquivKFile definition = Definition({"Pipe 1 1", "Head 0 -16 5.6"});
  const double pressure = 16 + HazenLoss(22.4, 1, kId1);
  EXPECT_NEAR(definition.GetDischarge(USSettings()), 22.4, 1e-3);
  EXPECT_NEAR(definition.GetK(), 22.4 / std::sqrt(pressure), 1e-3);
}

struct TFailureCase {
  std::vector<std::string> Lines;
  std::string Message;
};

TEST(EquivKCalculationTest, ADefinitionThatCannotBeCalculatedSaysWhy) {
  const std::vector<TFailureCase> cases{
      {{"Head 0 20 5.6"}, "A \"Head\" command may only follow a \"Pipe\" command."},
      {{"Pipe 1 1", "Use S40 120", "Head 0 20 5.6"}, "A \"Head\" command may only follow a \"Pipe\" command."},
      {{"Pipe 1 1 X", "Head 0 20 5.6"}, "\"X\" is not a valid fitting for size 1 pipe of \"S40\" material"},
      {{"Pipe 1", "Head 0 20 5.6"}, "Pipe command: \"nominal diameter\" parameter is missing."},
      {{"Pipe 1 7", "Head 0 20 5.6"}, "Pipe command: \"7\" is not a valid nominal diameter."},
      {{"Pipe 1 1", "Head up 20 5.6"}, "Head command: \"up\" is not a valid elevation."},
      {{"Pipe 1 1", "Head 0 20"}, "Head command: \"K-factor\" parameter is missing."},
      {{"Use XYZ 120", "Pipe 1 1", "Head 0 20 5.6"}, "Use command: \"XYZ\" is not a valid pipe material code."},
      {{"Drip 1 1"}, "\"Drip\" is not a valid command."},
  };
  for (const TFailureCase& c : cases) {
    TEquivKFile definition = Definition(c.Lines);
    EXPECT_EQ(definition.GetEquivalentK(USSettings()), -1) << c.Message;
    EXPECT_EQ(definition.GetDischarge(), -1);
    EXPECT_EQ(definition.Engine(), nullptr);
    EXPECT_NE(std::find(definition.Messages.begin(), definition.Messages.end(), c.Message), definition.Messages.end())
        << c.Message << " / " << (definition.Messages.empty() ? "none" : definition.Messages.front());
  }
}

TEST(EquivKCalculationTest, AnEmptyDefinitionHasNoResultAndNoMessage) {
  TEquivKFile definition = Definition({});
  EXPECT_EQ(definition.GetEquivalentK(USSettings()), -1);
  EXPECT_TRUE(definition.Messages.empty());
}

TEST(EquivKCalculationTest, TooManyParametersIsOnlyAWarning) {
  TEquivKFile definition = Definition({"Pipe 1 1", "Head 0 20 5.6 9"});
  EXPECT_GT(definition.GetEquivalentK(USSettings()), 0);
  ASSERT_NE(definition.Engine(), nullptr);
  bool warned = false;
  for (const TCalcError& message : definition.Engine()->FMessages)
    warned = warned || message.Text.find("Head command has too many parameters.") != std::string::npos;
  EXPECT_TRUE(warned);
}

TEST(EquivKCalculationTest, AZeroKFactorDeactivatesTheHead) {
  TEquivKFile definition = Definition({"Pipe 1 1", "Head 0 20 0"});
  EXPECT_EQ(definition.GetEquivalentK(USSettings()), -1);
  EXPECT_EQ(definition.SprinklerCount, 0);
}

TEST(EquivKCacheTest, TheResultIsKeptUntilTheTextOrTheSettingsChange) {
  TEquivKFile definition = Definition({"Pipe 1 1", "Head 0 20 5.6"});
  const TEquivKSettings settings = USSettings();
  const double first = definition.GetEquivalentK(settings);
  definition.EquivalentK = 1234;  // a value no calculation gives
  EXPECT_EQ(definition.GetEquivalentK(settings), 1234);

  definition.Lines[0] = "Pipe 9 1";  // one character
  const double longer = definition.GetEquivalentK(settings);
  EXPECT_LT(longer, first);
  EXPECT_FALSE(definition.Dirty);

  TEquivKSettings darcy = settings;
  darcy.FrictionFormula = 2;
  EXPECT_NE(definition.GetEquivalentK(darcy), longer);

  definition.EquivalentK = 1234;
  definition.Dirty = true;
  EXPECT_NE(definition.GetEquivalentK(darcy), 1234);
}

TEST(EquivKCacheTest, ACopyKeepsTheResultsAndCalculatesOnItsOwn) {
  TEquivKFile definition = Definition({"Pipe 1 1", "Head 0 20 5.6"});
  definition.GetEquivalentK(USSettings());
  TEquivKFile copy = definition;
  EXPECT_EQ(copy.GetK(), definition.GetK());
  copy.Lines[1] = "Head 0 30 5.6";
  EXPECT_NEAR(copy.GetDischarge(USSettings()), 30, 1e-6);
  EXPECT_NEAR(definition.GetDischarge(), 20, 1e-6);
}

TEST(EquivKUnitsTest, AMetricProjectGetsItsOwnKUnit) {
  TEquivKSettings metric;
  metric.Units = MetricUnits();  // m, mm, bar, lpm, lpm/bar
  TEquivKFile definition = Definition({"Pipe 0.3 25", "Head 0 80 80BAR"});
  const double k = definition.GetEquivalentK(metric);
  ASSERT_NE(definition.Engine(), nullptr);
  const TCalcEngine& engine = *definition.Engine();
  EXPECT_NEAR(definition.GetDischarge(), 80, 1e-6);
  EXPECT_NEAR(k, engine.FSourceFlow / std::sqrt(engine.FRequiredPressure), 1e-5);
  EXPECT_LT(k, 80);

  metric.Units.KFactor = 3;  // m3/hr per bar^0.5
  EXPECT_NEAR(definition.GetEquivalentK(metric), k * 0.06, 1e-6);
}

TEST(EquivKUnitsTest, ConvertingTheTextKeepsTheAssemblyAndItsLayout) {
  TEquivKFile definition = Definition({"Pipe   10   1   E // riser nipple", "Head 2 20 5.6"});
  const double usK = definition.GetEquivalentK(USSettings());
  TEquivKSettings metric;
  metric.Units = MetricUnits();
  definition.ConvertText(USSettings().Units, metric.Units, metric);
  EXPECT_EQ(definition.Lines[0], "Pipe   3.05 25.0 E // riser nipple");
  EXPECT_EQ(definition.Lines[1], "Head 0.61 75.7082356 80.731");
  EXPECT_TRUE(definition.Dirty);
  // 25 mm is a little wider than 1 in Schedule 40: the same assembly within a few per cent.
  EXPECT_NEAR(definition.GetEquivalentK(metric), ConvertK(usK, 0, metric.Units.KFactor), 0.03 * 14.4 * usK);
}

}  // namespace
}  // namespace pelmora
