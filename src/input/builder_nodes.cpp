#include <algorithm>
#include <cmath>

#include "input/builder.h"
#include "input/builder_messages.h"
#include "input/equivk_lookup.h"
#include "input/format_text.h"
#include "input/units/text.h"
#include "input/units/units.h"

namespace pelmora {

namespace {

constexpr double kDischargeTolerance = 0.005;  // rounding allowance against an equivalent K's flow
constexpr int kGpm = 0, kPsi = 0, kGpmPerPsi = 0;

}  // namespace

double TZubFile::FlowFromK(double kFactor, double pressure) const {
  const double gpm = ConvertK(kFactor, Units.KFactor, kGpmPerPsi) * std::sqrt(ConvertPressure(pressure, Units.Pressure, kPsi));
  return ConvertFlow(gpm, kGpm, Units.Flow);
}

void TZubFile::Builder::NodePass() {
  for (Line = 0; Line < static_cast<int>(Project.FTokens.size()); ++Line) {
    const int command = CommandOf(Line);
    if (command == cmHead || command == cmNode || command == cmWater) ReadNodeLine(command);
  }
}

// The node joins the model only under a name not yet taken; every parameter is checked anyway,
// so that one run reports all problems of the line.
void TZubFile::Builder::ReadNodeLine(int command) {
  auto node = std::make_unique<TNode>();
  node->Line = Line;
  bool named = false;
  if (CheckParam(1, "name")) {
    node->Name = Word(1).Text;
    named = Engine.FindNode(node->Name) == nullptr;
    if (!named) AddError(kCommandErrorCode, FormatText(kNodeUsed, {CommandWord(), node->Name}), 1);
  }
  if (CheckParam(2, "elevation")) node->Elevation = Word(2).Value;
  if (Project.FOptions.RepNoteNode) node->Comment = LineNote(Line);
  std::unique_ptr<TSpecial> supply;
  switch (command) {
    case cmNode:
      node->Kind = nkNode;
      if (CheckParam(3, "discharge", true)) node->MinFlow = Word(3).Value;
      if (CheckParam(4, "minimum pressure", true)) node->MinPressure = Word(4).Value;
      break;
    case cmHead: ReadHeadData(*node); break;
    case cmWater: ReadWaterCurve(*node, supply); break;
    default: break;
  }
  TNode* added = node.get();
  if (!named || !Engine.AddNode(std::move(node))) return;
  if (supply) added->Supply = Engine.AddSpecial(std::move(supply));
}

void TZubFile::Builder::ReadHeadData(TNode& node) {
  const bool kValid = CheckParam(4, "K-factor");
  const TTokenView kWord = Word(std::min(4, WordCount() - 1));
  if (kValid && kWord.Value == 0) {
    node.Kind = nkNode;
    AddWarning(kHeadWarningCode, FormatText(kHeadDeactivated, {node.Name}), 4);
    return;
  }
  node.Kind = nkHead;
  node.Density = Project.FLineDensity[Line];
  node.MinPressure = Project.FLineMinHeadPressure[Line];
  if (CheckParam(3, "discharge")) {
    const double discharge = Word(3).Value;
    if (discharge >= 0) {
      node.MinFlow = discharge;
    } else if (kValid) {  // a negative discharge is the head's minimum pressure
      node.MinPressure = -discharge;
      node.MinFlow = Project.FlowFromK(kWord.Value, -discharge);
    }
  }
  if (!kValid) return;
  node.KFactor = kWord.Value;
  double numeric = 0;
  if (ParseK(kWord.Text, Project.Units.KFactor, numeric)) {
    ++Engine.FSprinklerCount;
    return;
  }
  node.KReference = kWord.Text;
  if (node.MinFlow < 0) return;
  for (const TEquivKFile& definition : Project.EquivK) {
    if (!SameText(definition.Code, kWord.Text)) continue;
    Engine.FSprinklerCount += definition.SprinklerCount;
    if (definition.GetDischarge() > node.MinFlow + kDischargeTolerance)
      AddWarning(kHeadWarningCode, FormatText(kBelowEquivKFlow, {FormatFloat("0.00", definition.GetDischarge())}), 3);
  }
}

void TZubFile::Builder::ReadWaterCurve(TNode& node, std::unique_ptr<TSpecial>& supply) {
  WaterSeen = true;
  node.Kind = nkWater;
  if (CheckParam(3, "static pressure")) {
    supply = std::make_unique<TSpecial>();
    supply->Name = "Water Source";
    supply->Kind = skWater;
    supply->Owner = &node;
    supply->Line = Line;
    supply->Flows = {0};
    supply->Pressures = {Word(3).Value};
  }
  for (int k = 4; HasParameter(k); k += 2) {
    if (CheckParam(k, "flow rate") && supply) supply->Flows.push_back(Word(k).Value);
    if (CheckParam(k + 1, "residual pressure") && supply) supply->Pressures.push_back(Word(k + 1).Value);
  }
}

void TZubFile::Builder::NodeCopyAndPumpNodePass() {
  for (Line = 0; Line < static_cast<int>(Project.FTokens.size()); ++Line) {
    const int command = CommandOf(Line);
    if (command == cmHC || command == cmNC) ReadNodeCopies();
    if (command == cmPump) CreatePumpNodes();
  }
}

void TZubFile::Builder::ReadNodeCopies() {
  if (!CheckParam(1, "source node name")) return;
  const TNode* source = Engine.FindNode(Word(1).Text);
  if (source == nullptr) {
    AddError(kCommandErrorCode, FormatText(kInvalidParameter, {CommandWord(), Word(1).Text, "source node name"}), 1);
    return;
  }
  int increment = 1;
  if (!source->KReference.empty()) {
    const TEquivKFile* definition = FindEquivK(Project, source->KReference);
    increment = definition ? definition->SprinklerCount : 1;
  }
  for (int k = 2; HasParameter(k); ++k) {
    if (!CheckParam(k, "copy node name")) continue;
    const std::string name(Word(k).Text);
    if (Engine.FindNode(name)) {
      AddError(kCommandErrorCode, FormatText(kCopyNodeUsed, {name}), k);
      continue;
    }
    auto copy = std::make_unique<TNode>();
    copy->Name = name;
    copy->Line = Line;
    copy->Kind = source->Kind;
    copy->Elevation = source->Elevation;
    copy->MinFlow = source->MinFlow;
    copy->MinPressure = source->MinPressure;
    copy->Density = source->Density;
    copy->KFactor = source->KFactor;
    copy->KReference = source->KReference;
    const bool head = copy->Kind == nkHead;
    if (Engine.AddNode(std::move(copy)) && head) Engine.FSprinklerCount += increment;
  }
}

// A pump between two new nodes creates them; a pump between existing nodes uses them.
void TZubFile::Builder::CreatePumpNodes() {
  if (WordCount() <= 3) return;
  for (int k = 1; k <= 3; ++k)
    if (!HasParameter(k) || !Word(k).Valid) return;
  if (Engine.FindNode(Word(1).Text) || Engine.FindNode(Word(2).Text)) return;
  for (int k = 1; k <= 2; ++k) {
    auto node = std::make_unique<TNode>();
    node->Name = Word(k).Text;
    node->Line = Line;
    node->Kind = nkNode;
    node->Elevation = Word(3).Value;
    Engine.AddNode(std::move(node));
  }
}

void TZubFile::Builder::NodeChangePass() { ForEachLine(cmChangeNode, &Builder::ChangeNode); }

void TZubFile::Builder::ChangeNode() {
  const bool named = CheckParam(1, "node name");
  if (!(CheckParam(2, "elevation") && named)) return;
  TNode* node = Engine.FindNode(Word(1).Text);
  if (node == nullptr) {
    AddError(kCommandErrorCode, FormatText(kNotPreviouslyUsed, {CommandWord(), "node name", Word(1).Text}), 1);
    return;
  }
  node->Elevation = Word(2).Value;
  if (CheckParam(3, "discharge", true)) node->MinFlow = Word(3).Value;
  if (!CheckParam(4, "minimum pressure", true)) return;
  // A head's pressure follows from its K-factor and a source's from its curve.
  if (node->Kind == nkNode)
    node->MinPressure = Word(4).Value;
  else
    AddError(kCommandErrorCode, FormatText(kMinPressureOfHead, {CommandWord(), node->Name}), 4);
}

void TZubFile::Builder::FourHeadsPass() {
  for (Line = 0; Line < static_cast<int>(Project.FTokens.size()); ++Line) {
    if (CommandOf(Line) != cmFourHeads) continue;
    Project.FFourHeads.clear();
    if (CheckParam(1, "node name")) Project.FFourHeads.emplace_back(Word(1).Text);
    for (int k = 2; k <= 4; ++k)
      if (CheckParam(k, "node name", true)) Project.FFourHeads.emplace_back(Word(k).Text);
  }
}

}  // namespace pelmora
