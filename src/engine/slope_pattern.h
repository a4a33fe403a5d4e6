// Where the summed slopes of the pipes in series land in the Newton matrix.
#pragma once

#include <cstdint>
#include <vector>

#include <Eigen/Dense>

namespace pelmora {

struct TEngineState;
struct TRowEntry;

// Found once per base node and remote-area position, applied at every iteration: each run adds
// its slope to the elements of its loop rows, each path group to those of its path rows, with
// the sign of whether the two rows run the pipes the same way.
class TSlopePattern {
 public:
  // full: both triangles (velocity pressures make the matrix unsymmetric), else the upper one.
  void Build(const TEngineState& state, bool full);
  // Slopes per series run and per path group (the sum of its runs' slopes).
  void Apply(const std::vector<double>& runSlopes, const std::vector<double>& groupSlopes, Eigen::MatrixXd& j) const;

 private:
  struct TSpan {
    int32_t Begin, Middle, End;
  };
  struct TRowRange {
    const TRowEntry* First;
    const TRowEntry* End;
  };
  void AddElement(int32_t row, int32_t column, bool negative);
  void AddPairs(double* elements, const TRowRange& rows, double slope) const;

  int32_t FRows = 0;
  bool FFull = false;
  // A run meets few loops, so the elements of its loop rows are listed: column-major offsets,
  // [Begin, Middle) taking the slope, [Middle, End) taking it off.
  std::vector<Eigen::Index> FOffsets;
  std::vector<Eigen::Index> FPositive, FNegative;  // scratch of one run
  std::vector<TSpan> FRunSpans;
  // A group's paths can be hundreds (every head of a large system flowing): its pairs of rows are
  // formed as they are applied, from the path rows of its first run (the state's lists, unchanged
  // until the next SetupMatrix).
  std::vector<TRowRange> FGroupRows;
};

}  // namespace pelmora
