// One reader per grid command: parameters checked and handed to the engine's grid.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "input/builder_messages.h"
#include "input/command_table.h"
#include "input/equivk_lookup.h"
#include "input/format_text.h"
#include "input/grid_expander.h"

namespace pelmora {

namespace {

constexpr int kGridOrderCode = 2051;
constexpr std::string_view kNoPreviousMain = "%s command: a previous \"Main\" or \"MainV\" command is required.";
constexpr std::string_view kGridTooManyParameters = "\"%s\" command has too many parameters.";
constexpr std::string_view kGridRefused = "%s command: the grid cannot take this command.";

bool IsSigned(std::string_view text) { return !text.empty() && (text[0] == '+' || text[0] == '-'); }

}  // namespace

void TGridExpander::ForEachLine(std::initializer_list<int> commands, void (TGridExpander::*read)(int command)) {
  for (FLine = 0; FLine < static_cast<int>(FProject.FTokens.size()); ++FLine) {
    const int command = GridCommandOf(FProject, FLine);
    if (std::find(commands.begin(), commands.end(), command) != commands.end()) (this->*read)(command);
  }
}

bool TGridExpander::HasParameter(int index) const {
  return index < static_cast<int>(Words().size()) && !Word(index).Comment;
}

bool TGridExpander::CheckGridParam(int index, std::string_view displayName, bool optional) {
  if (!HasParameter(index)) {
    if (!optional)
      FGrid.AddGridError(kMissingParameterCode, FormatText(kMissingParameter, {CommandWord(), displayName}), index,
                         FLine);
    if (!optional) FFailed = true;
    return false;
  }
  const TTokenView word = Word(index);
  if (word.Valid) return true;
  const std::string text =
      word.Message.empty() ? FormatText(kInvalidParameter, {CommandWord(), word.Text, displayName}) : std::string(word.Message);
  FGrid.AddGridError(kCommandErrorCode, text, index, FLine);
  FFailed = true;
  return false;
}

double TGridExpander::SizeOf(int index) const {
  double size = 0;
  ParseSize(Word(index).Text, FProject.Units.Size, size);
  return size;
}

TGridPipeSettings TGridExpander::LineSettings() const {
  return {FLine, FProject.FLineMaterial[FLine], FProject.FLineCFactor[FLine], FProject.FLineHazen[FLine] != 0};
}

void TGridExpander::WarnSurplus(int firstSurplus) {
  if (HasParameter(firstSurplus))
    FGrid.AddGridWarning(kCommandErrorCode, FormatText(kGridTooManyParameters, {CommandWord()}), firstSurplus, FLine);
}

void TGridExpander::Refused() {
  FGrid.AddGridError(kGridOrderCode, FormatText(kGridRefused, {CommandWord()}), 0, FLine);
  FFailed = true;
}

void TGridExpander::ReadSwitch(int command) {
  if (command == cmAutoPeak || command == cmReduce) {
    (command == cmAutoPeak ? FGrid.FAutoPeak : FGrid.FReduce) = true;
    WarnSurplus(1);
    return;
  }
  ReadMain(command);
}

// MAIN: one spacing and extra nodes; MAINV and MAINCONT: spacings in turn.
void TGridExpander::ReadMain(int command) {
  FGrid.SetLineSettings(LineSettings());
  if (command == cmMainCont && FMainsRead == 0) {
    FGrid.AddGridError(kGridOrderCode, FormatText(kNoPreviousMain, {CommandWord()}), 0, FLine);
    FFailed = true;
    return;
  }
  const int index = command == cmMainCont ? FMainsRead - 1 : FMainsRead++;
  bool ok = CheckGridParam(1, "pipe size");
  ok = CheckGridParam(2, "number of branchlines") && ok;
  ok = CheckGridParam(3, "spacing between branchlines") && ok;
  std::vector<double> spacings;
  if (ok) spacings.push_back(Word(3).Value);
  std::vector<TCalcGridXtraNode> extras;
  for (int k = 4; HasParameter(k); k += command == cmMain ? 2 : 1) {
    if (command != cmMain) {
      if (CheckGridParam(k, "spacing between branchlines", true)) spacings.push_back(Word(k).Value);
      else ok = false;
      continue;
    }
    const bool named = CheckGridParam(k, "node name", true);
    const bool placed = CheckGridParam(k + 1, "pipe length");
    if (named && placed) extras.push_back({Word(k + 1).Value, std::string(Word(k).Text)});
    ok = ok && named && placed;
  }
  if (!ok) return;
  if (!FGrid.AddMain(index, static_cast<int>(Word(2).Value), spacings, extras, SizeOf(1))) Refused();
}

// TREELEFT and TREERIGHT: the start length and size, then length and size pairs outward.
void TGridExpander::ReadTree(int command) {
  FGrid.SetLineSettings(LineSettings());
  bool ok = CheckGridParam(1, "number of heads per branchline");
  ok = CheckGridParam(2, "pipe length") && ok;
  ok = CheckGridParam(3, "pipe size") && ok;
  std::vector<double> lengths, sizes;
  if (ok) {
    lengths.push_back(Word(2).Value);
    sizes.push_back(SizeOf(3));
  }
  for (int k = 4; HasParameter(k); k += 2) {
    const bool lengthOk = CheckGridParam(k, "pipe length", true);
    const bool sizeOk = CheckGridParam(k + 1, "pipe size");
    if (lengthOk && sizeOk) {
      lengths.push_back(Word(k).Value);
      sizes.push_back(SizeOf(k + 1));
    }
    ok = ok && lengthOk && sizeOk;
  }
  if (!ok) return;
  if (!FGrid.AddTree(command == cmTreeLeft, static_cast<int>(Word(1).Value), lengths, sizes)) Refused();
}

void TGridExpander::ReadLine(int) {
  FGrid.SetLineSettings(LineSettings());
  const int bay = ++FLinesRead;
  bool ok = CheckGridParam(1, "number of heads per branchline");
  ok = CheckGridParam(2, "pipe size") && ok;
  ok = CheckGridParam(3, "pipe length") && ok;
  ok = CheckGridParam(4, "pipe length") && ok;
  ok = CheckGridParam(5, "pipe length") && ok;
  std::vector<double> spacings;
  if (ok) spacings.push_back(Word(5).Value);
  for (int k = 6; HasParameter(k); ++k) {
    if (CheckGridParam(k, "pipe length", true)) spacings.push_back(Word(k).Value);
    else ok = false;
  }
  if (!ok) return;
  if (!FGrid.AddLines(bay, static_cast<int>(Word(1).Value), SizeOf(2), Word(3).Value, Word(4).Value, spacings))
    Refused();
}

void TGridExpander::ReadMainElevation(int) {
  const int mainNumber = ++FMainElevsRead;
  bool ok = CheckGridParam(1, "elevation");
  const bool hasEnd = CheckGridParam(2, "elevation", true);
  const bool hasThird = CheckGridParam(3, "distance to third elevation", true);
  ok = ok && (hasEnd || !HasParameter(2)) && (hasThird || !HasParameter(3));
  if (hasThird || HasParameter(3)) ok = CheckGridParam(4, "elevation") && ok;
  WarnSurplus(5);
  if (!ok) return;
  const double start = Word(1).Value;
  const double end = hasEnd ? Word(2).Value : start;
  if (!FGrid.AddMainElevation(mainNumber, start, end, hasThird ? Word(3).Value : 0, hasThird ? Word(4).Value : 0))
    FFailed = true;
}

// LINEELEV gives elevations along each branch line, LINEELEV2 from the first branch line to the last.
void TGridExpander::ReadLineElevation(int command) {
  bool ok = CheckGridParam(1, "elevation");
  const bool hasEnd = CheckGridParam(2, "elevation", true);
  ok = ok && (hasEnd || !HasParameter(2));
  std::vector<double> offsets, elevations;
  for (int k = 3; HasParameter(k); k += 2) {
    const bool offsetOk = CheckGridParam(k, "extra node offset distance");
    const bool elevationOk = CheckGridParam(k + 1, "elevation");
    if (offsetOk && elevationOk) {
      offsets.push_back(Word(k).Value);
      elevations.push_back(Word(k + 1).Value);
    }
    ok = ok && offsetOk && elevationOk;
  }
  if (!ok) return;
  bool relative = false;
  for (int k = 1; HasParameter(k); ++k) relative = relative || IsSigned(Word(k).Text);
  const double start = Word(1).Value;
  const double end = hasEnd ? Word(2).Value : start;
  if (!FGrid.AddLineElevation(command == cmLineElev2, start, end, offsets, elevations, relative)) Refused();
}

// The k-th size is for the riser nipples of the k-th main.
void TGridExpander::ReadRiserNipples(int) {
  const int mains = static_cast<int>(FGrid.Mains().size());
  for (int k = 1; k == 1 || HasParameter(k); ++k) {
    if (!CheckGridParam(k, "pipe size", k > 1) || k > mains) continue;
    FGrid.SetRiserNippleSize(k - 1, SizeOf(k), LineSettings());
  }
}

void TGridExpander::ReadDrop(int) {
  bool ok = CheckGridParam(1, "elevation");
  ok = CheckGridParam(2, "pipe size") && ok;
  const bool hasArmOver = CheckGridParam(3, "pipe length", true);
  ok = ok && (hasArmOver || !HasParameter(3));
  WarnSurplus(4);
  if (ok) FGrid.SetDrop(LineSettings(), Word(1).Value, SizeOf(2), hasArmOver ? Word(3).Value : 0);
}

void TGridExpander::ReadFlow(int) {
  bool ok = true;
  for (int k = 1; k <= 4; ++k) ok = CheckGridParam(k, "remote area rectangle") && ok;
  ok = CheckGridParam(5, "discharge") && ok;
  ok = CheckGridParam(6, "K-factor") && ok;
  WarnSurplus(7);
  if (!ok) return;
  const double kFactor = Word(6).Value;
  if (!(kFactor > 0)) {
    // A head without a K-factor has no pressure for its flow.
    FGrid.AddGridError(kCommandErrorCode, FormatText(kInvalidParameter, {CommandWord(), Word(6).Text, "K-factor"}), 6,
                       FLine);
    FFailed = true;
    return;
  }
  auto whole = [this](int k) { return static_cast<int>(Word(k).Value); };
  TRemoteArea area;
  area.FirstHead = std::min(whole(1), whole(3)) - 1;
  area.LastHead = std::max(whole(1), whole(3)) - 1;
  area.FirstLine = std::min(whole(2), whole(4)) - 1;
  area.LastLine = std::max(whole(2), whole(4)) - 1;
  const double discharge = Word(5).Value;
  area.Discharge = discharge;
  if (discharge < 0) {
    area.MinPressure = -discharge;
    area.Discharge = FProject.FlowFromK(kFactor, -discharge);
  }
  area.KFactor = kFactor;
  area.DischargeText = Word(5).Text;
  area.KText = Word(6).Text;
  area.Density = FProject.FLineDensity[FLine];
  area.Line = FLine;
  AddRemoteArea(area);
}

// Every head of the area counts as a sprinkler; an equivalent-K head counts its definition's sprinklers.
void TGridExpander::AddRemoteArea(TRemoteArea area) {
  const int heads = (area.LastHead - area.FirstHead + 1) * (area.LastLine - area.FirstLine + 1);
  double numeric = 0;
  if (ParseK(area.KText, FProject.Units.KFactor, numeric)) {
    FEngine.FSprinklerCount += heads;
  } else {
    area.KReference = area.KText;
    for (const TEquivKFile& definition : FProject.EquivK) {
      if (!SameText(definition.Code, area.KText)) continue;
      FEngine.FSprinklerCount += definition.SprinklerCount * heads;
      if (definition.GetDischarge() > Word(5).Value + 0.005)
        FEngine.AddWarning(kHeadWarningCode,
                           FormatText(kBelowEquivKFlow, {FormatFloat("0.00", definition.GetDischarge())}), 5, FLine);
    }
  }
  FGrid.AddRemoteArea(area);
}

}  // namespace pelmora
