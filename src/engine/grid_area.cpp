// Placing the remote areas on the grid's head positions and taking them off again.
#include <algorithm>
#include <cmath>

#include "engine/calc_engine.h"
#include "engine/grid.h"
#include "input/units/names.h"

namespace pelmora {

namespace {

// The more serious condition wins when several areas are placed at once.
int Severity(TPlaceResult result) {
  switch (result) {
    case prEndOfGrid: return 3;
    case prEndOfLine: return 2;
    case prSkip: return 1;
    case prPlaced: break;
  }
  return 0;
}

}  // namespace

TPlaceResult TCalcGrid::CheckArea(const TRemoteArea& area, int headShift, int lineShift) const {
  if (FHeadTable.empty()) return prEndOfGrid;
  const int rows = static_cast<int>(FHeadTable.size());
  bool skip = false, endOfLine = false;
  for (int line = area.FirstLine + lineShift; line <= area.LastLine + lineShift; ++line) {
    if (line >= rows) return prEndOfGrid;
    if (line < 0) {
      skip = true;
      continue;
    }
    const std::vector<TNode*>& row = FHeadTable[line];
    for (int head = area.FirstHead + headShift; head <= area.LastHead + headShift; ++head) {
      if (head >= static_cast<int>(row.size()))
        endOfLine = true;
      else if (head < 0 || row[head] == nullptr)
        skip = true;
    }
  }
  if (endOfLine) return prEndOfLine;
  return skip ? prSkip : prPlaced;
}

TPlaceResult TCalcGrid::PlaceAreas(int headShift, int lineShift, bool validateOnly) {
  TPlaceResult worst = prPlaced;
  for (const TRemoteArea& area : FAreas) {
    const TPlaceResult result = CheckArea(area, headShift, lineShift);
    if (Severity(result) > Severity(worst)) worst = result;
  }
  if (worst != prPlaced || validateOnly) return worst;
  for (const TRemoteArea& area : FAreas)
    for (int line = area.FirstLine + lineShift; line <= area.LastLine + lineShift; ++line)
      for (int head = area.FirstHead + headShift; head <= area.LastHead + headShift; ++head)
        PlaceHead(FHeadTable[line][head], line, head, area);
  return prPlaced;
}

void TCalcGrid::PlaceHead(TNode* lineNode, int line, int head, const TRemoteArea& area) {
  TPlacedHead placed{lineNode, nullptr, &area};
  placed.Drop = CreateDrop(lineNode, line, head);
  MakeHead(placed.Drop != nullptr ? *placed.Drop->ToNode : *lineNode, area);
  FPlaced.push_back(placed);
}

void TCalcGrid::MakeHead(TNode& node, const TRemoteArea& area) const {
  const TUnitSet& in = FUnits;
  const TUnitSet& calc = FEngine.FCalcUnits;
  const double flow = ConvertFlow(area.Discharge, in.Flow, calc.Flow);
  const double kFactor = ConvertK(area.KFactor, in.KFactor, calc.KFactor);
  double required = kFactor > 0 ? (flow / kFactor) * (flow / kFactor) : 0;
  if (area.MinPressure != kNotSet) required = std::max(required, ConvertPressure(area.MinPressure, in.Pressure, calc.Pressure));
  node.Kind = nkHead;
  node.KReference = area.KReference;
  node.Density = area.Density;
  if (FPlacingInCalcUnits) {
    node.MinFlow = flow;
    node.KFactor = kFactor;
    node.MinPressure = required;
  } else {
    node.MinFlow = area.Discharge;
    node.KFactor = area.KFactor;
    node.MinPressure = ConvertPressure(required, calc.Pressure, in.Pressure);
  }
}

// Without a drop, or where the line already runs at the ceiling, the line node itself is the head.
TPipe* TCalcGrid::CreateDrop(TNode* lineNode, int line, int head) {
  if (!FDrop.Given) return nullptr;
  const TUnitSet& modelUnits = FPlacingInCalcUnits ? FEngine.FCalcUnits : FUnits;
  const double lineElevation = ConvertLength(lineNode->Elevation, modelUnits.Elevation, FUnits.Elevation);
  if (std::fabs(lineElevation - FDrop.Ceiling) <= 1e-9 * std::max(1.0, std::fabs(FDrop.Ceiling))) return nullptr;

  const double fall = ConvertLength(std::fabs(lineElevation - FDrop.Ceiling), FUnits.Elevation, FUnits.Length);
  TPipe* drop = NewPipe(fall + FDrop.ArmOver, FDrop.NominalSize, FDrop.Settings);
  drop->Name = TakeName(FUsedPipes, ProgressName(Seed(gsFirstDrop), lineNode->Name, Seed(gsFirstLine)));
  drop->Fittings = {"T"};
  if (FDrop.ArmOver > 0) drop->Fittings.push_back("E");
  TNode* headNode = NewNode(TakeName(FUsedNodes, drop->Name), FDrop.Ceiling);
  ConnectPipe(drop, lineNode, headNode);
  FDrops[line][head] = drop;
  if (FCommitted) AdoptDrop(drop);
  return drop;
}

// During the search a drop joins the model at once, after every other object, in the model's units.
void TCalcGrid::AdoptDrop(TPipe* drop) {
  TNode* headNode = drop->ToNode;
  auto ownedNode = std::find_if(FOwnedNodes.begin(), FOwnedNodes.end(), [&](auto& n) { return n.get() == headNode; });
  auto ownedPipe = std::find_if(FOwnedPipes.begin(), FOwnedPipes.end(), [&](auto& p) { return p.get() == drop; });
  std::unique_ptr<TNode> node = std::move(*ownedNode);
  std::unique_ptr<TPipe> pipe = std::move(*ownedPipe);
  FOwnedNodes.erase(ownedNode);
  FOwnedPipes.erase(ownedPipe);
  FEngine.AddNode(std::move(node));
  FEngine.AddPipe(std::move(pipe));
  FModelChanged = true;
  if (!FPlacingInCalcUnits) return;
  const TUnitSet& calc = FEngine.FCalcUnits;
  drop->Length = ConvertLength(drop->Length, FUnits.Length, calc.Length);
  const double size = ConvertSize(drop->NominalSize, FUnits.Size, calc.Size);
  drop->NominalSize = size != -1 ? size : ConvertLength(drop->NominalSize, FUnits.Size, calc.Size);
  drop->InsideDiameter = ConvertLength(drop->InsideDiameter, FUnits.Size, calc.Size);
  headNode->Elevation = ConvertLength(headNode->Elevation, FUnits.Elevation, calc.Elevation);
}

void TCalcGrid::RemoveAreas() {
  for (const TPlacedHead& placed : FPlaced) {
    if (placed.Drop != nullptr) {
      TNode* headNode = placed.Drop->ToNode;
      for (auto& row : FDrops) std::replace(row.begin(), row.end(), placed.Drop, static_cast<TPipe*>(nullptr));
      ForgetPipe(placed.Drop);
      ForgetNode(headNode);
      FModelChanged = true;
      continue;
    }
    TNode& node = *placed.Node;
    node.Kind = nkNode;
    node.MinFlow = 0;
    node.MinPressure = kNotSet;
    node.KFactor = 0;
    node.KReference.clear();
  }
  FPlaced.clear();
}

}  // namespace pelmora
