// Working state of one calculation shared by preparation, topology, solver and results.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "engine/calc_engine.h"
#include "engine/friction.h"

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

// One equation a pipe takes part in: its row and the pipe's direction in that loop or path.
struct TRowEntry {
  int32_t Row;
  double Sign;  // +1 or -1
};

struct TEngineState {
  std::vector<TPipeMark> Marks;           // indexed by pipe number
  std::vector<int32_t> SourceNodes;       // base node candidates, in node order
  TLoop* MainSourcePath = nullptr;        // the path that ends at the input node
  double VelPressDensity = 0;             // velocity-pressure density factor
  double ElevationFactor = 0;             // pressure per unit of elevation
  std::unique_ptr<TFrictionLaw> Law;      // loss law of the project's friction method
  TLossConstants Constants;
  // Rows of each pipe's loop and path entries, sorted by row (indexed by pipe number).
  std::vector<std::vector<TRowEntry>> PipeRows;
  int32_t RowCount = 0;
  bool Converted = false;  // the model is in calculation units
};

struct TCalcEngine::Impl : TEngineState {};

// Processor time-stamp counter (or a monotonic clock where none exists).
uint64_t CycleCount();

}  // namespace pelmora
