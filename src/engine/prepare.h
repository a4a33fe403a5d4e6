// Preparation of the model before solving: fitting losses, units, coefficients and input checks.
#pragma once

#include <vector>

#include "input/units/units.h"

namespace pelmora {

class TCalcEngine;
class TPipe;
struct TEngineState;

// Sums each pipe's fitting lengths and K coefficients from the materials database (input units).
void PrepareFittings(TCalcEngine& engine);
// Node and pipe checks and per-pipe coefficients (calculation units); false when a check failed.
bool InitNodesAndPipes(TCalcEngine& engine, TEngineState& state);
// Pipes that joined the prepared model in calculation units (the drops of a remote-area
// position): fittings from the database in input units, coefficients, the elevation pressures of
// their nodes, and search records sized for the model. False when a pipe has no loss geometry.
bool PrepareAddedPipes(TCalcEngine& engine, TEngineState& state, const std::vector<TPipe*>& pipes);

// Converts one pipe's lengths, sizes, flows and losses between two unit sets.
void ConvertPipeUnits(TPipe& pipe, const TUnitSet& from, const TUnitSet& to, int frictionMethod);

}  // namespace pelmora
