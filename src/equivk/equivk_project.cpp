#include "equivk/equivk_project.h"

#include "input/units/text.h"
#include "input/zub_file.h"

namespace pelmora {

void UpdateEquivK(TZubFile& project) {
  const TEquivKSettings settings = EquivKSettingsOf(project);
  for (TEquivKFile& definition : project.EquivK) definition.GetEquivalentK(settings);
}

std::vector<TEquivKSummary> SummarizeEquivK(TZubFile& project, const std::string& code) {
  UpdateEquivK(project);
  std::vector<TEquivKSummary> summaries;
  for (const TEquivKFile& definition : project.EquivK) {
    if (!code.empty() && !SameText(definition.Code, code)) continue;
    summaries.push_back({definition.Code, definition.Description, definition.GetK(), definition.GetDischarge(),
                         definition.SprinklerCount, definition.Messages});
  }
  return summaries;
}

std::vector<std::string> EquivKSummaryLines(const std::vector<TEquivKSummary>& summaries, const TUnitSet& units) {
  std::vector<std::string> lines;
  for (const TEquivKSummary& summary : summaries) {
    lines.push_back(summary.Description.empty() ? summary.Code : summary.Code + " - " + summary.Description);
    if (summary.EquivalentK > 0) {
      lines.push_back("  Equivalent K = " + FormatFloat("0.0#", summary.EquivalentK) + " " + KWord(units.KFactor) +
                      " ; Discharge q = " + FormatFloat("0.0#", summary.Discharge) + " " + FlowWord(units.Flow));
    } else if (summary.Messages.empty()) {
      lines.push_back("  no result");
    }
    for (const std::string& message : summary.Messages) lines.push_back("  " + message);
  }
  return lines;
}

}  // namespace pelmora
