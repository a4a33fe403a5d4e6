#include <gtest/gtest.h>

#include <cmath>

#include "engine/friction.h"
#include "engine/model.h"
#include "engine_fixture.h"

namespace pelmora {
namespace {

struct TPipeCase {
  double Flow;      // gpm or L/min
  double Length;    // ft or m (total)
  double Diameter;  // in or mm
  double C;         // C-factor or roughness
  double FittingK;
};

TPipe Evaluated(int method, const TLossConstants& c, const TPipeCase& pc) {
  TPipe pipe;
  pipe.InsideDiameter = pc.Diameter;
  pipe.TotalLength = pc.Length;
  pipe.CFactor = pc.C;
  pipe.FittingK = pc.FittingK;
  const auto law = MakeFrictionLaw(method);
  law->Prepare(pipe, c);
  pipe.Flow = pc.Flow;
  law->Evaluate(pipe);
  return pipe;
}

double Sgn(double x) { return (x > 0) - (x < 0); }

TEST(HazenWilliams, LossTableUS) {
  const TLossConstants us;
  const TPipeCase cases[] = {
      {100, 10, 2.067, 120, 0}, {-100, 10, 2.067, 120, 0}, {25, 130, 4.026, 120, 0},
      {500, 50, 6.065, 140, 0}, {12.5, 7.5, 1.049, 100, 0}, {80, 20, 1.61, 120, 0.9},
  };
  for (const TPipeCase& pc : cases) {
    const TPipe pipe = Evaluated(fmHazenWilliams, us, pc);
    // Pf = 4.52 L Q^1.85 / (C^1.85 d^4.87) + K * 0.001123 Q^2 / d^4, signed with the flow
    const double pv = 0.001123 * pc.Flow * pc.Flow / std::pow(pc.Diameter, 4);
    const double pf = Sgn(pc.Flow) * (4.52 * pc.Length * std::pow(std::fabs(pc.Flow), 1.85) /
                                          (std::pow(pc.C, 1.85) * std::pow(pc.Diameter, 4.87)) +
                                      pc.FittingK * pv);
    EXPECT_NEAR(pipe.FrictionLoss, pf, 1e-12 * std::max(1.0, std::fabs(pf))) << pc.Flow << " " << pc.Diameter;
    EXPECT_NEAR(pipe.VelocityPressure, pv, 1e-12);
    // slope: 1.85 Pf/Q for the friction part plus 2 K Pv / Q
    const double slope = 1.85 * std::fabs((pf - Sgn(pc.Flow) * pc.FittingK * pv) / pc.Flow) +
                         2 * pc.FittingK * 0.001123 * std::fabs(pc.Flow) / std::pow(pc.Diameter, 4);
    EXPECT_NEAR(pipe.LossSlope, slope, 1e-9);
  }
}

TEST(HazenWilliams, KnownPipeAndMetric) {
  // 100 gpm through 10 ft of 2.067 in, C 120: coefficient 45.2 / (120^1.85 2.067^4.87) times 100^1.85.
  const TPipe pipe = Evaluated(fmHazenWilliams, TLossConstants{}, {100, 10, 2.067, 120, 0});
  const double coef = 45.2 / (std::pow(120, 1.85) * std::pow(2.067, 4.87));
  EXPECT_NEAR(pipe.FrictionCoef, coef, 1e-15);
  EXPECT_NEAR(pipe.FrictionLoss, coef * std::pow(100, 1.85), 1e-12);

  TLossConstants metric;
  metric.Metric = true;
  const TPipe m = Evaluated(fmHazenWilliams, metric, {378.5, 3.048, 52.5, 120, 0});
  // Pf (bar) = 6.05e5 L Q^1.85 / (C^1.85 d^4.87)
  EXPECT_NEAR(m.FrictionLoss, 6.05e5 * 3.048 * std::pow(378.5, 1.85) / (std::pow(120, 1.85) * std::pow(52.5, 4.87)),
              1e-12);
  EXPECT_NEAR(m.FrictionLoss * 14.5037738, pipe.FrictionLoss, 0.003);
}

TEST(HazenWilliams, LiquidChangesOnlyReynolds) {
  TLossConstants oil;
  oil.DensityUS = 50;
  oil.Viscosity = 10;
  const TPipe water = Evaluated(fmHazenWilliams, TLossConstants{}, {100, 10, 2.067, 120, 0});
  const TPipe other = Evaluated(fmHazenWilliams, oil, {100, 10, 2.067, 120, 0});
  EXPECT_EQ(water.FrictionLoss, other.FrictionLoss);
  EXPECT_EQ(water.VelocityPressure, other.VelocityPressure);
  EXPECT_NEAR(water.Reynolds, 100 * 50.6 * 62.34 / (1.1 * 2.067), 1e-6);
  EXPECT_NEAR(other.Reynolds, 100 * 50.6 * 50 / (10 * 2.067), 1e-6);
}

TEST(FrictionLaws, ZeroFlowGivesNothingInEveryMethod) {
  for (int method = fmHazenWilliams; method <= fmSerghide; ++method) {
    const TPipe pipe = Evaluated(method, TLossConstants{}, {0, 10, 2.067, method >= 2 ? 0.0018 : 120, 0.5});
    EXPECT_EQ(pipe.FrictionLoss, 0) << method;
    EXPECT_EQ(pipe.VelocityPressure, 0) << method;
    EXPECT_EQ(pipe.Reynolds, 0) << method;
    EXPECT_EQ(pipe.FrictionFactor, 0) << method;
  }
}

// Serghide's explicit solution, written out: A, B, C from three Colebrook substitutions.
double SerghideByHand(double re, double t) {
  const double a = -2 * std::log10(t + 12 / re);
  const double b = -2 * std::log10(t + 2.51 * a / re);
  const double c = -2 * std::log10(t + 2.51 * b / re);
  return std::pow(a - (b - a) * (b - a) / (c - 2 * b + a), -2);
}

// Colebrook 1/sqrt(f) = -2 log10(t + 2.51 / (Re sqrt(f))) solved by bisection on y = 1/sqrt(f).
double ColebrookByBisection(double re, double t) {
  double lo = 1, hi = 20;
  for (int i = 0; i < 200; ++i) {
    const double y = (lo + hi) / 2;
    (y + 2 * std::log10(t + 2.51 * y / re) > 0 ? hi : lo) = y;
  }
  const double y = (lo + hi) / 2;
  return 1 / (y * y);
}

TEST(DarcyWeisbach, LossTableAllMethods) {
  const TLossConstants us;
  const TPipeCase cases[] = {
      {100, 10, 2.067, 0.0018, 0}, {-250, 40, 3.068, 0.0018, 0}, {30, 12, 1.049, 0.0018, 1.5}, {5, 100, 2.067, 0.0018, 0},
  };
  for (int method : {fmColebrook, fmSerghide, fmNfpa750}) {
    for (const TPipeCase& given : cases) {
      TPipeCase pc = given;
      if (method == fmNfpa750) pc.C = 120;
      const TPipe pipe = Evaluated(method, us, pc);
      const double aq = std::fabs(pc.Flow);
      const double re = 50.6 * 62.34 * aq / (1.1 * pc.Diameter);
      const double t = pc.C / (3.7 * pc.Diameter);
      double f = 0;
      if (method == fmNfpa750)
        f = 1014.2 * std::pow(pc.C, -1.852) * std::pow(pc.Diameter / 12, -0.0184) * std::pow(re, -0.148);
      else if (re < 2000)
        f = 64 / re;
      else
        f = method == fmSerghide ? SerghideByHand(re, t) : ColebrookByBisection(re, t);
      // Pf = 0.000216 f L rho Q^2 / d^5 + K * rho 0.000018 Q^2 / d^4
      const double pv = 62.34 * 0.000018 * pc.Flow * pc.Flow / std::pow(pc.Diameter, 4);
      const double pf = Sgn(pc.Flow) * (0.000216 * f * pc.Length * 62.34 * pc.Flow * pc.Flow / std::pow(pc.Diameter, 5) +
                                        pc.FittingK * pv);
      EXPECT_NEAR(pipe.Reynolds, re, 1e-6 * re) << method << " " << pc.Flow;
      EXPECT_NEAR(pipe.FrictionFactor, f, 2e-5 * f) << method << " " << pc.Flow;
      EXPECT_NEAR(pipe.FrictionLoss, pf, 2e-5 * std::fabs(pf)) << method << " " << pc.Flow;
      EXPECT_NEAR(pipe.VelocityPressure, pv, 1e-12);
    }
  }
}

TEST(DarcyWeisbach, LaminarTransitionTurbulentJoins) {
  const double t = 0.0018 / (3.7 * 2.067);
  for (auto factor : {&ColebrookFactor, &SerghideFactor}) {
    EXPECT_DOUBLE_EQ(factor(1999, t), 64.0 / 1999);
    EXPECT_DOUBLE_EQ(factor(2000, t), 0.032);
    EXPECT_NEAR(factor(3500, t), SerghideByHand(3500, t), 1e-6);  // Colebrook itself from 3500 on
    EXPECT_EQ(factor(0, t), 0);
    // the cubic stays between the laminar and turbulent values in between
    const double mid = factor(2750, t);
    EXPECT_GT(mid, std::min(0.032, SerghideByHand(3500, t)) - 0.01);
    EXPECT_LT(mid, 0.045);
  }
  EXPECT_NEAR(ColebrookFactor(1e5, t), ColebrookByBisection(1e5, t), 1e-7);
  EXPECT_NEAR(SerghideFactor(1e5, t), ColebrookByBisection(1e5, t), 1e-5);
  EXPECT_EQ(Nfpa750Factor(0, 0.5), 0);
}

TEST(DarcyWeisbach, TurbulentFactorMeetsCompleteTurbulence) {
  for (double d : {1.049, 4.026, 11.938}) {
    const double f = TurbulentFrictionFactor(0.004, d);
    const double y = 1 / std::sqrt(f);
    const double re = 200 * d * y / 0.004;  // Re sqrt(f) e / D = 200
    EXPECT_NEAR(y, -2 * std::log10(0.004 / (3.7 * d) + 2.51 * y / re), 1e-4) << d;
  }
  EXPECT_EQ(TurbulentFrictionFactor(0, 4.026), 0);
}

TEST(Velocity, AfterSolving) {
  EXPECT_NEAR(PipeVelocity(false, 100, 2.067), 100 * 0.408497684 / (2.067 * 2.067), 1e-12);
  EXPECT_NEAR(PipeVelocity(true, 378.5, 52.5), 378.5 * 21.224 / (52.5 * 52.5), 1e-12);
}

}  // namespace
}  // namespace pelmora
