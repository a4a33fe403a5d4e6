#include <gtest/gtest.h>

#include <cmath>

#include "engine/curves.h"
#include "engine/model.h"

namespace pelmora {
namespace {

TSpecial Curve(std::vector<double> flows, std::vector<double> pressures, bool linear = false) {
  TSpecial curve;
  curve.Flows = std::move(flows);
  curve.Pressures = std::move(pressures);
  curve.Linear = linear;
  return curve;
}

TEST(CurvePressure, StaticOnlySupplyOffersItsPressureAtEveryFlow) {
  TSpecial supply = Curve({0}, {60});
  for (double q : {0.0, 100.0, 5000.0}) EXPECT_EQ(CurvePressure(supply, q), 60);
  EXPECT_EQ(CurvePressure(supply, -10), -60);
  EXPECT_EQ(supply.LastSlope, 0);
  TSpecial empty = Curve({}, {});
  EXPECT_EQ(CurvePressure(empty, 10), 0);
}

TEST(CurvePressure, SupplyOnTheFlow185Scale) {
  TSpecial supply = Curve({0, 1000}, {60, 40});
  // 60 - 20 (q / 1000)^1.85, also beyond the last point
  for (double q : {0.0, 250.0, 500.0, 1000.0, 1500.0}) {
    EXPECT_NEAR(CurvePressure(supply, q), 60 - 20 * std::pow(q / 1000, 1.85), 1e-12) << q;
    if (q > 0) {
      EXPECT_NEAR(supply.LastSlope, -1.85 * 20 * std::pow(q, 0.85) / std::pow(1000, 1.85), 1e-15);
    }
  }
  EXPECT_NEAR(CurvePressure(supply, 500), 54.45, 0.01);
  // negative flow negates the value, not the slope
  const double slope = supply.LastSlope;
  EXPECT_NEAR(CurvePressure(supply, -500), -54.452, 0.001);
  EXPECT_EQ(supply.LastSlope, slope);
}

TEST(CurvePressure, ThreePointSupplyUsesTheSegmentOfTheFlow) {
  TSpecial supply = Curve({0, 500, 1000}, {80, 70, 50});
  const double v = 20 / (std::pow(1000, 1.85) - std::pow(500, 1.85));
  EXPECT_NEAR(CurvePressure(supply, 750), 70 + v * (std::pow(500, 1.85) - std::pow(750, 1.85)), 1e-12);
  EXPECT_NEAR(CurvePressure(supply, 500), 70, 1e-12);
}

TEST(CurvePressure, BackflowPreventerIsStraight) {
  TSpecial bfp = Curve({0, 500}, {5, 8}, true);
  EXPECT_NEAR(CurvePressure(bfp, 250), 6.5, 1e-12);
  EXPECT_NEAR(bfp.LastSlope, 0.006, 1e-15);
  EXPECT_NEAR(CurvePressure(bfp, 800), 9.8, 1e-12);
}

TEST(CurvePressure, PumpAddsChurnAtZeroFlow) {
  TSpecial pump = Curve({0, 500}, {-100, -90});
  EXPECT_EQ(CurvePressure(pump, 0), -100);
  EXPECT_NEAR(CurvePressure(pump, 500), -90, 1e-12);
  EXPECT_FALSE(PumpRises(pump));
  EXPECT_TRUE(PumpRises(Curve({0, 500}, {-100, -110})));
  EXPECT_EQ(MaximumFlow(pump), 500);
}

TEST(CurvePressure, RisingSupplyDetected) {
  EXPECT_FALSE(SupplyRises(Curve({0, 1000}, {60, 40})));
  EXPECT_TRUE(SupplyRises(Curve({0, 500, 1000}, {60, 50, 55})));
}

TEST(CurvePressure, RepeatedFlowPointDoesNotDivideByZero) {
  TSpecial supply = Curve({0, 0}, {60, 50});
  EXPECT_TRUE(std::isfinite(CurvePressure(supply, 100)));
  TSpecial straight = Curve({100, 100}, {5, 8}, true);
  EXPECT_TRUE(std::isfinite(CurvePressure(straight, 50)));
}

}  // namespace
}  // namespace pelmora
