// The lists of material codes and fitting codes that the report's pipes use.
#pragma once

#include <string>
#include <vector>

#include "reports/report_context.h"

namespace pelmora {

// "code - description" per material found in the database, sorted, without repeats.
std::vector<std::string> BuildMaterialCodes(const TReportContext& context);
// "code - description" per fitting used, sorted, without repeats; an unknown code is listed as an error.
std::vector<std::string> BuildFittingCodes(const TReportContext& context);

}  // namespace pelmora
