// Dense solvers of the Newton step J dx = b: Cholesky for the symmetric case, LU otherwise.
#pragma once

#include <vector>

#include <Eigen/Dense>

namespace pelmora {

class TLinearSolver {
 public:
  virtual ~TLinearSolver() = default;
  // Solves a x = b for every column of b; b receives x. False when the method cannot solve
  // the system; a and b are then undefined.
  virtual bool Solve(Eigen::MatrixXd& a, Eigen::MatrixXd& b) = 0;
};

// Cholesky decomposition of the upper triangle; a non-positive pivot fails.
class TCholeskySolver final : public TLinearSolver {
 public:
  bool Solve(Eigen::MatrixXd& a, Eigen::MatrixXd& b) override;

 private:
  bool SolveWithinEnvelope(Eigen::MatrixXd& a, Eigen::MatrixXd& b);
  void SubstitutePair(const Eigen::MatrixXd& u, double* x, double* y) const;
  std::vector<Eigen::Index> FFirst;  // per column, the row of its first non-zero
  std::vector<double> FSpare;        // second right side when there is only one
};

// LU decomposition with partial pivoting scaled by each row's largest element; a row of zeros
// fails and a zero pivot is replaced by 1e-20.
class TLuSolver final : public TLinearSolver {
 public:
  bool Solve(Eigen::MatrixXd& a, Eigen::MatrixXd& b) override;

 private:
  Eigen::MatrixXd FWork;
};

// The textbook elimination behind TLuSolver, used when a pivot is exactly zero; a must be
// row-scaled already.
void SolveWithTinyPivots(Eigen::MatrixXd& a, Eigen::MatrixXd& b);

}  // namespace pelmora
