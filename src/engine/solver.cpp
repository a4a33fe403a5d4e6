#include "engine/solver.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

#include "engine/curves.h"
#include "engine/engine_state.h"
#include "engine/results.h"
#include "engine/topology.h"

namespace pelmora {

namespace {

constexpr double kWindowStart = 1e300;
constexpr double kMinDiagonal = 0.001;
constexpr double kDampingFactor = 0.25;
constexpr double kBoundedTerm = 1e300;
// The divergence windows end every iteration that stops improving; the cap only guards
// against an unbalance that keeps falling too slowly to ever reach the tolerance.
constexpr int32_t kMaxIterations = 10000;

int32_t Magnitude(int32_t signedPipe) { return std::abs(signedPipe); }
double SignOf(int32_t entry) { return entry > 0 ? 1.0 : -1.0; }
double Sign(double x) { return (x > 0) - (x < 0); }

double DeviceSlope(const TPipe& pipe) {
  double slope = 0;
  for (const TSpecial* device : pipe.Devices) slope += device->LastSlope;
  return slope;
}

// Takes the loss law's results from the pipe before, which has the same flow and coefficients.
void TakeLawResults(TPipe& pipe, const TPipe& before) {
  pipe.VelocityPressure = before.VelocityPressure;
  pipe.VelPressSlope = before.VelPressSlope;
  pipe.Reynolds = before.Reynolds;
  pipe.FrictionFactor = before.FrictionFactor;
  pipe.FrictionLoss = before.FrictionLoss;
  pipe.LossSlope = before.LossSlope;
}

bool HazenOverride(const TCalcEngine& e) { return e.FFrictionMethod != fmHazenWilliams && e.FHazenPipesUsed; }

// The loss law and the devices at the pipe's flow; a HazenPipe pipe of a Darcy-Weisbach project
// keeps the law's Reynolds number and friction factor but takes Hazen-Williams loss and slope.
void EvaluatePipe(const TFrictionLaw& law, TPipe& pipe, bool hazenOverride) {
  law.Evaluate(pipe);
  pipe.DeviceLoss = 0;
  if (!pipe.Devices.empty()) {
    for (TSpecial* device : pipe.Devices) pipe.DeviceLoss += CurvePressure(*device, pipe.Flow);
    pipe.LossSlope += DeviceSlope(pipe);
  }
  if (hazenOverride && pipe.HazenPipe) {
    EvaluateHazenWilliams(pipe, pipe.HazenFrictionCoef, pipe.HazenVelPressCoef);
    pipe.LossSlope += DeviceSlope(pipe);
  }
}

}  // namespace

std::string ArithmeticFaultText() {
  if (std::fetestexcept(FE_DIVBYZERO)) return "A Divide by Zero error occured during the calculation.";
  if (std::fetestexcept(FE_OVERFLOW)) return "An overflow error occured during the calculation.";
  return "An unknown mathmatics error occured during the calculation.";
}

TNetworkSolver::TNetworkSolver(TCalcEngine& e, TEngineState& s) : FEngine(e), FState(s) {}

TSolveOutcome TNetworkSolver::SolveBaseNode(int32_t baseNode) {
  TCalcEngine& e = FEngine;
  FBase = e.FNodes[baseNode];
  e.FBaseNode = FBase;
  FVelocityGiver.assign(e.FNodes.size(), 0);
  const int32_t errorsBefore = e.FErrorCount;
  if (!FindPaths(e, FState, baseNode, TPathMode::Flowing)) return TSolveOutcome::Stopped;
  // The pipe lists of the loops and paths come first: the initial pipe flows are built from them.
  SetupMatrix(e, FState);
  FSlopePattern.Build(FState, e.FUseVelocityPressure);
  InitialFlows();
  e.FIterations = 0;
  const size_t n = std::max<size_t>(20, e.FLoops.size() + e.FPaths.size());
  FEquationTolerance = e.FTolerance / static_cast<double>(n);
  FJ.resize(FState.RowCount, FState.RowCount);
  FF.resize(FState.RowCount);
  FDx.resize(FState.RowCount);
  FDamping = false;

  bool cancelled = false;
  const bool converged = Iterate(cancelled);
  FinishPipes();
  if (cancelled) return TSolveOutcome::Cancelled;

  const double tolerance = e.FTolerance;
  bool accepted = converged;
  if (!converged && std::isfinite(FUnbalance) && FUnbalance < 100 * e.FTolerance) {
    e.FTolerance = 100 * e.FTolerance;
    accepted = true;
  }
  // A base node that would take water in is no supply; the next candidate is tried.
  if (accepted && e.FSourceCalculation && FTotals.BaseDelivery() < -e.FTolerance) accepted = false;
  if (accepted) accepted = CompleteResults();
  const bool failed = !accepted || FUnbalance > e.FTolerance || e.FErrorCount != errorsBefore;
  e.FTolerance = tolerance;
  return failed ? TSolveOutcome::Failed : TSolveOutcome::Accepted;
}

// Heads start at their minimum flow (at least 1); the water sources share the demand equally.
void TNetworkSolver::InitialFlows() {
  TCalcEngine& e = FEngine;
  for (auto& loop : e.FLoops) loop->Flow = 0;
  double demand = 0;
  int sources = 1;
  for (auto& path : e.FPaths) {
    const TNode& end = *e.FNodes[path->EndNodeNumber];
    if (end.Kind == nkHead) path->Flow = end.MinFlow >= 1 ? end.MinFlow : 1;
    else if (end.Kind == nkNode) path->Flow = end.MinFlow;
    else ++sources;
    if (end.Kind != nkWater) demand += path->Flow;
  }
  const double share = -demand / sources;
  FBase->Flow = share;
  for (auto& path : e.FPaths)
    if (e.FNodes[path->EndNodeNumber]->Kind == nkWater) path->Flow = share;
  BuildRunFlows();
  UpdateLawGroups();
  const bool hazenOverride = HazenOverride(e);
  for (int32_t k : FState.IdlePipes) {
    TPipe& pipe = *e.FPipes[k];
    pipe.Flow = 0;
    EvaluatePipe(*FState.Law, pipe, hazenOverride);
  }
}

// A run's flow sums the flows of its loops and paths in their order.
void TNetworkSolver::BuildRunFlows() {
  TCalcEngine& e = FEngine;
  FColumnFlows.clear();
  for (const auto* list : {&e.FLoops, &e.FPaths})
    for (const auto& loop : *list) FColumnFlows.push_back(loop->Flow);
  FRunFlows.resize(FState.SeriesRuns.size());
  for (size_t r = 0; r < FState.SeriesRuns.size(); ++r) {
    double flow = 0;
    for (const TRowEntry& column : FState.PipeColumns[FState.SeriesRuns[r].FirstPipe])
      flow += column.Sign * FColumnFlows[column.Row];
    FRunFlows[r] = flow;
  }
}

void TNetworkSolver::SetRunFlow(size_t r) {
  const TSeriesRun& run = FState.SeriesRuns[r];
  for (int32_t k = run.FirstPipe; k <= run.LastPipe; ++k) FEngine.FPipes[k]->Flow = FRunFlows[r];
}

// During the iteration only the first pipe of each law group is evaluated; the others share its
// results.
void TNetworkSolver::UpdateLawGroups() {
  TCalcEngine& e = FEngine;
  const uint64_t start = CycleCount();
  const bool hazenOverride = HazenOverride(e);
  for (size_t r = 0; r < FState.SeriesRuns.size(); ++r) {
    const TSeriesRun& run = FState.SeriesRuns[r];
    for (int32_t g = run.FirstLawGroup; g < run.EndLawGroup; ++g) {
      TPipe& pipe = *e.FPipes[FState.LawGroups[g].FirstPipe];
      pipe.Flow = FRunFlows[r];
      EvaluatePipe(*FState.Law, pipe, hazenOverride);
    }
  }
  e.FCycles.UpdatePipes += CycleCount() - start;
}

// Every pipe of the runs takes its run's flow and its law group's results.
void TNetworkSolver::ShareLawResults() {
  TCalcEngine& e = FEngine;
  for (size_t r = 0; r < FState.SeriesRuns.size(); ++r) {
    SetRunFlow(r);
    const TSeriesRun& run = FState.SeriesRuns[r];
    for (int32_t g = run.FirstLawGroup; g < run.EndLawGroup; ++g) {
      const TLawGroup& group = FState.LawGroups[g];
      const TPipe& first = *e.FPipes[group.FirstPipe];
      for (int32_t k = group.FirstPipe + 1; k < group.FirstPipe + group.Count; ++k) TakeLawResults(*e.FPipes[k], first);
    }
  }
}

// The pipes take the flows and loss-law results the iteration kept per run and law group.
void TNetworkSolver::FinishPipes() {
  ShareLawResults();
  for (size_t k = 1; k < FEngine.FPipes.size(); ++k) {
    TPipe& pipe = *FEngine.FPipes[k];
    pipe.TotalLoss = pipe.FrictionLoss + pipe.DeviceLoss + pipe.ElevationLoss;
  }
}

// Loss and summed slope |dP/dQ| of every run: each law group counts once per pipe, and with
// velocity pressures the pipes that carry a node's velocity pressure add it.
void TNetworkSolver::SumRuns() {
  TCalcEngine& e = FEngine;
  const size_t runs = FState.SeriesRuns.size();
  FRunLoss.resize(runs);
  FRunSlope.resize(runs);
  FTermsBounded = true;
  for (size_t r = 0; r < runs; ++r) {
    const TSeriesRun& run = FState.SeriesRuns[r];
    double loss = 0, slope = 0;
    for (int32_t g = run.FirstLawGroup; g < run.EndLawGroup; ++g) {
      const TLawGroup& group = FState.LawGroups[g];
      const TPipe& pipe = *e.FPipes[group.FirstPipe];
      loss += group.Count * (pipe.FrictionLoss + pipe.DeviceLoss);
      slope += group.Count * std::fabs(pipe.LossSlope);
    }
    if (e.FUseVelocityPressure)
      for (int32_t k = run.FirstPipe; k <= run.LastPipe; ++k) loss += VelocityDrop(*e.FPipes[k]);
    FRunLoss[r] = loss;
    FRunSlope[r] = BoundedTerm(slope);
  }
}

double TNetworkSolver::ColumnLoss(size_t column) const {
  double loss = 0;
  for (const TRunEntry& entry : FState.ColumnRuns[column]) loss += entry.Sign * FRunLoss[entry.Run];
  return loss;
}

// A node's velocity pressure comes from the fastest pipe flowing into it, provided water also
// leaves through a pipe that does not carry the velocity into its own end.
void TNetworkSolver::NodeVelocityPressures() {
  TCalcEngine& e = FEngine;
  for (size_t i = 1; i < e.FNodes.size(); ++i) {
    TNode& node = *e.FNodes[i];
    int32_t giver = 0;
    bool outflow = false;
    double best = 0;
    if (node.PipeList.size() >= 2)
      for (int32_t entry : node.PipeList) {
        const TPipe& pipe = *e.FPipes[Magnitude(entry)];
        const bool leaving = entry > 0;
        if (leaving ? pipe.VelocityAtBegin : pipe.VelocityAtEnd) continue;
        const double outward = leaving ? pipe.Flow : -pipe.Flow;
        if (outward > 0) outflow = true;
        if (outward < 0 && (giver == 0 || pipe.VelocityPressure > best)) {
          giver = Magnitude(entry);
          best = pipe.VelocityPressure;
        }
      }
    if (!outflow) giver = 0;
    FVelocityGiver[i] = giver;
    node.VelocityPressure = giver != 0 ? best : 0;
  }
}

double TNetworkSolver::PipeDrop(const TPipe& pipe) const {
  double drop = pipe.TotalLoss;
  if (FEngine.FUseVelocityPressure) {
    if (pipe.VelocityAtBegin) drop += pipe.FromNode->VelocityPressure;
    if (pipe.VelocityAtEnd) drop -= pipe.ToNode->VelocityPressure;
  }
  return drop;
}

double TNetworkSolver::VelocityDrop(const TPipe& pipe) const {
  double drop = 0;
  if (pipe.VelocityAtBegin) drop += pipe.FromNode->VelocityPressure;
  if (pipe.VelocityAtEnd) drop -= pipe.ToNode->VelocityPressure;
  return drop;
}

double TNetworkSolver::SupplyAt(TNode& source, double flow) const {
  return source.Supply != nullptr ? CurvePressure(*source.Supply, flow) : 0;
}

// Pressure the path needs at the base node for its end node's flow and requirement.
double TNetworkSolver::RequiredAtBase(TLoop& path, double loss) {
  TCalcEngine& e = FEngine;
  TNode& end = *e.FNodes[path.EndNodeNumber];
  const double reach = loss + path.StaticTerm;
  switch (end.Kind) {
    case nkHead: {
      const double q = path.Flow / end.KFactor;
      return q * q + reach + (e.FUseVelocityPressure ? end.VelocityPressure : 0);
    }
    case nkNode: return reach + (end.MinPressure != kNotSet ? end.MinPressure : 0);
    case nkWater:
      if (!e.FSourceCalculation) return reach;
      return reach + (path.Flow > 0 ? SupplyAt(end, 0) : std::max(0.0, SupplyAt(end, -path.Flow)));
  }
  return reach;
}

void TNetworkSolver::Evaluate() {
  TCalcEngine& e = FEngine;
  if (e.FUseVelocityPressure) {
    ShareLawResults();
    NodeVelocityPressures();
  }
  SumRuns();
  size_t column = 0;
  for (auto& loop : e.FLoops) loop->Loss = ColumnLoss(column++);
  FTotals = TTotals{};
  FGoverning = -1;
  double demandBase = -1e300;
  for (auto& path : e.FPaths) {
    TNode& end = *e.FNodes[path->EndNodeNumber];
    path->Loss = ColumnLoss(column++);
    path->StaticTerm = end.ElevationPressure - FBase->ElevationPressure;
    path->Required = RequiredAtBase(*path, path->Loss);
    const double reach = path->Loss + path->StaticTerm;
    if (end.Kind == nkHead) {
      ++FTotals.HeadCount;
      FTotals.HeadFlow += path->Flow;
      const double need = reach + end.MinPressure + (e.FUseVelocityPressure ? end.VelocityPressure : 0);
      if (need > demandBase) {
        demandBase = need;
        FGoverning = static_cast<int32_t>(column - 1);
      }
    } else if (end.Kind == nkNode) {
      if (end.MinFlow != 0) ++FTotals.NodeCount;
      FTotals.NodeFlow += path->Flow;
      if (end.MinPressure != kNotSet && reach + end.MinPressure > demandBase) {
        demandBase = reach + end.MinPressure;
        FGoverning = static_cast<int32_t>(column - 1);
      }
    } else {
      FTotals.SourcePathFlow += path->Flow;
    }
  }
  if (e.FSourceCalculation) {
    const double delivery = std::max(0.0, FTotals.BaseDelivery());
    FBasePressure = std::max(0.0, SupplyAt(*FBase, delivery) - e.FSafetyMargin);
  } else {
    FBasePressure = demandBase > -1e300 ? demandBase : 0;
  }
}

void TNetworkSolver::AssembleResiduals() {
  TCalcEngine& e = FEngine;
  FShutRows.clear();
  for (auto& loop : e.FLoops) FF(loop->Equation) = loop->Loss;
  for (auto& path : e.FPaths) {
    if (path->Equation < 0) continue;
    double residual = path->Required - FBasePressure;
    if (e.FSourceCalculation && e.FNodes[path->EndNodeNumber]->Kind == nkWater) {
      residual -= e.FSafetyMargin;
      // A supply that stands below the system pressure stays shut, like behind its check
      // valve: its flow is held at zero and its equation no longer applies.
      if (path->Flow >= 0 && residual < 0) {
        residual = 0;
        FShutRows.push_back(path->Equation);
      }
    }
    FF(path->Equation) = residual;
  }
}

// d(loss of row i)/d(flow of row j) sums the slopes of the pipes both rows share, signed by
// whether they run the pipe the same way. Pipes in series add their summed slope once, and so do
// runs of a path group for the rows of their paths. Without velocity pressures only the upper
// triangle is needed.
void TNetworkSolver::AssembleJacobian() {
  FGroupSlopes.assign(FState.PathGroups.size(), 0.0);
  for (size_t r = 0; r < FState.SeriesRuns.size(); ++r) FGroupSlopes[FState.SeriesRuns[r].PathGroup] += FRunSlope[r];
  FSlopePattern.Apply(FRunSlope, FGroupSlopes, FJ);
  if (FEngine.FUseVelocityPressure) AddVelocityCoupling();
}

// A pipe that carries a node's velocity pressure into its loss depends on the flow of the pipe
// that gives it; the term is shared half and half between the two orders of each row pair.
void TNetworkSolver::AddVelocityCoupling() {
  TCalcEngine& e = FEngine;
  auto couple = [&](size_t k, int32_t nodeNumber, double sign) {
    const int32_t giver = FVelocityGiver[nodeNumber];
    if (giver == 0) return;
    const TPipe& g = *e.FPipes[giver];
    const double slope = sign * 0.5 * g.VelPressSlope * Sign(g.Flow);
    for (const TRowEntry& a : FState.PipeRows[k])
      for (const TRowEntry& b : FState.PipeRows[giver]) {
        const double v = a.Sign * b.Sign * slope;
        FJ(a.Row, b.Row) += v;
        FJ(b.Row, a.Row) += v;
      }
  };
  for (size_t k = 1; k < e.FPipes.size(); ++k) {
    const TPipe& pipe = *e.FPipes[k];
    if (pipe.VelocityAtBegin) couple(k, FState.FromNodeNumbers[k], 1);
    if (pipe.VelocityAtEnd) couple(k, FState.ToNodeNumbers[k], -1);
  }
}

void TNetworkSolver::AddPathDiagonals() {
  TCalcEngine& e = FEngine;
  for (auto& path : e.FPaths) {
    const int32_t r = path->Equation;
    if (r < 0) continue;
    TNode& end = *e.FNodes[path->EndNodeNumber];
    if (end.Kind == nkHead) {
      FJ(r, r) += BoundedTerm(2 * path->Flow / (end.KFactor * end.KFactor));
    } else if (end.Kind == nkWater) {
      if (e.FSourceCalculation) {
        SupplyAt(end, std::fabs(path->Flow));
        FJ(r, r) += BoundedTerm(std::fabs(end.Supply != nullptr ? end.Supply->LastSlope : 0));
      } else {
        FF(r) = 0;
      }
    }
  }
}

// A shut source's flow stays at zero: its row and column leave the Newton step.
void TNetworkSolver::HoldShutSources() {
  for (int32_t r : FShutRows) {
    const double diagonal = FJ(r, r);
    FJ.row(r).setZero();
    FJ.col(r).setZero();
    FJ(r, r) = diagonal;
  }
}

// Every path residual holds the base pressure, which itself follows the flows: the governing
// path's loss in a demand calculation, the base supply at the delivered flow in a source
// calculation. Its derivative is the rank-one term u v^T taken off the Jacobian; with it the
// iteration converges quadratically instead of creeping after the base pressure.
void TNetworkSolver::BaseCoupling() {
  TCalcEngine& e = FEngine;
  FU.setZero(FState.RowCount);
  FV.setZero(FState.RowCount);
  FCoupled = false;
  for (auto& path : e.FPaths) {
    const TNode& end = *e.FNodes[path->EndNodeNumber];
    if (path->Equation >= 0 && (end.Kind == nkHead || e.FSourceCalculation)) FU(path->Equation) = 1;
  }
  if (e.FSourceCalculation) {
    if (FBasePressure <= 0 || FTotals.BaseDelivery() <= 0) return;
    SupplyAt(*FBase, FTotals.BaseDelivery());
    const double slope = FBase->Supply != nullptr ? FBase->Supply->LastSlope : 0;
    for (auto& path : e.FPaths)
      if (path->Equation >= 0) FV(path->Equation) = slope;
  } else {
    if (FGoverning < 0) return;
    for (const TRunEntry& entry : FState.ColumnRuns[FGoverning]) {
      const double slope = entry.Sign * FRunSlope[entry.Run];
      for (const TRowEntry& row : FState.PipeRows[FState.SeriesRuns[entry.Run].FirstPipe]) FV(row.Row) += slope * row.Sign;
    }
  }
  for (int32_t r : FShutRows) FU(r) = FV(r) = 0;
  FCoupled = FV.any();
}

double TNetworkSolver::BoundedTerm(double term) {
  if (!(std::fabs(term) < kBoundedTerm)) FTermsBounded = false;
  return term;
}

// An element of the symmetric Jacobian sums at most one term per run, per path group and per
// path: when every term is below 1e300 none can overflow, and the test of every element is
// spared.
bool TNetworkSolver::JacobianFinite() const {
  if (FTermsBounded && !FEngine.FUseVelocityPressure) return true;
  return FJ.allFinite();
}

double TNetworkSolver::Unbalance() const {
  double unbalance = FF.size() > 0 ? FF.cwiseAbs().maxCoeff() : 0;
  if (FEngine.FSourceCalculation) {
    const double supply = SupplyAt(*FBase, std::max(0.0, FTotals.BaseDelivery()));
    unbalance = std::max(unbalance, std::fabs(FBasePressure + FEngine.FSafetyMargin - supply));
  }
  return unbalance;
}

bool TNetworkSolver::SolveLinear() {
  for (Eigen::Index r = 0; r < FJ.rows(); ++r)
    if (std::fabs(FJ(r, r)) < kMinDiagonal) FJ(r, r) = FJ(r, r) < 0 ? -kMinDiagonal : kMinDiagonal;
  if (!FEngine.FUseVelocityPressure && SolveSymmetric()) return true;
  if (!FEngine.FUseVelocityPressure)
    for (Eigen::Index c = 0; c < FJ.cols(); ++c)
      for (Eigen::Index r = c + 1; r < FJ.rows(); ++r) FJ(r, c) = FJ(c, r);
  if (FCoupled) FJ.noalias() -= FU * FV.transpose();
  FRhs = -FF;
  if (!FLu.Solve(FJ, FRhs)) return false;
  FDx = FRhs.col(0);
  return true;
}

// Cholesky of the symmetric part; the base-pressure term follows by Sherman-Morrison from a
// second right side with the same decomposition.
bool TNetworkSolver::SolveSymmetric() {
  FWork = FJ;
  FRhs.resize(FJ.rows(), FCoupled ? 2 : 1);
  FRhs.col(0) = -FF;
  if (FCoupled) FRhs.col(1) = FU;
  if (!FCholesky.Solve(FWork, FRhs)) return false;
  FDx = FRhs.col(0);
  if (FCoupled) {
    const double denominator = 1 - FV.dot(FRhs.col(1));
    if (std::fabs(denominator) > 1e-12) FDx += FRhs.col(1) * (FV.dot(FDx) / denominator);
  }
  return true;
}

void TNetworkSolver::UpdateFlows() {
  TCalcEngine& e = FEngine;
  const bool source = e.FSourceCalculation;
  for (auto& loop : e.FLoops) loop->Flow += FDx(loop->Equation);
  FTotals = TTotals{};
  for (auto& path : e.FPaths) {
    TNode& end = *e.FNodes[path->EndNodeNumber];
    const int32_t r = path->Equation;
    if (end.Kind == nkHead) {
      path->Flow = std::max(source ? 0.0 : end.MinFlow, path->Flow + FDx(r));
      FTotals.HeadFlow += path->Flow;
    } else if (end.Kind == nkWater) {
      if (source || path.get() != FState.MainSourcePath) path->Flow = std::min(0.0, path->Flow + FDx(r));
      FTotals.SourcePathFlow += path->Flow;
    } else {
      FTotals.NodeFlow += path->Flow;
    }
    end.Flow = path->Flow;
  }
  const double baseDelivery = FTotals.BaseDelivery();
  if (std::fabs(FBase->Flow + baseDelivery) > FEquationTolerance) FBase->Flow = -baseDelivery;
  BuildRunFlows();
  UpdateLawGroups();
}

TNetworkSolver::TStep TNetworkSolver::NewtonStep() {
  FJ.setZero();
  FF.setZero();
  AssembleResiduals();
  AssembleJacobian();
  AddPathDiagonals();
  HoldShutSources();
  BaseCoupling();
  FUnbalance = Unbalance();
  if (!std::isfinite(FUnbalance) || !JacobianFinite()) return TStep::Fault;
  if (FUnbalance <= FEquationTolerance) return TStep::Converged;
  if (!SolveLinear()) {
    FEngine.AddError(1280, "Newton-Raphson procedure failed to find a solution.", 0, -1);
    return TStep::Singular;
  }
  if (!FDx.allFinite()) return TStep::Fault;
  if (FDamping) FDx *= kDampingFactor;
  UpdateFlows();
  return TStep::Continue;
}

// Iterates until converged or diverged: the unbalances of each window of n iterations must
// sum to less than those of the window before. True when converged.
bool TNetworkSolver::Iterate(bool& cancelled) {
  TCalcEngine& e = FEngine;
  const int32_t window = std::max<int32_t>(20, static_cast<int32_t>(e.FLoops.size() + e.FPaths.size()));
  double previousWindow = kWindowStart;
  double currentWindow = 0;
  for (;;) {
    if (e.FMessagePump) e.FMessagePump();
    if (e.FCancel) {
      cancelled = true;
      return false;
    }
    ++e.FIterations;
    Evaluate();
    const TStep step = NewtonStep();
    if (step == TStep::Converged) return true;
    if (step != TStep::Continue) return false;
    currentWindow += FUnbalance;
    if (currentWindow >= previousWindow) {
      if (!e.FSourceCalculation || FDamping) return false;
      FDamping = true;
      previousWindow *= 10;
    }
    if (e.FIterations % window == 0) {
      previousWindow = currentWindow;
      currentWindow = 0;
    }
    if (e.FIterations >= kMaxIterations) return false;
  }
}

bool TNetworkSolver::CompleteResults() {
  TCalcEngine& e = FEngine;
  Evaluate();
  CompletePipeResults(e);
  PropagatePressures();
  StoreSummary();
  ComputeSupplyMargin(e, FState);
  return CheckNodes();
}

void TNetworkSolver::StoreSummary() {
  TCalcEngine& e = FEngine;
  e.FUnbalance = FUnbalance;
  e.FHeadCount = FTotals.HeadCount;
  e.FHeadFlow = FTotals.HeadFlow;
  e.FAvgHeadFlow = FTotals.HeadCount > 0 ? FTotals.HeadFlow / FTotals.HeadCount : 0;
  e.FNodeCount = FTotals.NodeCount;
  e.FNodeFlow = FTotals.NodeFlow;
  e.FDemandFlow = FTotals.Demand();
  e.FSourceFlow = FTotals.BaseDelivery();
}

// Depth first from the base node; a node reached a second time must agree with the pressure
// found before, which is the loop balance seen from the pressures.
void TNetworkSolver::PropagatePressures() {
  TCalcEngine& e = FEngine;
  for (size_t i = 1; i < e.FNodes.size(); ++i) e.FNodes[i]->Unsolved = true;
  FBase->Pressure = FBasePressure;
  FBase->Flow = -FTotals.BaseDelivery();
  FBase->Unsolved = false;
  std::vector<char> checked(e.FPipes.size(), 0);
  std::vector<std::pair<TNode*, size_t>> stack{{FBase, 0}};
  while (!stack.empty()) {
    auto& [node, next] = stack.back();
    if (next == node->PipeList.size()) {
      stack.pop_back();
      continue;
    }
    const int32_t entry = node->PipeList[next++];
    const TPipe& pipe = *e.FPipes[Magnitude(entry)];
    TNode* other = entry > 0 ? pipe.ToNode : pipe.FromNode;
    const double pressure = node->Pressure - SignOf(entry) * PipeDrop(pipe);
    if (other->Unsolved) {
      other->Pressure = pressure;
      other->Flow = 0;
      other->Unsolved = false;
      checked[Magnitude(entry)] = 1;
      stack.push_back({other, 0});
    } else if (!checked[Magnitude(entry)]) {
      checked[Magnitude(entry)] = 1;
      if (std::fabs(other->Pressure - pressure) > e.FTolerance)
        e.AddError(1026, "Pressure difference across pipe " + pipe.Name + " did not converge.", 0, -1);
    }
  }
}

bool TNetworkSolver::CheckNodes() {
  TCalcEngine& e = FEngine;
  bool ok = true;
  e.FMinHeadFlow = 1e300;
  e.FMaxHeadFlow = -1e300;
  for (auto& path : e.FPaths) {
    TNode& end = *e.FNodes[path->EndNodeNumber];
    end.Flow = path->Flow;
    if (end.Kind == nkHead) {
      e.FMinHeadFlow = std::min(e.FMinHeadFlow, end.Flow);
      e.FMaxHeadFlow = std::max(e.FMaxHeadFlow, end.Flow);
      const double q = end.Flow / end.KFactor;
      const double normal = end.Pressure - (e.FUseVelocityPressure ? end.VelocityPressure : 0);
      if (std::fabs(q * q - normal) > e.FTolerance) {
        e.AddError(1026, "Pressure at node " + end.Name + " did not converge. Calculations are wrong.", 0, end.Line);
        ok = false;
      }
    } else if (end.Kind == nkWater && &end != e.FInputNode && e.FSourceCalculation) {
      end.Pressure = SupplyAt(end, -end.Flow) - e.FSafetyMargin;
      if (end.Flow == 0)
        e.AddWarning(2305, "Water source at node " + end.Name + " is not flowing due to insufficient pressure.", 0, -1);
    }
  }
  return ok;
}

}  // namespace pelmora
