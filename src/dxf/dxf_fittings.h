// Elbow and tee fittings derived from the angles at which drawn pipes meet.
#pragma once

#include <string>
#include <vector>

#include "dxf/dxf_drawing.h"

namespace pelmora {

// Fitting codes (each preceded by a blank) for a change of direction of `deflection` whole
// degrees at a node where `pipesAtNode` pipes meet; empty below 15 degrees.
std::string FittingForDeflection(int deflection, int pipesAtNode);

// At every node the first pipe touching it is compared with each later one; the fitting goes on
// the branch-line pipe where a branch line meets a main, otherwise on the smaller pipe (the later
// one on a tie). Pipes whose two ends share one node are left out.
void AddFittings(std::vector<TdxfLine>& pipes, size_t nodeCount);

}  // namespace pelmora
