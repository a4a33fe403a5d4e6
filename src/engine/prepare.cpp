#include "engine/prepare.h"

#include <cmath>

#include "engine/curves.h"
#include "engine/engine_state.h"

namespace pelmora {

namespace {

constexpr double kPsiPerBar = 14.5037738;

TLossConstants LossConstantsOf(const TCalcEngine& e) {
  return {e.FMetric, e.FLiquid.DensityUS, e.FLiquid.DensitySI, e.FLiquid.Viscosity};
}

double VelPressDensityOf(const TCalcEngine& e) {
  return e.FMetric ? e.FLiquid.DensitySI * 0.002248 : e.FLiquid.DensityUS * 0.000018;
}

// Hazen-Williams is a water formula: its gravity constant ignores the liquid.
double ElevationFactorOf(const TCalcEngine& e) {
  if (e.FFrictionMethod != fmHazenWilliams)
    return e.FMetric ? e.FLiquid.DensitySI * 0.0000980665 : e.FLiquid.DensityUS / 144;
  if (e.FMetric) return 0.098;
  return e.FGravity434 ? 0.434 : 0.433;
}

struct TNodeCounts {
  int Heads = 0;
  int Sources = 0;
  bool Failed = false;
};

TNodeCounts InitNodes(TCalcEngine& e, double elevationFactor) {
  TNodeCounts counts;
  for (size_t i = 1; i < e.FNodes.size(); ++i) {
    TNode& node = *e.FNodes[i];
    node.Unsolved = true;
    node.ElevationPressure = node.Elevation * elevationFactor;
    node.PipeList.clear();
    if (node.Kind == nkHead) {
      ++counts.Heads;
      if (node.KFactor > 0) {
        node.MinPressure = std::max(node.MinPressure, node.MinFlow * node.MinFlow / (node.KFactor * node.KFactor));
      } else {
        e.AddError(515, "Sprinkler head at node " + node.Name + " requires a valid K-Factor.", 0, node.Line);
        counts.Failed = true;
      }
    } else if (node.Kind == nkWater) {
      ++counts.Sources;
      if (e.FInputNode == nullptr) e.FInputNode = &node;
      node.MinPressure = 0;
    }
  }
  return counts;
}

// A pipe without an inside diameter (or a Hazen-Williams pipe without a C-factor) would divide
// by zero in its loss coefficients.
bool HasLossGeometry(const TPipe& pipe, bool hazen) {
  return pipe.InsideDiameter > 0 && (!hazen || pipe.CFactor > 0);
}

void ResetPipeResults(TPipe& pipe) {
  pipe.Flow = pipe.FrictionLoss = pipe.VelocityPressure = pipe.VelPressSlope = 0;
  pipe.TotalLoss = pipe.Velocity = pipe.LossSlope = 0;
  pipe.Reynolds = pipe.FrictionFactor = 0;
  pipe.ElevationLoss = pipe.ToNode->ElevationPressure - pipe.FromNode->ElevationPressure;
  pipe.DeviceLoss = 0;
  for (TSpecial* device : pipe.Devices) pipe.DeviceLoss += CurvePressure(*device, 0);
}

bool PreparePipeCoefficients(TCalcEngine& e, TEngineState& s, TPipe& pipe) {
  pipe.FrictionCoef = pipe.RoughnessTerm = pipe.ReynoldsCoef = pipe.VelPressCoef = 0;
  pipe.HazenFrictionCoef = pipe.HazenVelPressCoef = 0;
  if (pipe.NoFriction) return true;
  const bool darcy = e.FFrictionMethod != fmHazenWilliams;
  const bool hazen = !darcy || pipe.HazenPipe;
  if (!HasLossGeometry(pipe, hazen) || (e.FFrictionMethod == fmNfpa750 && !(pipe.CFactor > 0))) {
    e.AddError(1282, "A Divide by Zero error occured during the calculation.", 0, pipe.Line);
    return false;
  }
  s.Law->Prepare(pipe, s.Constants);
  if (darcy && pipe.HazenPipe) {
    pipe.HazenFrictionCoef = HazenFrictionCoef(e.FMetric, pipe.TotalLength, pipe.CFactor, pipe.InsideDiameter);
    pipe.HazenVelPressCoef = HazenVelPressCoef(e.FMetric, pipe.InsideDiameter);
  }
  return true;
}

// Fitting lengths and K coefficients of one pipe, in input units as the database gives them.
void PreparePipeFittings(const TCalcEngine& e, TPipe& pipe) {
  const TMaterials& db = e.FMaterials != nullptr ? *e.FMaterials : Materials();
  pipe.FittingLength = pipe.FittingK = 0;
  pipe.FittingLengths.assign(pipe.Fittings.size(), 0);
  pipe.FittingKs.assign(pipe.Fittings.size(), 0);
  for (size_t f = 0; f < pipe.Fittings.size(); ++f) {
    const double value = db.FittingLoss(pipe.Fittings[f], pipe.Material, e.FInputUnits.Length, e.FInputUnits.Size,
                                        pipe.CFactor, pipe.NominalSize);
    if (value >= 0) {
      pipe.FittingLengths[f] = value;
      pipe.FittingLength += value;
    } else {
      pipe.FittingKs[f] = -value;
      pipe.FittingK += -value;
    }
  }
  pipe.TotalLength = pipe.Length + pipe.FittingLength;
}

}  // namespace

void PrepareFittings(TCalcEngine& e) {
  for (size_t i = 1; i < e.FPipes.size(); ++i) PreparePipeFittings(e, *e.FPipes[i]);
}

bool InitNodesAndPipes(TCalcEngine& e, TEngineState& s) {
  e.FBaseNode = e.FInputNode = nullptr;
  s.Constants = LossConstantsOf(e);
  s.VelPressDensity = VelPressDensityOf(e);
  s.ElevationFactor = ElevationFactorOf(e);
  bool ok = true;
  TNodeCounts counts;
  if (s.ElevationFactor <= 0) {
    e.AddError(776,
               "Liquid density is required for calculations using the Darcy-Weisbach equation. Select menu "
               "item 'Tools->Materials->Liquids'.",
               0, 0);
    ok = false;
  } else {
    counts = InitNodes(e, s.ElevationFactor);
    ok = !counts.Failed;
  }
  if (counts.Heads == 0)
    for (size_t i = 1; i < e.FNodes.size(); ++i)
      if (e.FNodes[i]->Kind == nkNode && e.FNodes[i]->MinPressure < 0) e.FNodes[i]->MinPressure = 0;
  if (counts.Sources == 0) {
    e.AddError(768, "Input node not found.", 0, -1);
    ok = false;
  }
  if (counts.Sources >= 2) e.FSourceCalculation = true;
  s.Marks.assign(e.FPipes.size(), TPipeMark{});
  if (!ok) return false;

  e.FHazenPipesUsed = false;
  for (size_t i = 1; i < e.FPipes.size(); ++i) {
    TPipe& pipe = *e.FPipes[i];
    if (pipe.FromNode == nullptr || pipe.ToNode == nullptr) {
      e.AddError(774, "Pipe " + pipe.Name + " not connected to system.", 0, pipe.Line);
      ok = false;
      continue;
    }
    if (pipe.HazenPipe) e.FHazenPipesUsed = true;
    ResetPipeResults(pipe);
    ok = PreparePipeCoefficients(e, s, pipe) && ok;
  }
  return ok;
}

bool PrepareAddedPipes(TCalcEngine& e, TEngineState& s, const std::vector<TPipe*>& pipes) {
  bool ok = true;
  for (TPipe* pipe : pipes) {
    ConvertPipeUnits(*pipe, e.FCalcUnits, e.FInputUnits, e.FFrictionMethod);
    PreparePipeFittings(e, *pipe);
    ConvertPipeUnits(*pipe, e.FInputUnits, e.FCalcUnits, e.FFrictionMethod);
    for (TNode* node : {pipe->FromNode, pipe->ToNode}) {
      node->Unsolved = true;
      node->ElevationPressure = node->Elevation * s.ElevationFactor;
    }
    if (pipe->HazenPipe) e.FHazenPipesUsed = true;
    ResetPipeResults(*pipe);
    ok = PreparePipeCoefficients(e, s, *pipe) && ok;
  }
  s.Marks.assign(e.FPipes.size(), TPipeMark{});
  return ok;
}

// Preparation and input checks; the model is in calculation units afterwards.
bool TCalcEngine::PrepareModel() {
  TEngineState& s = *FImpl;
  const uint64_t start = CycleCount();
  PrepareFittings(*this);
  SetUnits(FInputUnits);
  ConvertUnits(FInputUnits, FCalcUnits);
  s.Converted = true;
  if (FMetric) FTolerance /= kPsiPerBar;
  s.Law = MakeFrictionLaw(FFrictionMethod);
  const bool ok = InitNodesAndPipes(*this, s);
  FCycles.Setup = CycleCount() - start;
  return ok;
}

}  // namespace pelmora
