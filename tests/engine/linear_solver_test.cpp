#include <gtest/gtest.h>

#include <random>

#include <Eigen/Dense>

#include "engine/linear_solver.h"

namespace pelmora {
namespace {

// A symmetric positive definite matrix shaped like a Newton system: loops that meet only their
// neighbours (a band), then paths that meet every loop from a first one on and each other.
Eigen::MatrixXd NetworkLikeMatrix(int loops, int paths, int firstLoopOfPaths, unsigned seed) {
  const int n = loops + paths;
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> value(-1, 1);
  Eigen::MatrixXd a = Eigen::MatrixXd::Zero(n, n);
  for (int i = 0; i + 1 < loops; ++i) a(i, i + 1) = a(i + 1, i) = value(random);
  for (int p = loops; p < n; ++p)
    for (int j = firstLoopOfPaths; j < p; ++j) a(p, j) = a(j, p) = value(random);
  for (int i = 0; i < n; ++i) a(i, i) = n + value(random);  // diagonally dominant
  return a;
}

struct TShape {
  int Loops, Paths, FirstLoopOfPaths;
};

class CholeskyShapes : public ::testing::TestWithParam<TShape> {};

// Only the upper triangle is read; the zeros above each column's first non-zero are skipped, and
// the solution must still be the one of the whole matrix for both right sides.
TEST_P(CholeskyShapes, SolvesLikeTheFullDecomposition) {
  const TShape shape = GetParam();
  const Eigen::MatrixXd full = NetworkLikeMatrix(shape.Loops, shape.Paths, shape.FirstLoopOfPaths, 7);
  const int n = static_cast<int>(full.rows());
  Eigen::MatrixXd rhs = Eigen::MatrixXd::Random(n, 2);
  Eigen::MatrixXd upper = full.triangularView<Eigen::Upper>();
  Eigen::MatrixXd x = rhs;
  TCholeskySolver solver;
  ASSERT_TRUE(solver.Solve(upper, x));
  const Eigen::MatrixXd expected = full.llt().solve(rhs);
  EXPECT_LT((x - expected).norm(), 1e-12 * expected.norm());
}

INSTANTIATE_TEST_SUITE_P(Shapes, CholeskyShapes,
                         ::testing::Values(TShape{1, 0, 0}, TShape{0, 5, 0}, TShape{23, 20, 0}, TShape{23, 20, 15},
                                           TShape{40, 3, 39}, TShape{3, 60, 1}, TShape{20, 260, 0}));

TEST(Cholesky, NonPositivePivotFails) {
  Eigen::MatrixXd a(3, 3);
  a << 4, 2, 0,  //
      0, 1, 0,   //
      0, 0, 1;   // the second pivot is 1 - 2 * 2 / 4 = 0
  Eigen::MatrixXd b = Eigen::MatrixXd::Ones(3, 1);
  TCholeskySolver solver;
  EXPECT_FALSE(solver.Solve(a, b));
}

// The solver keeps its scratch between calls: a smaller system after a larger one.
TEST(Cholesky, ReusedForSystemsOfOtherSizes) {
  TCholeskySolver solver;
  for (const TShape shape : {TShape{23, 20, 0}, TShape{4, 2, 1}}) {
    const Eigen::MatrixXd full = NetworkLikeMatrix(shape.Loops, shape.Paths, shape.FirstLoopOfPaths, 3);
    Eigen::MatrixXd upper = full.triangularView<Eigen::Upper>();
    Eigen::MatrixXd x = Eigen::MatrixXd::Ones(full.rows(), 1);
    ASSERT_TRUE(solver.Solve(upper, x));
    EXPECT_LT((full * x - Eigen::MatrixXd::Ones(full.rows(), 1)).norm(), 1e-12);
  }
}

}  // namespace
}  // namespace pelmora
