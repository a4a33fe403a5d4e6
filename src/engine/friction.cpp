#include "engine/friction.h"

#include <cmath>

#include "engine/model.h"

namespace pelmora {

namespace {

// Unit-system constants of the loss formulas: U.S. (gpm, psi, in, ft, lb/ft3) and metric
// (L/min, bar, mm, m, kg/m3).
struct TLawUnits {
  double HazenVelPress;    // water velocity pressure: Pv = k Q^2 / d^4
  double HazenFriction;    // Hazen-Williams: Pf = k L Q^1.85 / (C^1.85 d^4.87)
  double Reynolds;         // Re = k rho Q / (mu d)
  double DensityVelPress;  // Darcy velocity pressure: Pv = k rho Q^2 / d^4
  double DarcyFriction;    // Darcy-Weisbach: Pf = k f L rho Q^2 / d^5
  double Nfpa750Scale;     // NFPA 750 roughness term constant
  double DiameterToLength; // diameter unit per length unit (in/ft, mm/m)
  double Velocity;         // V = k Q / d^2
};

constexpr TLawUnits kUSUnits{0.001123, 4.52, 50.6, 0.000018, 0.000216, 1014.2, 12, 0.408497684};
constexpr TLawUnits kMetricUnits{2.248, 605000, 21.22, 0.002248, 2.252, 992.27, 1000, 21.224};

const TLawUnits& UnitsOf(bool metric) { return metric ? kMetricUnits : kUSUnits; }
double DensityOf(const TLossConstants& c) { return c.Metric ? c.DensitySI : c.DensityUS; }
double Sign(double x) { return (x > 0) - (x < 0); }

void SetVelocityPressure(TPipe& pipe, double velPressCoef) {
  const double q = pipe.Flow;
  pipe.VelocityPressure = velPressCoef * q * q;
  pipe.VelPressSlope = 2 * velPressCoef * std::fabs(q);
}

void PrepareReynolds(TPipe& pipe, const TLossConstants& c) {
  pipe.ReynoldsCoef = UnitsOf(c.Metric).Reynolds * DensityOf(c) / (c.Viscosity * pipe.InsideDiameter);
}

// |q|^0.85 of the Hazen-Williams loss. Pipes in series come in pipe order and carry the same
// flow, so the last power is kept and std::pow runs once per run of such pipes.
class TFlowPower {
 public:
  double Of(double flow) {
    if (flow != FFlow) {
      FFlow = flow;
      FPower = std::pow(flow, 0.85);
    }
    return FPower;
  }

 private:
  double FFlow = 0, FPower = 0;
};

// The friction factor of the last pipe: pipes in series of one size carry the same Reynolds
// number, and Colebrook's factor costs an iteration.
class TFrictionFactorMemo {
 public:
  template <typename Factor>
  double Of(double reynolds, double roughnessTerm, Factor factor) {
    if (!(reynolds == FReynolds && roughnessTerm == FRoughnessTerm)) {
      FReynolds = reynolds;
      FRoughnessTerm = roughnessTerm;
      FFactor = factor(reynolds, roughnessTerm);
    }
    return FFactor;
  }

 private:
  double FReynolds = -1, FRoughnessTerm = -1, FFactor = 0;
};

class THazenWilliamsLaw final : public TFrictionLaw {
 public:
  void Prepare(TPipe& pipe, const TLossConstants& c) const override {
    const double d = pipe.InsideDiameter;
    pipe.VelPressCoef = HazenVelPressCoef(c.Metric, d);
    pipe.FrictionCoef = HazenFrictionCoef(c.Metric, pipe.TotalLength, pipe.CFactor, d);
    pipe.RoughnessTerm = 0;
    PrepareReynolds(pipe, c);
  }
  void Evaluate(TPipe& pipe) const override {
    pipe.Reynolds = std::fabs(pipe.Flow) * pipe.ReynoldsCoef;
    EvaluateHazenWilliams(pipe, pipe.FrictionCoef, pipe.VelPressCoef, FPower.Of(std::fabs(pipe.Flow)));
  }

 private:
  mutable TFlowPower FPower;
};

// Darcy-Weisbach with the friction factor of one method; the factor is held constant in the
// derivative, which the Newton iteration tolerates well.
class TDarcyWeisbachLaw : public TFrictionLaw {
 public:
  void Prepare(TPipe& pipe, const TLossConstants& c) const override {
    const TLawUnits& u = UnitsOf(c.Metric);
    const double d = pipe.InsideDiameter;
    const double rho = DensityOf(c);
    pipe.VelPressCoef = rho * u.DensityVelPress / std::pow(d, 4);
    pipe.FrictionCoef = u.DarcyFriction * pipe.TotalLength * rho / std::pow(d, 5);
    pipe.RoughnessTerm = RoughnessTerm(pipe, u);
    PrepareReynolds(pipe, c);
  }
  void Evaluate(TPipe& pipe) const override {
    const double q = pipe.Flow;
    const double aq = std::fabs(q);
    SetVelocityPressure(pipe, pipe.VelPressCoef);
    pipe.Reynolds = aq * pipe.ReynoldsCoef;
    const auto factor = [this](double re, double t) { return Factor(re, t); };
    const double f = FFactor.Of(pipe.Reynolds, pipe.RoughnessTerm, factor);
    pipe.FrictionFactor = f;
    pipe.FrictionLoss = Sign(q) * (q * q * pipe.FrictionCoef * f + pipe.VelocityPressure * pipe.FittingK);
    pipe.LossSlope = aq * 2 * pipe.FrictionCoef * f + pipe.FittingK * pipe.VelPressSlope;
  }

 protected:
  virtual double RoughnessTerm(const TPipe& pipe, const TLawUnits& u) const {
    (void)u;
    return pipe.CFactor / (3.7 * pipe.InsideDiameter);
  }
  virtual double Factor(double reynolds, double roughnessTerm) const = 0;

 private:
  mutable TFrictionFactorMemo FFactor;
};

class TNfpa750Law final : public TDarcyWeisbachLaw {
 protected:
  // CFactor is a Hazen-Williams C here; the term carries it into the friction factor.
  double RoughnessTerm(const TPipe& pipe, const TLawUnits& u) const override {
    return u.Nfpa750Scale * std::pow(pipe.CFactor, -1.852) *
           std::pow(pipe.InsideDiameter / u.DiameterToLength, -0.0184);
  }
  double Factor(double re, double t) const override { return Nfpa750Factor(re, t); }
};

class TColebrookLaw final : public TDarcyWeisbachLaw {
 protected:
  double Factor(double re, double t) const override { return ColebrookFactor(re, t); }
};

class TSerghideLaw final : public TDarcyWeisbachLaw {
 protected:
  double Factor(double re, double t) const override { return SerghideFactor(re, t); }
};

// One fixed-point substitution of the Colebrook equation in y = 1 / sqrt(f).
double ColebrookStep(double y, double re, double t) { return -2 * std::log10(t + 2.51 * y / re); }
double ColebrookResidual(double y, double re, double t) {
  return std::fabs(1 + 2 * std::log10(t + 2.51 * y / re) / y);
}

// The substitution converges in a few rounds for any physical pipe; the cap only guards
// against a roughness term that is not a number.
constexpr int kMaxColebrookRounds = 200;

double ColebrookY(double re, double t) {
  double y = 10;
  for (int i = 0; i < 3; ++i) y = ColebrookStep(y, re, t);
  for (int round = 0; round < kMaxColebrookRounds && ColebrookResidual(y, re, t) > 0.00001; ++round) {
    y = ColebrookStep(y, re, t);
    y = ColebrookStep(y, re, t);
  }
  return y;
}

double SerghideTurbulent(double re, double t) {
  const double x = 1 / re;
  const double a = -2 * std::log10(t + 12 * x);
  const double b = -2 * std::log10(t + 2.51 * a * x);
  const double c = -2 * std::log10(t + 2.51 * b * x);
  const double y = a - (b - a) * (b - a) / (c - 2 * b + a);
  return 1 / (y * y);
}

double ColebrookTurbulent(double re, double t) {
  const double y = ColebrookY(re, t);
  return 1 / (y * y);
}

// Laminar below Re 2000, turbulent from 3500; in between a cubic that meets 64/Re and the
// turbulent curve with their slopes.
double DarcyFactor(double re, double t, double (*turbulent)(double, double)) {
  if (re <= 0) return 0;
  if (re < 2000) return 64 / re;
  if (re >= 3500) return turbulent(re, t);
  const double o = (re - 2000) / 1500;
  const double f1 = SerghideTurbulent(3500, t);
  const double f2 = SerghideTurbulent(3501, t);
  return (1 - o) * 0.032 + o * f1 +
         o * (1 - o) * ((1 - o) * (0.008 - f1) + o * (1501 * f1 - 1500 * f2 - 0.032));
}

}  // namespace

std::unique_ptr<TFrictionLaw> MakeFrictionLaw(int method) {
  switch (method) {
    case fmNfpa750: return std::make_unique<TNfpa750Law>();
    case fmColebrook: return std::make_unique<TColebrookLaw>();
    case fmSerghide: return std::make_unique<TSerghideLaw>();
    default: return std::make_unique<THazenWilliamsLaw>();
  }
}

double HazenFrictionCoef(bool metric, double totalLength, double cFactor, double diameter) {
  return UnitsOf(metric).HazenFriction * totalLength /
         (std::pow(cFactor, 1.85) * std::pow(diameter, 4.87));
}

double HazenVelPressCoef(bool metric, double diameter) {
  return UnitsOf(metric).HazenVelPress / std::pow(diameter, 4);
}

void EvaluateHazenWilliams(TPipe& pipe, double frictionCoef, double velPressCoef) {
  const double q = pipe.Flow;
  EvaluateHazenWilliams(pipe, frictionCoef, velPressCoef, q == 0 ? 0 : std::pow(std::fabs(q), 0.85));
}

void EvaluateHazenWilliams(TPipe& pipe, double frictionCoef, double velPressCoef, double flowPower) {
  const double q = pipe.Flow;
  SetVelocityPressure(pipe, velPressCoef);
  const double c = q == 0 ? 0 : frictionCoef * flowPower;
  const double fittingLoss = pipe.VelocityPressure * pipe.FittingK;  // takes the flow's direction
  pipe.FrictionLoss = (q > 0 ? fittingLoss : q < 0 ? -fittingLoss : 0 * fittingLoss) + c * q;
  pipe.LossSlope = std::fabs(1.85 * c) + pipe.FittingK * pipe.VelPressSlope;
}

double Nfpa750Factor(double reynolds, double roughnessTerm) {
  return reynolds > 0 ? roughnessTerm * std::pow(reynolds, -0.148) : 0;
}

double ColebrookFactor(double reynolds, double roughnessTerm) {
  return DarcyFactor(reynolds, roughnessTerm, ColebrookTurbulent);
}

double SerghideFactor(double reynolds, double roughnessTerm) {
  return DarcyFactor(reynolds, roughnessTerm, SerghideTurbulent);
}

double TurbulentFrictionFactor(double roughness, double diameter) {
  if (!(roughness > 0) || !(diameter > 0)) return 0;
  const double t = roughness / (3.7 * diameter);
  double re = 10000000;
  double y = 10;
  for (int round = 0; round < kMaxColebrookRounds; ++round) {
    y = ColebrookY(re, t);
    if (std::fabs(roughness * re / (200 * diameter) - y) <= 0.00001) break;
    re = 200 * diameter * y / roughness;
  }
  return 1 / (y * y);
}

double PipeVelocity(bool metric, double flow, double diameter) {
  return flow * UnitsOf(metric).Velocity / (diameter * diameter);
}

}  // namespace pelmora
