// Predicting the names the grid and tree commands will generate, for the editor's name lists.
#include <algorithm>

#include "input/command_table.h"
#include "input/expand_grid.h"
#include "input/units/names.h"
#include "input/zub_file.h"

namespace pelmora {

namespace {

const char* const kDefaultSeeds[nsCount] = {"M1-1", "M2-1", "L1-1", "L2-1", "D1-1", "R1-1"};

int WholeWord(const TTokenLine& words, size_t index) {
  if (index >= words.size()) return 0;
  const TTokenView word = words[index];
  return word.Valid && !word.Comment ? static_cast<int>(word.Value) : 0;
}

// Pipes and nodes one main will have.
struct TMainRun {
  int Pipes = 0;
  int Junctions = 0;
};

// Pipes and head positions one branch-line command gives each of its branch lines.
struct TLineRun {
  int Pipes = 0;
  int Nodes = 0;
  int Lines = 0;
};

class TNamePredictor {
 public:
  TNamePredictor(TZubFile& project, int adjust) : FProject(project), FAdjust(std::max(0, adjust)) {
    for (int seed = 0; seed < nsCount; ++seed)
      FSeeds[seed] = project.NameSeeds[seed].empty() ? kDefaultSeeds[seed] : project.NameSeeds[seed];
  }

  void Run() {
    ReadCommands();
    PredictMains();
    PredictLines();
  }

 private:
  TZubFile& FProject;
  int FAdjust;
  std::string FSeeds[nsCount];
  std::vector<TMainRun> FMains;
  std::vector<TLineRun> FLineRuns;  // left trees first, then lines and right trees in text order
  bool FDrop = false, FElevatedLines = false;

  void ReadCommands() {
    std::vector<TLineRun> leftTrees, others;
    for (const TTokenLine words : FProject.FTokens) {
      if (words.empty() || !words[0].Valid) continue;
      const int heads = WholeWord(words, 1);
      switch (words[0].Command) {
        case cmMain: case cmMainV: {
          const int lines = WholeWord(words, 2);
          int extras = 0;
          for (size_t k = 4; words[0].Command == cmMain && k < words.size() && !words[k].Comment; k += 2) ++extras;
          FMains.push_back({std::max(0, lines - 1) + extras, std::max(0, lines)});
          break;
        }
        case cmMainCont:
          if (!FMains.empty()) {
            FMains.back().Pipes += WholeWord(words, 2);
            FMains.back().Junctions += WholeWord(words, 2);
          }
          break;
        case cmTreeLeft: leftTrees.push_back({heads, heads, 0}); break;
        case cmTreeRight: others.push_back({heads, heads, -1}); break;
        case cmLine: others.push_back({heads + 1, heads, static_cast<int>(others.size()) + 1}); break;
        case cmDrop: FDrop = true; break;
        case cmLineElev: case cmLineElev2: FElevatedLines = true; break;
        default: break;
      }
    }
    FLineRuns = leftTrees;
    FLineRuns.insert(FLineRuns.end(), others.begin(), others.end());
  }

  int JunctionsOf(int main) const {
    if (FMains.empty()) return 0;
    return FMains[std::clamp(main, 0, static_cast<int>(FMains.size()) - 1)].Junctions;
  }

  // Branch lines a command reaches: trees hang off the first or last main, lines join two mains.
  int BranchLinesOf(const TLineRun& run) const {
    if (run.Lines == 0) return JunctionsOf(0);
    if (run.Lines < 0) return JunctionsOf(static_cast<int>(FMains.size()) - 1);
    return std::min(JunctionsOf(run.Lines - 1), JunctionsOf(run.Lines));
  }

  void Predict(TNameList& used, TNameList& generated, std::string name, int count) {
    for (int k = 0; k < count + FAdjust; ++k) {
      while (used.Contains(name) || generated.Contains(name)) name = NextName(name);
      generated.Add(name);
      name = NextName(name);
    }
  }

  void PredictMains() {
    std::string start = FSeeds[nsFirstMain];
    std::string riserStart = FSeeds[nsFirstRiserNipple];
    for (const TMainRun& main : FMains) {
      Predict(FProject.FPipeNames, FProject.FGeneratedPipes, start, main.Pipes);
      Predict(FProject.FDefinedNodes, FProject.FGeneratedNodes, start, main.Junctions);
      if (FElevatedLines) {
        Predict(FProject.FPipeNames, FProject.FGeneratedPipes, riserStart, main.Junctions);
        Predict(FProject.FDefinedNodes, FProject.FGeneratedNodes, riserStart, main.Junctions);
      }
      start = ProgressName(FSeeds[nsSecondMain], start, FSeeds[nsFirstMain]);
      riserStart = ProgressName(FSeeds[nsSecondMain], riserStart, FSeeds[nsFirstMain]);
    }
  }

  void PredictLines() {
    int branchLines = 0;
    for (const TLineRun& run : FLineRuns) branchLines = std::max(branchLines, BranchLinesOf(run));
    std::string start = FSeeds[nsFirstLine];
    for (int line = 0; line < branchLines; ++line) {
      int pipes = 0, nodes = 0;
      for (const TLineRun& run : FLineRuns) {
        if (line >= BranchLinesOf(run)) continue;
        pipes += run.Pipes;
        nodes += run.Nodes;
      }
      Predict(FProject.FPipeNames, FProject.FGeneratedPipes, start, pipes);
      Predict(FProject.FDefinedNodes, FProject.FGeneratedNodes, start, nodes);
      if (FDrop) {
        const std::string dropStart = ProgressName(FSeeds[nsFirstDrop], start, FSeeds[nsFirstLine]);
        Predict(FProject.FPipeNames, FProject.FGeneratedPipes, dropStart, nodes);
        Predict(FProject.FDefinedNodes, FProject.FGeneratedNodes, dropStart, nodes);
      }
      start = ProgressName(start, FSeeds[nsSecondLine], FSeeds[nsFirstLine]);
    }
  }
};

}  // namespace

void GenerateGridNames(TZubFile& project, int adjust) { TNamePredictor(project, adjust).Run(); }

}  // namespace pelmora
