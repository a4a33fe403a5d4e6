// Start-up of the program's data folder: the folder itself and the materials database in it.
#pragma once

#include <string>
#include <vector>

namespace pelmora {

// Creates the data folder when missing, loads the materials database (merging an older
// database file when present) and writes it back. Problems are returned as readable lines;
// the program goes on with the built-in materials.
std::vector<std::string> PrepareDataFolder();

}  // namespace pelmora
