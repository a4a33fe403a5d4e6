#include "engine/slope_pattern.h"

#include "engine/engine_state.h"

namespace pelmora {

void TSlopePattern::Build(const TEngineState& s, bool full) {
  FRows = s.RowCount;
  FFull = full;
  FOffsets.clear();
  FRunSpans.clear();
  for (const TSeriesRun& run : s.SeriesRuns) {
    const std::vector<TRowEntry>& rows = s.PipeRows[run.FirstPipe];
    FPositive.clear();
    FNegative.clear();
    for (auto a = rows.begin(); a != rows.begin() + run.LoopRows; ++a) {
      AddElement(a->Row, a->Row, false);
      for (auto b = a + 1; b != rows.end(); ++b) {
        const bool negative = a->Sign != b->Sign;
        AddElement(a->Row, b->Row, negative);
        if (FFull) AddElement(b->Row, a->Row, negative);
      }
    }
    TSpan span;
    span.Begin = static_cast<int32_t>(FOffsets.size());
    FOffsets.insert(FOffsets.end(), FPositive.begin(), FPositive.end());
    span.Middle = static_cast<int32_t>(FOffsets.size());
    FOffsets.insert(FOffsets.end(), FNegative.begin(), FNegative.end());
    span.End = static_cast<int32_t>(FOffsets.size());
    FRunSpans.push_back(span);
  }
  FGroupRows.clear();
  for (int32_t first : s.PathGroups) {
    const TSeriesRun& run = s.SeriesRuns[first];
    const std::vector<TRowEntry>& rows = s.PipeRows[run.FirstPipe];
    FGroupRows.push_back({rows.data() + run.LoopRows, rows.data() + rows.size()});
  }
}

void TSlopePattern::AddElement(int32_t row, int32_t column, bool negative) {
  (negative ? FNegative : FPositive).push_back(static_cast<Eigen::Index>(column) * FRows + row);
}

// Each element takes at most one term per run and per group, in run order and then in group
// order.
void TSlopePattern::Apply(const std::vector<double>& runSlopes, const std::vector<double>& groupSlopes,
                          Eigen::MatrixXd& j) const {
  double* const elements = j.data();
  for (size_t r = 0; r < FRunSpans.size(); ++r) {
    const TSpan& span = FRunSpans[r];
    const double slope = runSlopes[r];
    for (int32_t k = span.Begin; k < span.Middle; ++k) elements[FOffsets[k]] += slope;
    for (int32_t k = span.Middle; k < span.End; ++k) elements[FOffsets[k]] -= slope;
  }
  for (size_t g = 0; g < FGroupRows.size(); ++g) AddPairs(elements, FGroupRows[g], groupSlopes[g]);
}

// The slope for every row of the range with itself and with each row after it.
void TSlopePattern::AddPairs(double* elements, const TRowRange& rows, double slope) const {
  const TRowEntry* const end = rows.End;
  for (const TRowEntry* a = rows.First; a != end; ++a) {
    const double signedSlope = a->Sign * slope;
    double* const column = elements + static_cast<Eigen::Index>(a->Row) * FRows;
    column[a->Row] += slope;
    for (const TRowEntry* b = a + 1; b != end; ++b) {
      const double v = signedSlope * b->Sign;
      elements[static_cast<Eigen::Index>(b->Row) * FRows + a->Row] += v;
      if (FFull) column[b->Row] += v;
    }
  }
}

}  // namespace pelmora
