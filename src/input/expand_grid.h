// The interpreter's side of the grid and tree commands: checks, parameters, generated names.
#pragma once

#include <string>
#include <vector>

namespace pelmora {

class TCalcEngine;
class TZubFile;

// Feeds the grid and tree commands of the scanned text into the engine's grid and commits it.
// On false the grid's messages are already in the engine and interpretation stops.
bool ExpandGrid(TZubFile& project, const std::vector<std::string>& lines, TCalcEngine& engine);

// Predicts the names the grid will generate, for the editor's name lists (end of the scan).
void GenerateGridNames(TZubFile& project, int adjust);

}  // namespace pelmora
