#include "input/line_checks.h"

#include <algorithm>
#include <string>

#include "input/command_table.h"
#include "input/scan_messages.h"
#include "input/zub_file.h"
#include "input/units/text.h"

namespace pelmora {

namespace {

// A word that a check may still reject: present, not a comment, not already rejected.
TZubParameter* CheckableWord(TZubParameterList& words, size_t index) {
  if (index >= words.size()) return nullptr;
  TZubParameter& word = words[index];
  return word.Present && !word.Comment && word.Valid ? &word : nullptr;
}

void Reject(TZubParameter& word, TScanMessage message, std::initializer_list<std::string_view> values = {}) {
  word.Valid = false;
  word.Suspect = false;
  word.Message = ScanMessage(message, values);
}

void RequireNode(TZubFile& project, TZubParameterList& words, size_t index) {
  TZubParameter* word = CheckableWord(words, index);
  if (word && !project.FDefinedNodes.Contains(word->Text) && !project.FGeneratedNodes.Contains(word->Text))
    Reject(*word, smNoNode, {word->Text});
}

void RequirePipe(TZubFile& project, TZubParameterList& words, size_t index) {
  TZubParameter* word = CheckableWord(words, index);
  if (word && !project.FPipeNames.Contains(word->Text) && !project.FGeneratedPipes.Contains(word->Text))
    Reject(*word, smNoPipe, {word->Text});
}

void RequireDifferentEnds(TZubParameterList& words, size_t start, size_t end) {
  TZubParameter* endWord = CheckableWord(words, end);
  if (endWord && start < words.size() && !words[start].Comment && SameText(words[start].Text, endWord->Text))
    Reject(*endWord, smSameEnds);
}

int WholeValue(const TZubParameterList& words, size_t index) {
  return index < words.size() && words[index].Valid && !words[index].Comment ? static_cast<int>(words[index].Value)
                                                                             : 0;
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
  for (const TZubParameterList& words : tokens) {
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

void CheckFlowArea(TZubParameterList& words, const TGridSize& grid) {
  for (size_t index = 1; index <= 4; ++index) {
    const int limit = index % 2 == 1 ? grid.Heads : grid.BranchLines;
    TZubParameter* word = CheckableWord(words, index);
    if (word && limit > 0 && word->Value > limit) Reject(*word, smFlowOutside, {word->Text, std::to_string(limit)});
  }
}

// Commands that may stand only once in a text.
void RejectRepeat(TZubParameterList& words, int& count, TScanMessage message) {
  if (++count > 1 && words[0].Valid) Reject(words[0], message);
}

struct TCommandCounts {
  int Drops = 0, LineElevs = 0, TreeLefts = 0, TreeRights = 0, Mains = 0, MainElevs = 0, Lines = 0;
};

void CheckLine(TZubFile& project, TZubParameterList& words, TCommandCounts& counts, const TGridSize& grid) {
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
  for (TZubParameterList& words : tokens) {
    if (words.empty()) continue;
    switch (words[0].Command) {
      case cmRN:
        for (size_t index = counts.Mains + 1; counts.Mains > 0 && index < words.size(); ++index)
          if (TZubParameter* word = CheckableWord(words, index)) Reject(*word, smRiserSizes, {"RN"});
        break;
      case cmLine:
        if (++lines >= counts.Mains && counts.Mains > 0 && words[0].Valid) {
          words[0].Suspect = true;
          words[0].Message = ScanMessage(smLineCount, {"Line"});
        }
        break;
      case cmMainElev:
        if (++mainElevs > counts.Mains && words[0].Valid) Reject(words[0], smMainElevCount);
        break;
      default: break;
    }
  }
}

}  // namespace

void RunLineChecks(TZubFile& project) {
  for (TZubParameterList& words : project.FTokens)
    if (!words.empty() && (words[0].Command == cmHC || words[0].Command == cmNC)) RequireNode(project, words, 1);
  const TGridSize grid = MeasureGrid(project.FTokens);
  TCommandCounts counts;
  for (TZubParameterList& words : project.FTokens)
    if (!words.empty() && words[0].Valid) CheckLine(project, words, counts, grid);
  CheckGridCounts(project.FTokens, counts);
}

}  // namespace pelmora
