#include "input/expand_grid.h"

namespace pelmora {

// Grid and tree commands are not expanded yet: texts without them are unaffected.
bool ExpandGrid(TZubFile&, const std::vector<std::string>&, TCalcEngine&) { return true; }

void GenerateGridNames(TZubFile&, int) {}

}  // namespace pelmora
