#include "engine/calc_engine.h"
#include "engine/friction.h"
#include "engine/prepare.h"

namespace pelmora {

namespace {

// Converts values of one quantity between the two unit sets.
struct TConverter {
  const TUnitSet& From;
  const TUnitSet& To;

  void Length(double& x) const { x = ConvertLength(x, From.Length, To.Length); }
  void Diameter(double& x) const { x = ConvertLength(x, From.Size, To.Size); }
  void Elevation(double& x) const { x = ConvertLength(x, From.Elevation, To.Elevation); }
  void Pressure(double& x) const { x = ConvertPressure(x, From.Pressure, To.Pressure); }
  void Flow(double& x) const { x = ConvertFlow(x, From.Flow, To.Flow); }
  void K(double& x) const { x = ConvertK(x, From.KFactor, To.KFactor); }
  // A size outside the nominal table keeps its value by plain length conversion.
  void NominalSize(double& x) const {
    const double size = ConvertSize(x, From.Size, To.Size);
    x = size != -1 || x == -1 ? size : ConvertLength(x, From.Size, To.Size);
  }
  template <typename... Fields>
  void Pressures(Fields&... fields) const { (Pressure(fields), ...); }
  template <typename... Fields>
  void Flows(Fields&... fields) const { (Flow(fields), ...); }
};

}  // namespace

void ConvertPipeUnits(TPipe& p, const TUnitSet& from, const TUnitSet& to, int frictionMethod) {
  const TConverter c{from, to};
  c.Length(p.Length);
  for (double& length : p.FittingLengths) c.Length(length);
  c.Length(p.FittingLength);
  c.Length(p.TotalLength);
  c.NominalSize(p.NominalSize);
  c.Diameter(p.InsideDiameter);
  // An absolute roughness is a length in the size unit; a C-factor has no unit.
  const bool roughness = frictionMethod == fmColebrook || frictionMethod == fmSerghide;
  if (roughness && !p.HazenPipe) c.Diameter(p.CFactor);
  c.Flow(p.Flow);
  c.Length(p.Velocity);
  c.Pressures(p.VelocityPressure, p.FrictionLoss, p.ElevationLoss, p.TotalLoss, p.DeviceLoss);
}

void TCalcEngine::ConvertUnits(const TUnitSet& from, const TUnitSet& to) {
  if (from == to) return;  // every conversion within one unit is the identity
  const TConverter c{from, to};
  for (size_t k = 1; k < FPipes.size(); ++k) ConvertPipeUnits(*FPipes[k], from, to, FFrictionMethod);
  for (size_t i = 1; i < FNodes.size(); ++i) {
    TNode& n = *FNodes[i];
    c.Elevation(n.Elevation);
    c.Pressures(n.Pressure, n.VelocityPressure, n.ElevationPressure, n.MinPressure);
    c.Flows(n.Flow, n.MinFlow);
    c.K(n.KFactor);
  }
  for (const auto& special : FSpecials) {
    c.Pressure(special->LastPressure);
    for (double& flow : special->Flows) c.Flow(flow);
    for (double& pressure : special->Pressures) c.Pressure(pressure);
  }
  for (const auto* list : {&FLoops, &FPaths})
    for (const auto& loop : *list) {
      c.Flow(loop->Flow);
      c.Pressures(loop->Loss, loop->StaticTerm, loop->Required);
    }
  c.Pressures(FRequiredPressure, FSupplyPressure, FMargin, FUnbalance, FStaticPressure, FRiserPressure,
              FSafetyMargin);
  c.Flows(FSourceFlow, FDemandFlow, FHeadFlow, FMinHeadFlow, FMaxHeadFlow, FAvgHeadFlow, FNodeFlow, FRiserFlow);
  c.Length(FMaxVelocity);
}

}  // namespace pelmora
