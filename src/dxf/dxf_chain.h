// Puts drawn pipe lines in the order a designer walks a run, starting nearest the origin.
#pragma once

#include <vector>

#include "dxf/dxf_drawing.h"

namespace pelmora {

// Turns every line so that it starts at its end nearer the origin, sorts by that start's squared
// distance from the origin (then x, then y), and moves up after each line the first later line
// whose start coincides with its end.
void OrientAndChain(std::vector<TdxfLine>& lines, double tolerance);

}  // namespace pelmora
