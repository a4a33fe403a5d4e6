#include "input/grid_expand_text.h"

#include <algorithm>

#include "engine/calc_engine.h"
#include "engine/grid.h"
#include "input/command_table.h"
#include "input/units/text.h"
#include "input/zub_file.h"

namespace pelmora {

namespace {

constexpr int kGridCommands[] = {cmAutoPeak, cmDrop,     cmFlow,   cmLine,       cmLineElev, cmMain,    cmMainElev,
                                 cmReduce,   cmRN,       cmTreeLeft, cmTreeRight, cmMainV,   cmLineElev2, cmMainCont};

bool IsGridCommand(const TZubFile& project, int line) {
  const TTokenLine words = project.FTokens[line];
  return !words.empty() && std::find(std::begin(kGridCommands), std::end(kGridCommands), words[0].Command) !=
                               std::end(kGridCommands);
}

// Enough decimals that the written text reads back as the generated value.
std::string Number(double x) { return FormatFloat("0.######", x); }

std::string Left(const std::string& text, size_t width) {
  return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string Right(const std::string& text, size_t width) {
  return text.size() >= width ? " " + text : std::string(width - text.size(), ' ') + text;
}

// The material, C-factor and friction law in force, as the scan carries them from line to line.
struct TPipeSettingsState {
  std::string Material;
  double CFactor;
  bool Hazen;
};

class TExpandedWriter {
 public:
  TExpandedWriter(const TCalcGrid& grid, TPipeSettingsState state) : FGrid(grid), FStart(state), FState(state) {}

  std::vector<std::string> Write() {
    FOut.push_back("// Expanded grid");
    for (const TNode* node : FGrid.GeneratedNodes()) WriteNode(*node);
    for (const TPipe* pipe : FGrid.GeneratedPipes()) WritePipe(*pipe);
    SwitchTo(FStart);
    FOut.push_back("// End of expanded grid");
    return FOut;
  }

 private:
  const TCalcGrid& FGrid;
  const TPipeSettingsState FStart;
  TPipeSettingsState FState;
  std::vector<std::string> FOut;

  void WriteNode(const TNode& node) {
    const TRemoteArea* area = node.Kind == nkHead ? FGrid.AreaOfHead(&node) : nullptr;
    if (area == nullptr) {
      FOut.push_back(Left("Node", 6) + Left(node.Name, 9) + Right(Number(node.Elevation), 10));
      return;
    }
    FOut.push_back(Left("Head", 6) + Left(node.Name, 9) + Right(Number(node.Elevation), 10) +
                   Right(area->DischargeText, 10) + Right(area->KText, 10));
  }

  void WritePipe(const TPipe& pipe) {
    SwitchTo({pipe.Material, pipe.CFactor, pipe.HazenPipe});
    std::string line = Left("Pipe", 6) + Left(pipe.Name, 9) + Left(pipe.FromName, 9) + Left(pipe.ToName, 9) +
                       Right(Number(pipe.Length), 10) + Right(Number(pipe.NominalSize), 8);
    for (const std::string& fitting : pipe.Fittings) line += " " + fitting;
    if (pipe.VelocityAtBegin) line += " VB";
    if (pipe.VelocityAtEnd) line += " VE";
    FOut.push_back(line);
  }

  void SwitchTo(const TPipeSettingsState& wanted) {
    if (!SameText(wanted.Material, FState.Material) || wanted.CFactor != FState.CFactor)
      FOut.push_back(Left("Use", 6) + Left(wanted.Material, 9) + Right(Number(wanted.CFactor), 10));
    if (wanted.Hazen != FState.Hazen)
      FOut.push_back(Left(wanted.Hazen ? "Hazen" : "Darcy", 6) + Right(Number(wanted.CFactor), 10));
    FState = wanted;
  }
};

}  // namespace

std::vector<std::string> ExpandGridText(const TZubFile& project, const std::vector<std::string>& lines,
                                        const TCalcEngine& engine) {
  std::vector<std::string> out;
  bool written = false;
  for (int line = 0; line < static_cast<int>(lines.size()); ++line) {
    const bool grid = line < static_cast<int>(project.FTokens.size()) && IsGridCommand(project, line);
    if (grid && !written && engine.FGrid) {
      const TPipeSettingsState state{project.FLineMaterial[line], project.FLineCFactor[line],
                                     project.FLineHazen[line] != 0};
      const std::vector<std::string> block = TExpandedWriter(*engine.FGrid, state).Write();
      out.insert(out.end(), block.begin(), block.end());
      written = true;
    }
    out.push_back(grid ? "// " + lines[line] : lines[line]);
  }
  return out;
}

}  // namespace pelmora
