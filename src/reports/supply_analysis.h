// The supply analysis table: each water source's curve against the pressure the system needs.
#pragma once

#include <string>
#include <vector>

#include "reports/report_context.h"

namespace pelmora {

std::vector<std::string> BuildSupplyAnalysis(const TReportContext& context);

}  // namespace pelmora
