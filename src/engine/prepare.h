// Preparation of the model before solving: fitting losses, units, coefficients and input checks.
#pragma once

namespace pelmora {

class TCalcEngine;
struct TEngineState;

// Sums each pipe's fitting lengths and K coefficients from the materials database (input units).
void PrepareFittings(TCalcEngine& engine);
// Node and pipe checks and per-pipe coefficients (calculation units); false when a check failed.
bool InitNodesAndPipes(TCalcEngine& engine, TEngineState& state);

}  // namespace pelmora
