#include "input/expand_grid.h"

#include "input/builder_messages.h"
#include "input/command_table.h"
#include "input/format_text.h"
#include "input/grid_expander.h"

namespace pelmora {

namespace {

constexpr int kGridCountCode = 2050;
constexpr int kGridOrderCode = 2051;
constexpr int kGridMissingCode = 2052;

constexpr std::string_view kMainElevPerMain =
    "One \"MainElev\" command is required for each \"Main\" and \"MainV\" command entered.";
constexpr std::string_view kLinesForMain =
    "Atleast one \"Line\", \"TreeLeft\", or \"TreeRight\" command required when \"Main\" or \"MainV\" is used.";
constexpr std::string_view kLinesForLineElev =
    "Atleast one \"Line\", \"TreeLeft\", or \"TreeRight\" command required when \"LineElev\" or \"LineElev2\" is "
    "used.";
constexpr std::string_view kLineElevRequired =
    "A \"LineElev\" command is required when \"Line\", \"TreeLeft\", or \"TreeRight\" is used.";
constexpr std::string_view kLinesForRN =
    "Atleast one \"Line\", \"TreeLeft\", or \"TreeRight\" command required when \"RN\" command is used.";
constexpr std::string_view kLinesForDrop =
    "Atleast one \"Line\", \"TreeLeft\", or \"TreeRight\" command required when \"Drop\" command is used.";
constexpr std::string_view kLinesForFlow =
    "Atleast one \"Line\", \"TreeLeft\", or \"TreeRight\" command required when \"Flow\" command is used.";
constexpr std::string_view kNotEnoughLines = "Not enough Line commands for number of mains entered.";
constexpr std::string_view kMEPerM = "One ME command is required for each M command entered.";
constexpr std::string_view kTooManyME = "Too many ME commands for number of M commands entered.";
constexpr std::string_view kOneLE = "Only one LE command is allowed.";
constexpr std::string_view kLERequired = "LE command is required but not entered.";
constexpr std::string_view kGridNotBuilt = "The grid commands could not be expanded.";

}  // namespace

int GridCommandOf(const TZubFile& project, int line) {
  return project.FTokens.AcceptedCommand(line);
}

TGridExpander::TGridExpander(TZubFile& project, TCalcEngine& engine)
    : FProject(project), FEngine(engine), FGrid(*engine.FGrid) {
  FGrid.FUnits = project.Units;
  for (int seed = 0; seed < gsCount; ++seed) FGrid.FFirstNames[seed] = project.NameSeeds[seed];
  FGrid.FAutoPeak = FGrid.FReduce = false;
}

bool TGridExpander::Run() {
  CountCommands();
  if (FCounts.Total() == 0 && !FFailed) return true;
  // Generated names must avoid the text's own; a text without grid commands needs no list.
  FGrid.SetUsedNames(FProject.FDefinedNodes.Names(), FProject.FPipeNames.Names());
  CheckConsistency();
  if (FFailed) return false;
  ForEachLine({cmAutoPeak, cmReduce, cmMain, cmMainV, cmMainCont}, &TGridExpander::ReadSwitch);
  ForEachLine({cmTreeLeft}, &TGridExpander::ReadTree);
  ForEachLine({cmLine}, &TGridExpander::ReadLine);
  ForEachLine({cmTreeRight}, &TGridExpander::ReadTree);
  ForEachLine({cmMainElev}, &TGridExpander::ReadMainElevation);
  if (static_cast<int>(FGrid.Mains().size()) > 1 + FCounts.Lines)
    FGrid.AddGridError(kGridCountCode, std::string(kNotEnoughLines), 0, 1);
  ForEachLine({cmLineElev, cmLineElev2}, &TGridExpander::ReadLineElevation);
  ForEachLine({cmRN}, &TGridExpander::ReadRiserNipples);
  ForEachLine({cmDrop}, &TGridExpander::ReadDrop);
  ForEachLine({cmFlow}, &TGridExpander::ReadFlow);
  CheckFinalCounts();
  if (FFailed || FGrid.HasGridErrors()) return HandMessagesOnFailure();
  if (FGrid.CommitGrid()) return true;
  return HandMessagesOnFailure();
}

// Also reports every command word the line checks rejected, since nothing may be built past it.
void TGridExpander::CountCommands() {
  for (FLine = 0; FLine < static_cast<int>(FProject.FTokens.size()); ++FLine) {
    const TTokenLine words = Words();
    if (words.empty() || words[0].Command == cmNone) continue;
    if (!words[0].Valid) {
      const std::string text =
          words[0].Message.empty() ? FormatText(kUnknownCommand, {words[0].Text}) : std::string(words[0].Message);
      EngineError(kGridOrderCode, text, FLine);
      FFailed = true;
      continue;
    }
    switch (words[0].Command) {
      case cmMain: case cmMainV: ++FCounts.Mains; FCounts.LastMain = FLine; break;
      case cmMainElev: ++FCounts.MainElevs; break;
      case cmLine: ++FCounts.Lines; FCounts.LastLineOrTree = FLine; break;
      case cmTreeLeft: case cmTreeRight: ++FCounts.Trees; FCounts.LastLineOrTree = FLine; break;
      case cmLineElev: case cmLineElev2: ++FCounts.LineElevs; FCounts.LastLineElev = FLine; break;
      case cmRN: ++FCounts.RNs; FCounts.LastRN = FLine; break;
      case cmDrop: ++FCounts.Drops; FCounts.LastDrop = FLine; break;
      case cmFlow: ++FCounts.Flows; FCounts.LastFlow = FLine; break;
      case cmMainCont: case cmAutoPeak: case cmReduce: ++FCounts.Others; break;
      default: break;
    }
  }
}

void TGridExpander::EngineError(int code, const std::string& text, int line) { FEngine.AddError(code, text, 0, line); }

void TGridExpander::CheckConsistency() {
  const TGridCommandCounts& c = FCounts;
  const bool anyLines = c.Lines + c.Trees > 0;
  auto require = [this](bool ok, std::string_view text, int line) {
    if (ok) return;
    EngineError(kGridMissingCode, std::string(text), line);
    FFailed = true;
  };
  require(c.MainElevs >= c.Mains, kMainElevPerMain, c.LastMain);
  require(c.Mains == 0 || anyLines, kLinesForMain, c.LastMain);
  require(c.LineElevs == 0 || anyLines, kLinesForLineElev, c.LastLineElev);
  if (anyLines) {
    require(c.LineElevs > 0, kLineElevRequired, c.LastLineOrTree);
    if (c.Mains == 0 || c.Lines >= c.Mains) {
      const int needed = std::max(1, c.Lines + 1 - c.Mains);
      const std::string text = std::to_string(needed) +
                               (needed == 1 ? " more \"Main\" command is needed." : " more \"Main\" commands are needed.");
      require(false, text, c.LastLineOrTree);
    }
  }
  require(c.RNs == 0 || anyLines, kLinesForRN, c.LastRN);
  require(c.Drops == 0 || anyLines, kLinesForDrop, c.LastDrop);
  require(c.Flows == 0 || anyLines, kLinesForFlow, c.LastFlow);
}

void TGridExpander::CheckFinalCounts() {
  const TGridCommandCounts& c = FCounts;
  if (c.MainElevs < c.Mains) FGrid.AddGridError(kGridMissingCode, std::string(kMEPerM), 0, 0);
  if (c.MainElevs > c.Mains) FGrid.AddGridError(kGridMissingCode, std::string(kTooManyME), 0, 0);
  if (c.LineElevs > 1) FGrid.AddGridError(kGridMissingCode, std::string(kOneLE), 0, 0);
  if (c.Lines > 0 && c.LineElevs == 0) FGrid.AddGridError(kGridMissingCode, std::string(kLERequired), 0, 0);
}

// The grid's messages become the engine's; a failure always leaves at least one error behind.
bool TGridExpander::HandMessagesOnFailure() {
  const int errorsBefore = FEngine.FErrorCount;
  for (const TCalcError& message : FGrid.GridMessages()) {
    if (message.Text.rfind("(WARNING) ", 0) == 0)
      FEngine.AddWarning(message.Code, message.Text.substr(10), message.Param, message.Line);
    else
      FEngine.AddError(message.Code, message.Text, message.Param, message.Line);
  }
  if (FEngine.FErrorCount == errorsBefore && errorsBefore == 0)
    FEngine.AddError(kGridMissingCode, std::string(kGridNotBuilt), 0, -1);
  return false;
}

bool ExpandGrid(TZubFile& project, const std::vector<std::string>&, TCalcEngine& engine) {
  if (!engine.FGrid) return true;
  return TGridExpander(project, engine).Run();
}

}  // namespace pelmora
