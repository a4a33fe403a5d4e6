#include "engine/calc_engine.h"
#include "engine/grid.h"
#include "input/builder.h"
#include "input/builder_messages.h"
#include "input/expand_grid.h"
#include "input/format_text.h"
#include "input/units/text.h"

namespace pelmora {

bool TZubFile::Interpret(const std::vector<std::string>& lines, TCalcEngine* engine) {
  if (engine == nullptr || lines.empty()) return false;
  ParseLines(lines);
  ApplySettings(*engine);
  engine->ClearErrors();
  FFourHeads.clear();
  Builder builder(*this, *engine);
  builder.SettingsPass();
  if (ExpandGrid(*this, lines, *engine)) builder.Run();
  return engine->FErrorCount == 0;
}

void TZubFile::ApplySettings(TCalcEngine& engine) {
  engine.FUseVelocityPressure = UseVelocity;
  engine.SetUnits(Units);
  engine.FGravity434 = Gravity13D;
  engine.FFrictionMethod = static_cast<uint8_t>(FrictionFormula);
  engine.FLiquid = Liquid;
  engine.FSourceCalculation = SourceCalc;
  engine.FFavourable = false;
  if (engine.FGrid)
    for (int seed = 0; seed < gsCount; ++seed) engine.FGrid->FFirstNames[seed] = NameSeeds[seed];
  engine.FMaterials = FMaterials;
  FMaterials->MaterialFittings = MaterialFittings;
  FMaterials->UseFittingK = UseFittingK;
  engine.FSprinklerCount = 0;
}

// The model-building passes after the grid expansion, in their fixed order.
void TZubFile::Builder::Run() {
  NodePass();
  NodeCopyAndPumpNodePass();
  NodeChangePass();
  PipePass();
  FourHeadsPass();
  PumpPipePass();
  PipeCopyPass();
  PipeChangePass();
  CurveDevicePass();
  RefreshHazenFlags();
  ReportMissingCommands();
}

int TZubFile::Builder::CommandOf(int line) const {
  return Project.FTokens.AcceptedCommand(line);
}

void TZubFile::Builder::ForEachLine(int command, void (Builder::*read)()) {
  for (Line = 0; Line < static_cast<int>(Project.FTokens.size()); ++Line)
    if (CommandOf(Line) == command) (this->*read)();
}

bool TZubFile::Builder::CheckParam(int index, std::string_view displayName, bool optional) {
  const TTokenView word = index < WordCount() ? Word(index) : TTokenView{};
  if (!word.Present || word.Comment) {
    if (!optional)
      AddError(kMissingParameterCode, FormatText(kMissingParameter, {CommandWord(), displayName}), index);
    return false;
  }
  if (word.Valid) return true;
  const std::string text =
      word.Message.empty() ? FormatText(kInvalidParameter, {CommandWord(), word.Text, displayName}) : std::string(word.Message);
  AddError(kCommandErrorCode, text, index);
  return false;
}

void TZubFile::Builder::WarnSurplus(int firstSurplus) {
  if (HasParameter(firstSurplus))
    AddWarning(kCommandErrorCode, FormatText(kTooManyParameters, {CommandWord()}), firstSurplus);
}

// The words from the first "//" on, joined, without the slashes: "// Main riser" gives "Main riser".
std::string TZubFile::Builder::LineNote(int line) const {
  std::string joined;
  for (const TTokenView word : Project.FTokens[line]) {
    if (!word.Comment) continue;
    if (!joined.empty()) joined += ' ';
    joined += word.Text;
  }
  joined = Trim(joined);
  return joined.size() < 2 ? std::string() : Trim(joined.substr(2));
}

std::string TZubFile::Builder::PrecedingNote() const {
  return Line > 0 && CommandOf(Line - 1) == cmComment ? LineNote(Line - 1) : std::string();
}

void TZubFile::Builder::RefreshHazenFlags() {
  const int lineCount = static_cast<int>(Project.FLineHazen.size());
  for (size_t number = 1; number < Engine.FPipes.size(); ++number) {
    TPipe* pipe = Engine.FPipes[number];
    if (pipe && pipe->Line >= 0 && pipe->Line < lineCount) pipe->HazenPipe = Project.FLineHazen[pipe->Line] != 0;
  }
}

void TZubFile::Builder::ReportMissingCommands() {
  if (!WaterSeen) Engine.AddError(kNoWaterCode, std::string(kNoWater), -1, -1);
  if (Project.HeadArea && !DensitySeen) Engine.AddWarning(kNoDensityCode, std::string(kNoDensity), -1, -1);
}

}  // namespace pelmora
