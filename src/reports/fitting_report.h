// The fitting-loss comparison report: fitting losses from equivalent lengths against losses from K.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "materials/materials.h"

namespace pelmora {

class TZubFile;

inline constexpr int kHazenWilliamsLiquid = -1;

struct TFittingReportChoice {
  int Liquid1 = 3;  // index in the database's liquids, or kHazenWilliamsLiquid
  int Liquid2 = 8;  // index in the database's liquids
};

// Liquids 3 and 8 of the database; a database with fewer liquids gives its last one instead.
TFittingReportChoice DefaultFittingReportChoice(const TMaterials& materials);

// Raised when a liquid choice is not in the database or a test model cannot be calculated:
// a report with holes in it would mislead.
class TFittingReportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The report's lines. The project gives its velocity-pressure, gravity and fitting options; its
// own settings and text are left as they are. The models are calculated in feet, inches, psi
// and gpm, the units the comparison is defined in, whatever the project's units.
std::vector<std::string> BuildFittingReport(const TZubFile& project, TMaterials& materials,
                                            const TFittingReportChoice& choice);

// Writes the report with CR LF line ends under a temporary name and renames it into place.
// False, with the reason in message, when it cannot be built or written; no file is left then.
bool WriteFittingReport(const TZubFile& project, TMaterials& materials, const TFittingReportChoice& choice,
                        const std::string& fileName, std::string* message = nullptr);

}  // namespace pelmora
