#include "input/line_checks.h"

#include <algorithm>
#include <string>

#include "input/command_table.h"
#include "input/scan_messages.h"
#include "input/zub_file.h"
#include "input/units/text.h"

namespace pelmora {

namespace {

// A line under check: read through the table's view of it, changed through the table.
class TCheckedLine {
 public:
  TCheckedLine(TZubParameterTable& table, int line) : FTable(table), FLine(line), FWords(table[line]) {}

  size_t size() const { return FWords.size(); }
  TTokenView operator[](size_t index) const { return FWords[index]; }
  // A word that a check may still reject: present, not a comment, not already rejected.
  bool Checkable(size_t index) const {
    if (index >= FWords.size()) return false;
    const TTokenView word = FWords[index];
    return !word.Comment && word.Valid;
  }
  void Reject(size_t index, TScanMessage message, std::initializer_list<std::string_view> values = {}) {
    FTable.SetVerdict(FLine, index, false, false, ScanMessage(message, values));
  }
  void Question(size_t index, TScanMessage message, std::initializer_list<std::string_view> values = {}) {
    FTable.SetVerdict(FLine, index, FWords[index].Valid, true, ScanMessage(message, values));
  }

 private:
  TZubParameterTable& FTable;
  int FLine;
  TTokenLine FWords;
};

void RequireNode(const TZubFile& project, TCheckedLine& words, size_t index) {
  if (!words.Checkable(index)) return;
  const std::string_view name = words[index].Text;
  if (!project.FDefinedNodes.Contains(name) && !project.FGeneratedNodes.Contains(name))
    words.Reject(index, smNoNode, {name});
}

void RequirePipe(const TZubFile& project, TCheckedLine& words, size_t index) {
  if (!words.Checkable(index)) return;
  const std::string_view name = words[index].Text;
  if (!project.FPipeNames.Contains(name) && !project.FGeneratedPipes.Contains(name)) words.Reject(index, smNoPipe, {name});
}

void RequireDifferentEnds(TCheckedLine& words, size_t start, size_t end) {
  if (words.Checkable(end) && start < words.size() && !words[start].Comment &&
      SameText(words[start].Text, words[end].Text))
    words.Reject(end, smSameEnds);
}

int WholeValue(const TTokenLine& words, size_t index) {
  if (index >= words.size()) return 0;
  const TTokenView word = words[index];
  return word.Valid && !word.Comment ? static_cast<int>(word.Value) : 0;
}

// Head positions per branch line and branch lines per main, from the grid commands.
struct TGridSize {
  int Heads = 0;
  int BranchLines = 0;
};

TGridSize MeasureGrid(const TZubParameterTable& tokens) {
  TGridSize size;
  int treeHeads = 0;
  int mainLines = 0;
  for (const TTokenLine words : tokens) {
    if (words.empty()) continue;
    switch (words[0].Command) {
      case cmLine: size.Heads = std::max(size.Heads, WholeValue(words, 1)); break;
      case cmTreeLeft: case cmTreeRight: treeHeads += WholeValue(words, 1); break;
      case cmMain: case cmMainV: mainLines = WholeValue(words, 2); break;
      case cmMainCont: mainLines += WholeValue(words, 2); break;
      default: break;
    }
    size.BranchLines = std::max(size.BranchLines, mainLines);
  }
  size.Heads = std::max(size.Heads, treeHeads);
  return size;
}

void CheckFlowArea(TCheckedLine& words, const TGridSize& grid) {
  for (size_t index = 1; index <= 4; ++index) {
    const int limit = index % 2 == 1 ? grid.Heads : grid.BranchLines;
    if (!words.Checkable(index) || limit <= 0) continue;
    const TTokenView word = words[index];
    if (word.Value > limit) words.Reject(index, smFlowOutside, {word.Text, std::to_string(limit)});
  }
}

// Commands that may stand only once in a text.
void RejectRepeat(TCheckedLine& words, int& count, TScanMessage message) {
  if (++count > 1 && words[0].Valid) words.Reject(0, message);
}

struct TCommandCounts {
  int Drops = 0, LineElevs = 0, TreeLefts = 0, TreeRights = 0, Mains = 0, MainElevs = 0, Lines = 0;
};

void CheckLine(const TZubFile& project, TCheckedLine& words, TCommandCounts& counts, const TGridSize& grid) {
  switch (words[0].Command) {
    case cmDrop: RejectRepeat(words, counts.Drops, smSecondDrop); break;
    case cmLineElev: case cmLineElev2: RejectRepeat(words, counts.LineElevs, smSecondLineElev); break;
    case cmTreeLeft: RejectRepeat(words, counts.TreeLefts, smSecondTreeLeft); break;
    case cmTreeRight: RejectRepeat(words, counts.TreeRights, smSecondTreeRight); break;
    case cmBP: case cmBFP: case cmChangePipe: RequirePipe(project, words, 1); break;
    case cmChangeNode: RequireNode(project, words, 1); break;
    case cmPipe: if (words.size() >= 4) RequireDifferentEnds(words, 2, 3); break;
    case cmPC:
      for (size_t k = 2; k + 2 < words.size() && !words[k].Comment; k += 3) RequireDifferentEnds(words, k + 1, k + 2);
      break;
    case cmPump: RequireDifferentEnds(words, 1, 2); break;
    case cmFlow: CheckFlowArea(words, grid); break;
    case cmMain: case cmMainV: ++counts.Mains; break;
    case cmMainElev: ++counts.MainElevs; break;
    case cmLine: ++counts.Lines; break;
    default: break;
  }
}

// Riser nipple sizes, branch-line sets and main elevations must match the number of mains.
void CheckGridCounts(TZubParameterTable& tokens, const TCommandCounts& counts) {
  int lines = 0, mainElevs = 0;
  for (int line = 0; line < static_cast<int>(tokens.size()); ++line) {
    TCheckedLine words(tokens, line);
    if (words.size() == 0) continue;
    switch (words[0].Command) {
      case cmRN:
        for (size_t index = counts.Mains + 1; counts.Mains > 0 && index < words.size(); ++index)
          if (words.Checkable(index)) words.Reject(index, smRiserSizes, {"RN"});
        break;
      case cmLine:
        if (++lines >= counts.Mains && counts.Mains > 0 && words[0].Valid) words.Question(0, smLineCount, {"Line"});
        break;
      case cmMainElev:
        if (++mainElevs > counts.Mains && words[0].Valid) words.Reject(0, smMainElevCount);
        break;
      default: break;
    }
  }
}

}  // namespace

void RunLineChecks(TZubFile& project) {
  const int lineCount = static_cast<int>(project.FTokens.size());
  for (int line = 0; line < lineCount; ++line) {
    TCheckedLine words(project.FTokens, line);
    if (words.size() > 0 && (words[0].Command == cmHC || words[0].Command == cmNC)) RequireNode(project, words, 1);
  }
  const TGridSize grid = MeasureGrid(project.FTokens);
  TCommandCounts counts;
  for (int line = 0; line < lineCount; ++line) {
    TCheckedLine words(project.FTokens, line);
    if (words.size() > 0 && words[0].Valid) CheckLine(project, words, counts, grid);
  }
  CheckGridCounts(project.FTokens, counts);
}

}  // namespace pelmora
