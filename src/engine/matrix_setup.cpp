// The equation rows of the loops and paths, the loop and path lists of every pipe, and the pipes
// in series that the solver evaluates together.
#include <algorithm>
#include <cstdlib>

#include "engine/engine_state.h"
#include "engine/topology.h"

namespace pelmora {

namespace {

int32_t Magnitude(int32_t signedPipe) { return std::abs(signedPipe); }

void AppendEntries(TCalcEngine& e, const TLoop& loop, int32_t number, bool toPathList) {
  for (int32_t entry : loop.PipeNumbers) {
    TPipe& pipe = *e.FPipes[Magnitude(entry)];
    (toPathList ? pipe.PathList : pipe.LoopList).push_back(entry > 0 ? number : -number);
  }
}

void AddPipeEntries(TEngineState& s, const TLoop& loop, int32_t column) {
  for (int32_t entry : loop.PipeNumbers) {
    const double sign = entry > 0 ? 1.0 : -1.0;
    s.PipeColumns[Magnitude(entry)].push_back({column, sign});
    if (loop.Equation >= 0) s.PipeRows[Magnitude(entry)].push_back({loop.Equation, sign});
  }
}

bool SameEntry(const TRowEntry& a, const TRowEntry& b) { return a.Row == b.Row && a.Sign == b.Sign; }

bool SameEntries(const std::vector<TRowEntry>& a, const std::vector<TRowEntry>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameEntry);
}

bool SameLossCoefficients(const TPipe& a, const TPipe& b) {
  return a.Devices.empty() && b.Devices.empty() && a.FrictionCoef == b.FrictionCoef &&
         a.VelPressCoef == b.VelPressCoef && a.ReynoldsCoef == b.ReynoldsCoef && a.RoughnessTerm == b.RoughnessTerm &&
         a.FittingK == b.FittingK && a.HazenPipe == b.HazenPipe && a.HazenFrictionCoef == b.HazenFrictionCoef &&
         a.HazenVelPressCoef == b.HazenVelPressCoef;
}

bool SamePathRows(const TEngineState& s, const TSeriesRun& a, const TSeriesRun& b) {
  const std::vector<TRowEntry>& rowsA = s.PipeRows[a.FirstPipe];
  const std::vector<TRowEntry>& rowsB = s.PipeRows[b.FirstPipe];
  return std::equal(rowsA.begin() + a.LoopRows, rowsA.end(), rowsB.begin() + b.LoopRows, rowsB.end(), SameEntry);
}

void FindPathGroups(const TCalcEngine& e, TEngineState& s) {
  const int32_t loops = static_cast<int32_t>(e.FLoops.size());
  s.PathGroups.clear();
  for (size_t r = 0; r < s.SeriesRuns.size(); ++r) {
    TSeriesRun& run = s.SeriesRuns[r];
    const std::vector<TRowEntry>& rows = s.PipeRows[run.FirstPipe];
    run.LoopRows = static_cast<int32_t>(
        std::find_if(rows.begin(), rows.end(), [&](const TRowEntry& row) { return row.Row >= loops; }) - rows.begin());
    if (r == 0 || !SamePathRows(s, s.SeriesRuns[r - 1], run)) s.PathGroups.push_back(static_cast<int32_t>(r));
    run.PathGroup = static_cast<int32_t>(s.PathGroups.size()) - 1;
  }
}

void FindColumnRuns(const TCalcEngine& e, TEngineState& s) {
  s.ColumnRuns.resize(e.FLoops.size() + e.FPaths.size());
  for (auto& runs : s.ColumnRuns) runs.clear();
  for (size_t r = 0; r < s.SeriesRuns.size(); ++r)
    for (const TRowEntry& column : s.PipeColumns[s.SeriesRuns[r].FirstPipe])
      s.ColumnRuns[column.Row].push_back({static_cast<int32_t>(r), column.Sign});
}

// Runs of pipes in series, and within each run the law groups: a pipe with the same loss
// coefficients as the pipe before it in the run joins that pipe's group.
void FindSeriesRuns(const TCalcEngine& e, TEngineState& s) {
  s.SeriesRuns.clear();
  s.LawGroups.clear();
  s.IdlePipes.clear();
  const int32_t pipes = static_cast<int32_t>(e.FPipes.size());
  for (int32_t k = 1; k < pipes; ++k) {
    if (s.PipeColumns[k].empty()) {
      s.IdlePipes.push_back(k);
      continue;
    }
    const bool inSeries = !s.SeriesRuns.empty() && s.SeriesRuns.back().LastPipe == k - 1 &&
                          SameEntries(s.PipeColumns[k - 1], s.PipeColumns[k]);
    if (inSeries && s.AlikeWithPrevious[k])
      ++s.LawGroups.back().Count;
    else
      s.LawGroups.push_back({k, 1});
    const int32_t groupsEnd = static_cast<int32_t>(s.LawGroups.size());
    if (inSeries)
      s.SeriesRuns.back().LastPipe = k;
    else
      s.SeriesRuns.push_back({k, k, 0, 0, groupsEnd - 1, groupsEnd});
    s.SeriesRuns.back().EndLawGroup = groupsEnd;
  }
  FindPathGroups(e, s);
  FindColumnRuns(e, s);
}

// Each pipe's lists get their room at once: a grid has hundreds of pipes, most of whose lists
// hold a few entries, and growing them entry by entry costs more than filling them.
void ReserveEntries(TCalcEngine& e, TEngineState& s) {
  std::vector<int32_t> inLoops(e.FPipes.size(), 0), inPaths(e.FPipes.size(), 0);
  for (const auto& loop : e.FLoops)
    for (int32_t entry : loop->PipeNumbers) ++inLoops[Magnitude(entry)];
  for (const auto& path : e.FPaths)
    for (int32_t entry : path->PipeNumbers) ++inPaths[Magnitude(entry)];
  for (size_t k = 1; k < e.FPipes.size(); ++k) {
    e.FPipes[k]->LoopList.reserve(inLoops[k]);
    e.FPipes[k]->PathList.reserve(inPaths[k]);
    s.PipeColumns[k].reserve(inLoops[k] + inPaths[k]);
    s.PipeRows[k].reserve(inLoops[k] + inPaths[k]);
  }
}

// Everything that depends on the loops alone: built once per topology, kept from one base node
// and one remote-area position to the next.
void SetupLoopEntries(TCalcEngine& e, TEngineState& s) {
  for (size_t k = 1; k < e.FPipes.size(); ++k) {
    e.FPipes[k]->LoopList.clear();
    e.FPipes[k]->PathList.clear();
  }
  s.PipeColumns.resize(e.FPipes.size());
  s.PipeRows.resize(e.FPipes.size());
  for (auto& columns : s.PipeColumns) columns.clear();
  for (auto& rows : s.PipeRows) rows.clear();
  ReserveEntries(e, s);
  for (size_t i = 0; i < e.FLoops.size(); ++i) {
    TLoop& loop = *e.FLoops[i];
    loop.Equation = static_cast<int32_t>(i);
    AppendEntries(e, loop, loop.Equation + 1, false);
    AddPipeEntries(s, loop, loop.Equation);
  }
  s.LoopEntries.assign(e.FPipes.size(), 0);
  s.AlikeWithPrevious.assign(e.FPipes.size(), 0);
  for (size_t k = 1; k < e.FPipes.size(); ++k) {
    s.LoopEntries[k] = static_cast<int32_t>(s.PipeColumns[k].size());
    s.AlikeWithPrevious[k] = k > 1 && SameLossCoefficients(*e.FPipes[k - 1], *e.FPipes[k]);
  }
  s.PathPipes.clear();
  s.MatrixLoopsVersion = s.LoopsVersion;
}

// Takes the entries of the paths of the last base node or remote-area position off the pipes.
void ClearPathEntries(TCalcEngine& e, TEngineState& s) {
  for (int32_t k : s.PathPipes) {
    e.FPipes[k]->PathList.clear();
    s.PipeColumns[k].resize(s.LoopEntries[k]);
    s.PipeRows[k].resize(s.LoopEntries[k]);
  }
  s.PathPipes.clear();
}

}  // namespace

void SetupMatrix(TCalcEngine& e, TEngineState& s) {
  const uint64_t start = CycleCount();
  if (s.MatrixLoopsVersion != s.LoopsVersion || s.PipeColumns.size() != e.FPipes.size())
    SetupLoopEntries(e, s);
  else
    ClearPathEntries(e, s);
  int32_t row = static_cast<int32_t>(e.FLoops.size());
  int32_t column = row;
  for (size_t i = 0; i < e.FPaths.size(); ++i) {
    TLoop& path = *e.FPaths[i];
    TNode& end = *e.FNodes[path.EndNodeNumber];
    path.Equation = end.Kind == nkNode ? -1 : row++;
    if (path.Equation >= 0) AppendEntries(e, path, static_cast<int32_t>(i + 1), true);
    if (end.Kind == nkHead) end.VelocityPressure = 0;
    AddPipeEntries(s, path, column++);
    for (int32_t entry : path.PipeNumbers) s.PathPipes.push_back(Magnitude(entry));
  }
  s.RowCount = row;
  FindSeriesRuns(e, s);
  e.FCycles.MatrixSetup += CycleCount() - start;
}

}  // namespace pelmora
