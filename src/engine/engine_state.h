// Working state of one calculation shared by preparation, topology, solver and results.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "engine/calc_engine.h"
#include "engine/friction.h"
#include "engine/solver.h"

namespace pelmora {

inline constexpr int32_t kNoPred = std::numeric_limits<int32_t>::max();

enum TPipeMarkState : uint8_t { pmFree = 0, pmReached = 1, pmRemoved = 2 };

// Per-pipe record of the topology searches.
struct TPipeMark {
  int32_t Pred = kNoPred;  // pipe this one was reached from
  uint8_t Dir = 0;         // 1: entered at the from node, leaves at the to node
  uint8_t Mark = pmFree;
  int32_t LoopCount = 0;   // loops that contain the pipe
};

// One loop or path a pipe lies in: its equation row (or column) and the pipe's direction in it.
struct TRowEntry {
  int32_t Row;
  double Sign;  // +1 or -1
};

// Consecutive pipes of a run with the same loss coefficients and no device: the loss law gives
// them the same results, so the first is evaluated for all of them.
struct TLawGroup {
  int32_t FirstPipe = 0;
  int32_t Count = 0;
};

// Consecutive pipes that lie in the same loops and paths the same way: pipes in series. They
// carry the same flow and add their slopes to the same Jacobian elements.
struct TSeriesRun {
  int32_t FirstPipe = 0, LastPipe = 0;  // pipe numbers, inclusive
  int32_t LoopRows = 0;                 // its rows begin with this many loop rows; path rows follow
  int32_t PathGroup = 0;                // index into TEngineState::PathGroups
  int32_t FirstLawGroup = 0, EndLawGroup = 0;  // its range of TEngineState::LawGroups
};

// A run that a loop or path passes, with the direction it passes it.
struct TRunEntry {
  int32_t Run;
  double Sign;  // +1 or -1
};

// The shortest path of every node searched so far to one base node: its pipes signed from the
// base towards the node, empty when there is none. A path depends on the topology alone.
struct TPathCache {
  int32_t BaseNode = 0;
  std::vector<char> Searched;   // indexed by node number
  std::vector<TIntArray> Pipes;
};

struct TEngineState {
  std::vector<TPipeMark> Marks;           // indexed by pipe number
  std::vector<int32_t> SourceNodes;       // base node candidates, in node order
  TLoop* MainSourcePath = nullptr;        // the path that ends at the input node
  double VelPressDensity = 0;             // velocity-pressure density factor
  double ElevationFactor = 0;             // pressure per unit of elevation
  std::unique_ptr<TFrictionLaw> Law;      // loss law of the project's friction method
  TLossConstants Constants;
  // Per pipe number: every loop and path through it as a column (loops, then paths, in order)
  // with the pipe's direction in it, and the equation rows among them, both in increasing order.
  std::vector<std::vector<TRowEntry>> PipeColumns, PipeRows;
  int32_t RowCount = 0;
  std::vector<TSeriesRun> SeriesRuns;  // the pipes that lie in some loop or path
  // Consecutive runs on the same paths the same way, such as a main that carries the paths of the
  // remote area past one loop after the other: their slopes add up to the same path-by-path part
  // of the Jacobian. Each group is given by its first run.
  std::vector<int32_t> PathGroups;
  std::vector<TLawGroup> LawGroups;  // of every run, in pipe order
  std::vector<int32_t> IdlePipes;    // in no loop or path: they carry no flow
  // Per pipe number: the same loss coefficients as the pipe before and neither with a device, so
  // that in series the loss law gives both the same results.
  std::vector<char> AlikeWithPrevious;
  // The loop entries lead every pipe's columns and rows and change only with the loops: per pipe
  // number their count, and the pipes that carry path entries after them.
  std::vector<int32_t> LoopEntries;
  std::vector<int32_t> PathPipes;
  int32_t LoopsVersion = 0;        // counts the loop searches
  int32_t MatrixLoopsVersion = -1;  // the loops the loop entries were made for
  // Per column (loops, then paths): the runs it passes, in pipe order. Its loss and its share of
  // the base pressure's derivative are summed run by run.
  std::vector<std::vector<TRunEntry>> ColumnRuns;
  TPathCache Paths;  // cleared with every new topology
  // Node numbers of every pipe's ends (indexed by pipe number), found with the neighbours.
  std::vector<int32_t> FromNodeNumbers, ToNodeNumbers;
  bool Converted = false;  // the model is in calculation units
  std::unique_ptr<TNetworkSolver> Solver;  // made by the first solve pass
};

struct TCalcEngine::Impl : TEngineState {};

// Processor time-stamp counter (or a monotonic clock where none exists).
uint64_t CycleCount();

}  // namespace pelmora
