#include "engine/linear_solver.h"

#include <algorithm>
#include <cmath>

namespace pelmora {

namespace {

constexpr double kTinyPivot = 1e-20;
constexpr Eigen::Index kBlockedFromRows = 256;

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

// Hundreds of rows (every head of a large system flowing) go to the library's blocked
// decomposition, whose matrix kernels win there; the tens of rows most Newton systems have are
// decomposed within their envelope.
bool TCholeskySolver::Solve(Eigen::MatrixXd& a, Eigen::MatrixXd& b) {
  if (a.rows() < kBlockedFromRows) return SolveWithinEnvelope(a, b);
  Eigen::LLT<Eigen::Ref<Eigen::MatrixXd>, Eigen::Upper> llt(a);
  if (llt.info() != Eigen::Success) return false;
  llt.solveInPlace(b);
  return true;
}

// Unblocked, one row of U after the other, each element a dot product of two contiguous columns.
// U keeps the envelope of the upper triangle (no element above a column's first non-zero fills
// in), so every product starts at the later of the two columns' first non-zeros: loops meet only
// their neighbours and the paths through them.
bool TCholeskySolver::SolveWithinEnvelope(Eigen::MatrixXd& a, Eigen::MatrixXd& b) {
  const Eigen::Index n = a.rows();
  FFirst.resize(n);
  for (Eigen::Index j = 0; j < n; ++j) {
    Eigen::Index first = 0;
    while (first < j && a(first, j) == 0) ++first;
    FFirst[j] = first;
  }
  auto column = [&](Eigen::Index j, Eigen::Index from, Eigen::Index to) { return a.col(j).segment(from, to - from); };
  for (Eigen::Index j = 0; j < n; ++j) {
    const double pivot = a(j, j) - column(j, FFirst[j], j).squaredNorm();
    if (pivot <= 0) return false;
    const double u = std::sqrt(pivot);
    a(j, j) = u;
    for (Eigen::Index i = j + 1; i < n; ++i) {
      if (FFirst[i] > j) continue;
      const Eigen::Index from = std::max(FFirst[i], FFirst[j]);
      a(j, i) = (a(j, i) - column(j, from, j).dot(column(i, from, j))) / u;
    }
  }
  for (Eigen::Index c = 0; c + 1 < b.cols(); c += 2) SubstitutePair(a, b.col(c).data(), b.col(c + 1).data());
  if (b.cols() % 2 == 1) {
    FSpare.assign(n, 0.0);
    SubstitutePair(a, b.col(b.cols() - 1).data(), FSpare.data());
  }
  return true;
}

// U^T U x = b for two right sides x and y at once: forward with U^T, then back with U, both along
// U's contiguous columns. Each sweep is a chain of dependent divisions; two chains side by side
// take little longer than one.
void TCholeskySolver::SubstitutePair(const Eigen::MatrixXd& u, double* x, double* y) const {
  const Eigen::Index n = u.rows();
  for (Eigen::Index j = 0; j < n; ++j) {
    const double* column = u.col(j).data();
    double sumX = 0, sumY = 0;
    for (Eigen::Index i = FFirst[j]; i < j; ++i) {
      sumX += column[i] * x[i];
      sumY += column[i] * y[i];
    }
    x[j] = (x[j] - sumX) / column[j];
    y[j] = (y[j] - sumY) / column[j];
  }
  for (Eigen::Index j = n - 1; j >= 0; --j) {
    const double* column = u.col(j).data();
    const double xj = x[j] /= column[j];
    const double yj = y[j] /= column[j];
    for (Eigen::Index i = FFirst[j]; i < j; ++i) {
      x[i] -= xj * column[i];
      y[i] -= yj * column[i];
    }
  }
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
