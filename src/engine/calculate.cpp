#include <cfenv>
#include <cmath>
#include <exception>

#include "engine/engine_state.h"
#include "engine/grid.h"
#include "engine/results.h"
#include "engine/solver.h"
#include "engine/topology.h"

namespace pelmora {

namespace {

constexpr double kFailedPass = 100000000;

bool AllFinite(const TCalcEngine& e) {
  for (size_t k = 1; k < e.FPipes.size(); ++k) {
    const TPipe& p = *e.FPipes[k];
    for (double x : {p.Flow, p.Velocity, p.VelocityPressure, p.FrictionLoss, p.DeviceLoss, p.TotalLoss})
      if (!std::isfinite(x)) return false;
  }
  for (size_t i = 1; i < e.FNodes.size(); ++i)
    if (!std::isfinite(e.FNodes[i]->Pressure) || !std::isfinite(e.FNodes[i]->Flow)) return false;
  for (double x : {e.FSourceFlow, e.FRequiredPressure, e.FSupplyPressure, e.FMargin})
    if (!std::isfinite(x)) return false;
  return true;
}

bool CheckTopology(TCalcEngine& e, TEngineState& s) {
  if (!FindNeighbors(e) || !SplitSystem(e, s)) return false;
  FindLoops(e, s);
  return true;
}

}  // namespace

// Solves with each base node candidate in turn until one gives an accepted solution.
bool TCalcEngine::SolvePass(bool& cancelled, bool& stopped) {
  TEngineState& s = *FImpl;
  TNetworkSolver solver(*this, s);
  for (int32_t base : s.SourceNodes) {
    switch (solver.SolveBaseNode(base)) {
      case TSolveOutcome::Accepted: return true;
      case TSolveOutcome::Cancelled: cancelled = true; return false;
      case TSolveOutcome::Stopped: stopped = true; return false;
      case TSolveOutcome::Failed: break;
    }
  }
  return false;
}

bool TCalcEngine::Calculate() {
  TEngineState& s = *FImpl;
  const uint64_t start = CycleCount();
  FCalcOK = FCalcDone = false;
  FCycles = TStepCycles{};
  std::feclearexcept(FE_ALL_EXCEPT);
  bool solved = false, accepted = false, cancelled = false, fault = false;
  const TUnitSet inputUnits = FInputUnits;
  try {
    if (PrepareModel() && CheckTopology(*this, s)) {
      FCycles.PreparationEnd = CycleCount();
      s.SourceNodes = BaseNodeCandidates(*this);
      if (FErrorCount == 0) {
        ComputeStaticPressure(*this, s);
        solved = true;
        double criterion = 0;
        bool firstPass = true;
        while (FGrid->SearchStep(criterion)) {
          if (!firstPass) ClearErrors();
          firstPass = false;
          bool stopped = false;
          accepted = SolvePass(cancelled, stopped);
          if (cancelled) break;
          if (stopped) {
            solved = false;
            break;
          }
          criterion = !accepted ? kFailedPass : FSourceCalculation ? FDemandFlow : FMargin;
          if (accepted && FFavourable) criterion = -criterion;
        }
        if (accepted && !AllFinite(*this)) {
          accepted = false;
          fault = true;
          AddError(1282, ArithmeticFaultText(), 0, -1);
        }
      }
    }
  } catch (const std::exception&) {
    fault = true;
    accepted = false;
    AddError(1282, "An unknown mathmatics error occured during the calculation.", 0, -1);
  }
  FCycles.Calculate = CycleCount() - start;
  if (!cancelled) FinishCalculation(solved && !fault, accepted);
  if (s.Converted) ConvertUnits(FCalcUnits, inputUnits);
  s.Converted = false;
  FCalcUnits = inputUnits;
  if (FCalcOK && FSourceCalculation) ReportShortfalls(*this);
  return FCalcOK;
}

void TCalcEngine::FinishCalculation(bool solved, bool accepted) {
  if (solved && !accepted) ReportNoSolution(*this);
  if (accepted) {
    FCalcOK = true;
    CheckDevices(*this);
    if (!CheckFlowBalance(*this)) FCalcOK = false;
  }
  FCalcDone = true;
  if (solved) ComputeRiserValues(*this);
  SortPipes(1);
  SortNodes(1);
}

}  // namespace pelmora
