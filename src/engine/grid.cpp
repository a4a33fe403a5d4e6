#include "engine/grid.h"

namespace pelmora {

TCalcGrid::TCalcGrid(TCalcEngine& engine) : FEngine(engine) {}
TCalcGrid::~TCalcGrid() = default;

// Without a remote-area search the model is calculated once, where it was entered.
bool TCalcGrid::SearchStep(double) { return FPasses++ == 0; }

}  // namespace pelmora
