// Rows of the node tables: the node analysis and the most hydraulically remote heads.
#pragma once

#include <string>
#include <vector>

#include "reports/report_context.h"

namespace pelmora {

// Two header rows; a notes column of notesWidth follows when notesWidth is above 0.
std::vector<std::string> BuildNodeHeader(const TReportContext& context, int notesWidth);
// One row for the node, its notes text unpadded at the end.
std::string BuildNodeLine(const TReportContext& context, const TNode& node);
// The notes width that makes room for the longest of the rows.
int NodeNotesWidth(const TReportContext& context, const std::vector<std::string>& rows);

// Head-area mode: the floor area a head covers, in the head-area unit squared.
double AreaPerHead(const TNode& head, const TUnitSet& units);
// Head-area mode: the head's design density in the density unit (per minute).
double RequiredDensity(const TNode& head, const TUnitSet& units);
// Total flow over total area in the density unit; zero for no area.
double AverageDensity(double totalFlow, double totalArea, const TUnitSet& units);

}  // namespace pelmora
