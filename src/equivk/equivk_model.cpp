#include "equivk/equivk_model.h"

#include <cmath>

#include "equivk/equivk_language.h"
#include "equivk/equivk_messages.h"
#include "input/builder_messages.h"
#include "input/units/names.h"
#include "input/units/text.h"

namespace pelmora {

namespace {

constexpr double kTolerancePsi = 0.001;
constexpr int kPsi = 0, kGpm = 0, kGpmPerPsi = 0;

void ApplySettings(TCalcEngine& engine, const TEquivKSettings& settings) {
  engine.SetUnits(settings.Units);
  engine.FUseVelocityPressure = settings.UseVelocity;
  engine.FGravity434 = settings.Gravity13D;
  engine.FFrictionMethod = static_cast<uint8_t>(settings.FrictionFormula);
  engine.FLiquid = settings.Liquid;
  engine.FSourceCalculation = false;
  engine.FFavourable = false;
  engine.FTolerance = kTolerancePsi;
  engine.FMaterials = &settings.Database();
  settings.Database().MaterialFittings = settings.MaterialFittings;
  settings.Database().UseFittingK = settings.UseFittingK;
  engine.FSprinklerCount = 0;
  engine.ClearErrors();
}

class TEquivKBuilder {
 public:
  TEquivKBuilder(const TEquivKFile& definition, const TEquivKSettings& settings, TCalcEngine& engine)
      : FDefinition(definition), FSettings(settings), FEngine(engine) {}

  void Run() {
    AddSource();
    int previousCommand = ecNone;
    for (FLine = 0; FLine < static_cast<int>(FDefinition.FTokens.size()); ++FLine) {
      const TZubParameterList& words = FDefinition.FTokens[FLine];
      if (words.empty() || words[0].Command == ecComment) continue;
      switch (words[0].Command) {
        case ecHead: ReadHead(previousCommand == ecPipe); break;
        case ecPipe: ReadPipe(); break;
        case ecUse: ReadUse(); break;
        default: AddError(kUnknownCommandCode, FillText(kUnknownCommand, {words[0].Text}), 0);
      }
      previousCommand = words[0].Command;
    }
  }

 private:
  const TZubParameterList& Words() const { return FDefinition.FTokens[FLine]; }
  const TZubParameter& Word(int index) const { return Words()[index]; }
  const std::string& CommandWord() const { return Word(0).Text; }
  bool HasParameter(int index) const {
    return index < static_cast<int>(Words().size()) && !Word(index).Comment;
  }
  void AddError(int code, const std::string& text, int param) { FEngine.AddError(code, text, param, FLine); }
  void AddWarning(int code, const std::string& text, int param) { FEngine.AddWarning(code, text, param, FLine); }

  bool CheckParam(int index, std::string_view displayName) {
    if (!HasParameter(index)) {
      AddError(kMissingParameterCode, FillText(kMissingParameter, {CommandWord(), displayName}), index);
      return false;
    }
    const TZubParameter& word = Word(index);
    if (word.Valid) return true;
    const bool ownText = word.Letter == 'F' && !word.Message.empty();
    AddError(kCommandErrorCode,
             ownText ? word.Message : FillText(kInvalidParameter, {CommandWord(), word.Text, displayName}), index);
    return false;
  }

  void WarnSurplus(int firstSurplus) {
    if (HasParameter(firstSurplus))
      AddWarning(kCommandErrorCode, FillText(kTooManyParameters, {CommandWord()}), firstSurplus);
  }

  TNode* AddNode(const std::string& name, TNodeKind kind, double elevation) {
    auto node = std::make_unique<TNode>();
    node->Name = name;
    node->Kind = kind;
    node->Elevation = elevation;
    node->Line = FLine;
    TNode* added = node.get();
    return FEngine.AddNode(std::move(node)) ? added : nullptr;
  }

  void AddSource() {
    FLine = -1;
    TNode* source = AddNode(FCurrent, nkWater, 0);
    auto supply = std::make_unique<TSpecial>();
    supply->Name = "Water Source";
    supply->Kind = skWater;
    supply->Owner = source;
    supply->Flows = {0};
    supply->Pressures = {ConvertPressure(kEquivKSourcePsi, kPsi, FSettings.Units.Pressure)};
    source->Supply = FEngine.AddSpecial(std::move(supply));
  }

  // Each pipe runs from the current node to a new node, which becomes the current one.
  void ReadPipe() {
    auto pipe = std::make_unique<TPipe>();
    pipe->Line = FLine;
    pipe->Name = FCurrent;
    pipe->Material = FDefinition.FLineMaterial[FLine];
    pipe->CFactor = FDefinition.FLineCFactor[FLine];
    if (CheckParam(1, "pipe length")) pipe->Length = Word(1).Value;
    if (CheckParam(2, "nominal diameter")) ParseSize(Word(2).Text, FSettings.Units.Size, pipe->NominalSize);
    ReadFittings(*pipe);
    const double elevation = FEngine.FindNode(FCurrent)->Elevation;
    pipe->FromName = FCurrent;
    pipe->FromNode = FEngine.FindNode(FCurrent);
    FCurrent = NextName(FCurrent);
    pipe->ToName = FCurrent;
    pipe->ToNode = AddNode(FCurrent, nkNode, elevation);
    FEngine.AddPipe(std::move(pipe));
  }

  void ReadFittings(TPipe& pipe) {
    for (int k = 3; HasParameter(k); ++k) {
      if (!CheckParam(k, "fitting code")) continue;
      const std::string& code = Word(k).Text;
      if (SameText(code, "VB"))
        pipe.VelocityAtBegin = true;
      else if (SameText(code, "VE"))
        pipe.VelocityAtEnd = true;
      else
        pipe.Fittings.push_back(code);
    }
  }

  // The head is the node the pipe of the line before ends at.
  void ReadHead(bool afterPipe) {
    if (!afterPipe) {
      AddError(kCommandErrorCode, std::string(kEquivKHeadPlace), 1);
      return;
    }
    const bool elevation = CheckParam(1, "elevation");
    const bool discharge = CheckParam(2, "discharge");
    const bool kFactor = CheckParam(3, "K-factor");
    WarnSurplus(4);
    if (!(elevation && discharge && kFactor)) return;
    TNode& node = *FEngine.FindNode(FCurrent);
    node.Line = FLine;
    node.Elevation = Word(1).Value;
    const double k = Word(3).Value;
    if (k == 0) {
      AddWarning(kHeadWarningCode, FillText(kHeadDeactivated, {node.Name}), 3);
      return;
    }
    node.Kind = nkHead;
    node.KFactor = k;
    const double value = Word(2).Value;
    if (value > 0) {
      node.MinFlow = value;
    } else {
      node.MinPressure = -value;
      node.MinFlow = FlowFromK(k, -value);
    }
    ++FEngine.FSprinklerCount;
  }

  double FlowFromK(double k, double pressure) const {
    const TUnitSet& units = FSettings.Units;
    const double gpm = ConvertK(k, units.KFactor, kGpmPerPsi) * std::sqrt(ConvertPressure(pressure, units.Pressure, kPsi));
    return ConvertFlow(gpm, kGpm, units.Flow);
  }

  void ReadUse() {
    const bool material = CheckParam(1, "pipe material code");
    if (CheckParam(2, "C factor") && material) WarnSurplus(3);
  }

  const TEquivKFile& FDefinition;
  const TEquivKSettings& FSettings;
  TCalcEngine& FEngine;
  int FLine = -1;
  std::string FCurrent = "1";
};

}  // namespace

std::unique_ptr<TCalcEngine> BuildEquivKModel(const TEquivKFile& definition, const TEquivKSettings& settings) {
  auto engine = std::make_unique<TCalcEngine>();
  ApplySettings(*engine, settings);
  TEquivKBuilder(definition, settings, *engine).Run();
  return engine;
}

}  // namespace pelmora
