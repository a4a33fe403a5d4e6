// A project's equivalent-K definitions as a whole: bringing their results up to date and listing them.
#pragma once

#include <string>
#include <vector>

#include "equivk/equivk_file.h"

namespace pelmora {

class TZubFile;

// Calculates every definition whose text or settings changed. The scan of the command text
// reads the cached results, so this runs before every scan.
void UpdateEquivK(TZubFile& project);

struct TEquivKSummary {
  std::string Code;
  std::string Description;
  double EquivalentK = -1;  // -1: no result, Messages tell why
  double Discharge = -1;
  int SprinklerCount = 0;
  std::vector<std::string> Messages;
};

// The definitions with their results, all of them or the one with the code (letter case
// ignored); empty when no definition has that code.
std::vector<TEquivKSummary> SummarizeEquivK(TZubFile& project, const std::string& code = "");
// Plain-text lines for the command line: code and description, then the result or the messages.
std::vector<std::string> EquivKSummaryLines(const std::vector<TEquivKSummary>& summaries, const TUnitSet& units);

}  // namespace pelmora
