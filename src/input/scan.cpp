#include <string_view>

#include "equivk/equivk_project.h"
#include "input/command_table.h"
#include "input/expand_grid.h"
#include "input/line_checks.h"
#include "input/line_split.h"
#include "input/word_readers.h"
#include "input/zub_file.h"
#include "input/units/text.h"
#include "input/units/units.h"

namespace pelmora {

namespace {

constexpr double kStartCFactor = 120;
constexpr double kStartRoughnessInches = 0.004;  // commercial steel
constexpr double kStartDensity = 45;             // mm/min
constexpr int kInchCode = 2;

bool IsCommentWord(std::string_view text) { return text.starts_with("//"); }

// The next kind position: "-" is passed over, "Rn" steps back over the last n kinds.
size_t KindPosition(std::string_view kinds, size_t position) {
  if (position < kinds.size() && kinds[position] == '-') ++position;
  if (position + 1 < kinds.size() && kinds[position] == 'R') {
    const size_t back = static_cast<size_t>(kinds[position + 1] - '0');
    if (back >= 1 && back <= position) position -= back;
  }
  return position;
}

void ReadParameters(TZubFile& project, TZubParameterList& words, int line) {
  TScanLine scan{project, words, line, words[0].Command};
  const std::string_view kinds = CommandInfo(scan.Command).Kinds;
  bool inComment = scan.Command == cmComment;
  size_t position = 0;  // 0-based in the kind string; word k starts at k - 1
  for (int index = 1; index < static_cast<int>(words.size()); ++index, ++position) {
    TZubParameter& word = words[index];
    if (inComment || IsCommentWord(word.Text)) {
      inComment = true;
      word.Comment = true;
      word.Valid = true;
      continue;
    }
    position = KindPosition(kinds, position);
    if (position >= kinds.size()) continue;
    word.Letter = kinds[position];
    ReadWord(scan, index);
  }
}

// The line's words are read into a reused list and then stored compactly in the table.
void ScanLine(TZubFile& project, const std::string& text, int line, TZubParameterList& words,
              std::vector<TLinePiece>& pieces) {
  SplitLine(text, pieces);
  words.resize(pieces.size());
  for (size_t index = 0; index < pieces.size(); ++index) {
    // Field by field, so that the reused strings keep their buffers.
    TZubParameter& word = words[index];
    word.Value = 0;
    word.Text.assign(pieces[index].Word);
    word.Letter = 0;
    word.Command = -1;
    word.Column = index == 0 ? 0 : static_cast<int32_t>(pieces[index].WordBegin);
    word.Line = line;
    word.Valid = false;
    word.Suspect = false;
    word.Message.clear();
    word.Comment = false;
    word.Present = true;
  }
  if (!words.empty()) {
    TZubParameter& command = words[0];
    command.Command = LookupCommand(command.Text);
    command.Valid = command.Command != cmNone;
    if (command.Command == cmComment) command.Comment = true;
    if (command.Command == cmDarcy) project.FLineHazen[line] = 0;
    if (command.Command == cmHazen) project.FLineHazen[line] = 1;
    if (command.Valid) ReadParameters(project, words, line);
  }
  project.FTokens.AddLine(text, words);
}

void CopySettingsFromLine(TZubFile& project, int line) {
  project.FLineMaterial[line] = project.FLineMaterial[line - 1];
  project.FLineCFactor[line] = project.FLineCFactor[line - 1];
  project.FLineHazen[line] = project.FLineHazen[line - 1];
  project.FLineDensity[line] = project.FLineDensity[line - 1];
  project.FLineMinHeadPressure[line] = project.FLineMinHeadPressure[line - 1];
}

void ResetScan(TZubFile& project, const std::vector<std::string>& lines) {
  const size_t lineCount = lines.size();
  size_t characters = 0;
  for (const std::string& line : lines) characters += line.size();
  project.FTokens.Clear(lineCount, characters);
  project.FLineMaterial.assign(lineCount, "");
  project.FLineCFactor.assign(lineCount, 0);
  project.FLineHazen.assign(lineCount, 0);
  project.FLineDensity.assign(lineCount, 0);
  project.FLineMinHeadPressure.assign(lineCount, kNotSet);
  for (TNameList* list : {&project.FDefinedNodes, &project.FReferencedNodes, &project.FUndefinedNodes,
                          &project.FUnconnectedNodes, &project.FPipeNames, &project.FGeneratedPipes,
                          &project.FGeneratedNodes})
    list->Clear();
  project.FMaterials->MaterialFittings = project.MaterialFittings;
  project.FMaterials->UseFittingK = project.UseFittingK;
  if (lineCount == 0) return;
  project.FLineMaterial[0] = "S40";
  const bool cFactorFormula = project.FrictionFormula == 0 || project.FrictionFormula == 1;
  project.FLineCFactor[0] =
      cFactorFormula ? kStartCFactor : ConvertLength(kStartRoughnessInches, kInchCode, project.Units.Size);
  project.FLineDensity[0] = kStartDensity;
}

void FillNodeLists(TZubFile& project) {
  for (const std::string& name : project.FReferencedNodes.Names())
    if (!project.FDefinedNodes.Contains(name) && !project.FGeneratedNodes.Contains(name))
      project.FUndefinedNodes.Add(name);
  for (const std::string& name : project.FDefinedNodes.Names())
    if (!project.FReferencedNodes.Contains(name)) project.FUnconnectedNodes.Add(name);
}

}  // namespace

void TZubFile::ParseLines(const std::vector<std::string>& lines) {
  // K-factor words read the definitions' results, so those must be current first.
  UpdateEquivK(*this);
  ResetScan(*this, lines);
  TZubParameterList words;
  std::vector<TLinePiece> pieces;
  for (int line = 0; line < static_cast<int>(lines.size()); ++line) {
    if (line > 0) CopySettingsFromLine(*this, line);
    ScanLine(*this, lines[line], line, words, pieces);
  }
  FTokens.ShrinkToFit();
  GenerateGridNames(*this, 0);
  FillNodeLists(*this);
  RunLineChecks(*this);
}

TZubParameter TZubFile::GetToken(int line, int index) const {
  if (line < 0 || index < 0 || line >= static_cast<int>(FTokens.size()) ||
      index >= static_cast<int>(FTokens.WordCount(line)))
    return TZubParameter{};
  return FTokens.Word(line, static_cast<size_t>(index)).Record();
}

int TZubFile::FindCommandLine(int command, const std::string& name) const {
  for (int line = 0; line < static_cast<int>(FTokens.size()); ++line) {
    const TTokenLine words = FTokens[line];
    if (words.size() > 1 && words[0].Command == command && SameText(words[1].Text, name)) return line;
  }
  return -1;
}

int TZubFile::FindPipeLine(const std::string& name) const {
  for (int command : {cmPipe, cmChangePipe})
    if (int line = FindCommandLine(command, name); line >= 0) return line;
  return -1;
}

int TZubFile::FindNodeLine(const std::string& name) const {
  for (int command : {cmNode, cmHead, cmWater, cmChangeNode})
    if (int line = FindCommandLine(command, name); line >= 0) return line;
  return -1;
}

}  // namespace pelmora
