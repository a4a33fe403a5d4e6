#include <cfenv>
#include <cmath>
#include <exception>
#include <vector>

#include "engine/engine_state.h"
#include "engine/grid.h"
#include "engine/prepare.h"
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
  NumberPipeEnds(e, s);
  return true;
}

// The drops the remote-area search has placed: each joined the model in calculation units.
std::vector<TPipe*> PlacedDrops(const TCalcGrid& grid) {
  std::vector<TPipe*> drops;
  const auto& table = grid.HeadPositions();
  for (size_t line = 0; line < table.size(); ++line)
    for (size_t head = 0; head < table[line].size(); ++head)
      if (TPipe* drop = grid.DropAt(static_cast<int>(line), static_cast<int>(head))) drops.push_back(drop);
  return drops;
}

// A search step that added or deleted drops and heads leaves neighbours, loops and the pipe
// and node numbers stale: the new drops are prepared and the topology is found again. The rest
// of the model keeps its preparation (and the tolerance its unit conversion).
bool PrepareChangedModel(TCalcEngine& e, TEngineState& s) {
  const int errors = e.FErrorCount;
  if (!PrepareAddedPipes(e, s, PlacedDrops(*e.FGrid)) || !CheckTopology(e, s)) return false;
  s.SourceNodes = BaseNodeCandidates(e);
  return e.FErrorCount == errors;
}

}  // namespace

// Solves with each base node candidate in turn until one gives an accepted solution.
bool TCalcEngine::SolvePass(bool& cancelled, bool& stopped) {
  TEngineState& s = *FImpl;
  // One solver serves every pass: its matrices keep their storage from one remote-area position
  // to the next.
  if (!s.Solver) s.Solver = std::make_unique<TNetworkSolver>(*this, s);
  for (int32_t base : s.SourceNodes) {
    switch (s.Solver->SolveBaseNode(base)) {
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
        bool another = FGrid->SearchStep(criterion);
        while (another) {
          if (!firstPass) ClearErrors();
          firstPass = false;
          bool stopped = false;
          const bool ready = !FGrid->ModelChanged() || PrepareChangedModel(*this, s);
          accepted = ready && SolvePass(cancelled, stopped);
          if (cancelled) break;
          if (stopped) {
            solved = false;
            break;
          }
          criterion = !accepted ? kFailedPass : FSourceCalculation ? FDemandFlow : FMargin;
          if (accepted && FFavourable) criterion = -criterion;
          another = FGrid->SearchStep(criterion);
        }
        // A search that found no position puts the areas back where they were entered.
        if (!another && FGrid->ModelChanged()) PrepareChangedModel(*this, s);
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
