// Rewriting a whole command text from one unit set to another, keeping its column layout.
#pragma once

#include <string>
#include <vector>

#include "input/units/units.h"

namespace pelmora {

class TZubFile;

// Rewrites every valid value word of the lines in place; the project's units end as `to`.
void ConvertText(TZubFile& project, std::vector<std::string>& lines, const TUnitSet& from, const TUnitSet& to);

}  // namespace pelmora
