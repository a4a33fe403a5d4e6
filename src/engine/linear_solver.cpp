#include "engine/linear_solver.h"

#include <cmath>

namespace pelmora {

namespace {

constexpr double kTinyPivot = 1e-20;

// Divides each row (and its right side) by its largest magnitude; false for a row of zeros.
bool ScaleRows(Eigen::MatrixXd& a, Eigen::MatrixXd& b) {
  for (Eigen::Index i = 0; i < a.rows(); ++i) {
    const double big = a.row(i).cwiseAbs().maxCoeff();
    if (big == 0) return false;
    a.row(i) /= big;
    b.row(i) /= big;
  }
  return true;
}

}  // namespace

bool TCholeskySolver::Solve(Eigen::MatrixXd& a, Eigen::MatrixXd& b) {
  Eigen::LLT<Eigen::Ref<Eigen::MatrixXd>, Eigen::Upper> llt(a);
  if (llt.info() != Eigen::Success) return false;
  llt.solveInPlace(b);
  return true;
}

bool TLuSolver::Solve(Eigen::MatrixXd& a, Eigen::MatrixXd& b) {
  if (!ScaleRows(a, b)) return false;
  FWork = a;
  Eigen::PartialPivLU<Eigen::Ref<Eigen::MatrixXd>> lu(FWork);
  if ((FWork.diagonal().array() == 0).any()) {
    SolveWithTinyPivots(a, b);
    return true;
  }
  b = lu.solve(b);
  return true;
}

void SolveWithTinyPivots(Eigen::MatrixXd& a, Eigen::MatrixXd& b) {
  const Eigen::Index n = a.rows();
  for (Eigen::Index k = 0; k < n; ++k) {
    Eigen::Index pivot;
    a.col(k).tail(n - k).cwiseAbs().maxCoeff(&pivot);
    pivot += k;
    if (pivot != k) {
      a.row(k).swap(a.row(pivot));
      b.row(k).swap(b.row(pivot));
    }
    if (a(k, k) == 0) a(k, k) = kTinyPivot;
    for (Eigen::Index i = k + 1; i < n; ++i) {
      const double factor = a(i, k) / a(k, k);
      if (factor == 0) continue;
      a.row(i).tail(n - k - 1) -= factor * a.row(k).tail(n - k - 1);
      b.row(i) -= factor * b.row(k);
    }
  }
  for (Eigen::Index i = n - 1; i >= 0; --i)
    b.row(i) = (b.row(i) - a.row(i).tail(n - i - 1) * b.bottomRows(n - i - 1)) / a(i, i);
}

}  // namespace pelmora
