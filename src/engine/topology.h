// How the pipes connect: neighbours, connectivity, independent loops and base-node paths.
#pragma once

#include <cstdint>
#include <vector>

namespace pelmora {

class TCalcEngine;
struct TEngineState;

// Node pipe lists and pipe neighbour lists; false after error 267 or 517.
bool FindNeighbors(TCalcEngine& engine);
// False after error 774 for every pipe that cannot be reached from pipe 1.
bool SplitSystem(TCalcEngine& engine, TEngineState& state);
// Removes (marks) every pipe that has a dead end; what remains lies on closed loops.
void MarkBranches(TCalcEngine& engine, TEngineState& state);
// Independent loops, each the shortest through a pipe that no later loop contains.
void FindLoops(TCalcEngine& engine, TEngineState& state);

// Water source node numbers in node order; error 1026 when there is none.
std::vector<int32_t> BaseNodeCandidates(TCalcEngine& engine);

enum class TPathMode { Flowing, Riser };
// One shortest path from the base node to every node that takes or gives water (Flowing), or
// only to the bottom-of-riser node (Riser). Flowing mode gives error 775 and false without paths.
bool FindPaths(TCalcEngine& engine, TEngineState& state, int32_t baseNode, TPathMode mode);
// Loop and path lists of the pipes, the equation row of every loop and path, and the pipes in
// series.
void SetupMatrix(TCalcEngine& engine, TEngineState& state);
// The node numbers at both ends of every pipe.
void NumberPipeEnds(TCalcEngine& engine, TEngineState& state);

}  // namespace pelmora
