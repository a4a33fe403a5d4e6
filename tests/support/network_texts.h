// Command texts of generated networks, shared by the benchmarks and the solver cross-checks.
#pragma once

#include <string>
#include <vector>

namespace pelmora {

// A tree: a riser, one cross main and branch lines of heads, written pipe by pipe.
std::vector<std::string> TreeText(int lines, int headsPerLine);

struct TGridTextOptions {
  int Lines = 20;              // branch lines between the two cross mains
  int HeadsPerLine = 20;
  int AreaLines = 4;           // the remote area: the last AreaLines lines ...
  int AreaHeads = 5;           // ... and their last AreaHeads heads flow
  bool AllHeadsFlow = false;   // every head flows (source calculation)
  bool SourceCalculation = false;
};

// A gridded system written pipe by pipe: branch lines between two cross mains, fed by a riser.
std::vector<std::string> GridText(const TGridTextOptions& options);

}  // namespace pelmora
