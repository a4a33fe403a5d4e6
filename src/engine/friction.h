// Pressure-loss laws of one pipe: coefficients prepared once, evaluation at the current flow.
#pragma once

#include <memory>

namespace pelmora {

class TPipe;

enum TFrictionMethod : int { fmHazenWilliams = 0, fmNfpa750 = 1, fmColebrook = 2, fmSerghide = 3 };

// Liquid and unit system a loss law needs to prepare a pipe (calculation units).
struct TLossConstants {
  bool Metric = false;
  double DensityUS = 62.34;  // lb/ft3
  double DensitySI = 998.8;  // kg/m3
  double Viscosity = 1.1;    // centipoise
};

class TFrictionLaw {
 public:
  virtual ~TFrictionLaw() = default;
  // Sets FrictionCoef, RoughnessTerm, ReynoldsCoef and VelPressCoef from the pipe's
  // InsideDiameter, TotalLength and CFactor.
  virtual void Prepare(TPipe& pipe, const TLossConstants& c) const = 0;
  // Sets VelocityPressure, VelPressSlope, Reynolds, FrictionFactor, FrictionLoss and
  // LossSlope at the pipe's Flow (devices are not part of the law).
  virtual void Evaluate(TPipe& pipe) const = 0;
};

std::unique_ptr<TFrictionLaw> MakeFrictionLaw(int method);

// Water constants of Hazen-Williams, also used for HazenPipe pipes of a Darcy-Weisbach project.
double HazenFrictionCoef(bool metric, double totalLength, double cFactor, double diameter);
double HazenVelPressCoef(bool metric, double diameter);
// Hazen-Williams loss and slope with the given coefficients; leaves Reynolds and FrictionFactor.
void EvaluateHazenWilliams(TPipe& pipe, double frictionCoef, double velPressCoef);
// The same with |Flow|^0.85 given.
void EvaluateHazenWilliams(TPipe& pipe, double frictionCoef, double velPressCoef, double flowPower);

// Darcy friction factors from the Reynolds number and the roughness term e / (3.7 d).
double Nfpa750Factor(double reynolds, double roughnessTerm);
double ColebrookFactor(double reynolds, double roughnessTerm);
double SerghideFactor(double reynolds, double roughnessTerm);

// Friction factor where the Colebrook curve meets complete turbulence (Re sqrt(f) e / D = 200);
// roughness and diameter in the same unit. 0 for a smooth pipe.
double TurbulentFrictionFactor(double roughness, double diameter);

// Mean velocity after solving: ft/s from gpm and in, or m/s from L/min and mm.
double PipeVelocity(bool metric, double flow, double diameter);

}  // namespace pelmora
