// The titled tables of the report: remote heads, node analysis and pipe information.
#pragma once

#include <string>
#include <vector>

#include "reports/report_context.h"

namespace pelmora {

// Head-area mode: the heads the project lists as most hydraulically remote, with their totals.
std::vector<std::string> BuildRemoteHeadsSection(const TReportContext& context);
// Every node of the calculation in model order.
std::vector<std::string> BuildNodeAnalysisSection(const TReportContext& context);
// Every pipe of the system in model order.
std::vector<std::string> BuildPipeInformationSection(const TReportContext& context);
// Every pipe of an equivalent-K definition's own calculation, under the definition's K-factor.
std::vector<std::string> BuildEquivKPipeSection(const TReportContext& context, const TEquivKCalculation& calculation);

}  // namespace pelmora
