// Checks of the scan that need the whole text: references to names defined anywhere, commands
// that may appear once, and the grid dimensions.
#pragma once

namespace pelmora {

class TZubFile;

void RunLineChecks(TZubFile& project);

}  // namespace pelmora
