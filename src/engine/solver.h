// Newton-Raphson solution of the loop and path equations for one base node, pressure
// propagation and the node checks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <Eigen/Dense>

#include "engine/linear_solver.h"
#include "engine/slope_pattern.h"

namespace pelmora {

class TCalcEngine;
class TNode;
class TPipe;
class TLoop;
struct TEngineState;

// Text of error 1282 for the floating-point fault flags raised since they were last cleared.
std::string ArithmeticFaultText();

enum class TSolveOutcome {
  Accepted,   // the solution of this base node is accepted; results are complete
  Failed,     // try the next base node
  Stopped,    // no path: the calculation ends
  Cancelled,  // the user cancelled
};

class TNetworkSolver {
 public:
  TNetworkSolver(TCalcEngine& engine, TEngineState& state);
  TSolveOutcome SolveBaseNode(int32_t baseNode);

 private:
  // Values summed over the paths during an evaluation or an update.
  struct TTotals {
    int32_t HeadCount = 0, NodeCount = 0;
    double HeadFlow = 0, NodeFlow = 0, SourcePathFlow = 0;
    double Demand() const { return HeadFlow + NodeFlow; }
    // What the base node supplies: the demand less what the other sources deliver.
    double BaseDelivery() const { return Demand() + SourcePathFlow; }
  };
  enum class TStep { Converged, Continue, Fault, Singular };

  void InitialFlows();
  void BuildRunFlows();
  void SetRunFlow(size_t run);
  void UpdateLawGroups();
  void ShareLawResults();
  void FinishPipes();
  void SumRuns();
  double ColumnLoss(size_t column) const;
  void Evaluate();
  TStep NewtonStep();
  void AssembleResiduals();
  void AssembleJacobian();
  void AddVelocityCoupling();
  void AddPathDiagonals();
  void HoldShutSources();
  void BaseCoupling();
  double BoundedTerm(double term);  // notes a term of the Jacobian that is not finite or huge
  bool JacobianFinite() const;
  double Unbalance() const;
  bool SolveLinear();
  bool SolveSymmetric();
  void UpdateFlows();
  bool Iterate(bool& cancelled);
  bool CompleteResults();
  void PropagatePressures();
  bool CheckNodes();
  void StoreSummary();

  void NodeVelocityPressures();
  double PipeDrop(const TPipe& pipe) const;  // pressure fall from its from node to its to node
  double VelocityDrop(const TPipe& pipe) const;  // the node velocity pressures the pipe carries
  double SupplyAt(TNode& source, double flow) const;
  double RequiredAtBase(TLoop& path, double loss);

  TCalcEngine& FEngine;
  TEngineState& FState;
  TNode* FBase = nullptr;
  double FBasePressure = 0;
  double FUnbalance = 0;
  double FEquationTolerance = 0;
  bool FDamping = false;
  TTotals FTotals;
  Eigen::MatrixXd FJ;
  Eigen::MatrixXd FWork;  // copy that the Cholesky decomposition overwrites
  Eigen::VectorXd FF;
  Eigen::VectorXd FDx;
  Eigen::MatrixXd FRhs;    // right sides of the linear solve
  Eigen::VectorXd FU, FV;  // base-pressure coupling: rows that hold it, its derivative by row
  bool FCoupled = false;
  bool FTermsBounded = true;  // every term summed into the Jacobian is finite and below 1e300
  int32_t FGoverning = -1;  // demand calculation: the column of the path that sets the base pressure
  TSlopePattern FSlopePattern;
  TCholeskySolver FCholesky;
  TLuSolver FLu;
  std::vector<int32_t> FVelocityGiver;           // per node: pipe that gives its velocity pressure
  std::vector<double> FColumnFlows;              // flows of the loops, then of the paths
  std::vector<double> FRunFlows, FRunLoss, FRunSlope;  // per series run
  std::vector<double> FGroupSlopes;              // summed slope of each path group
  std::vector<int32_t> FShutRows;                // rows of sources that stay shut this step
};

}  // namespace pelmora
