#include "reports/results_tables.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/results.h"
#include "input/units/text.h"
#include "reports/node_table.h"
#include "reports/report_context.h"

namespace pelmora {

namespace {

constexpr int kColebrook = 2, kSerghide = 3;

std::string WithUnit(const std::string& value, const std::string& unit) {
  return value.empty() ? "" : value + " " + unit;
}

std::string FlowText(double flow, const TReportUnits& units) { return WithUnit(FormatFlow(flow), units.Flow); }

std::string PressureText(double pressure, const TCalcEngine& engine) {
  return WithUnit(FormatPressure(engine.FInputUnits.Pressure, pressure), ReportUnits(engine.FInputUnits).Pressure);
}

bool RoughnessMethod(const TCalcEngine& engine) {
  return engine.FFrictionMethod == kColebrook || engine.FFrictionMethod == kSerghide;
}

// The most hydraulically remote heads of head-area mode: their area, flow and average density.
std::vector<TSummaryRow> FourHeadRows(const TCalcEngine& engine, const TZubFile& project) {
  const TUnitSet& unitSet = engine.FInputUnits;
  const TReportUnits units = ReportUnits(unitSet);
  double area = 0, flow = 0;
  for (const std::string& name : project.FFourHeads) {
    const TNode* head = engine.FindNode(name);
    if (head == nullptr || head->Kind != nkHead) continue;
    area += AreaPerHead(*head, unitSet);
    flow += head->Flow;
  }
  return {{"4 Head Area", FormatFloat("0.##", area), ""},
          {"4 Head Q", FlowText(flow, units), ""},
          {"4 Head Density", WithUnit(FormatFloat("0.0###", AverageDensity(flow, area, unitSet)), units.Density + "/min"), ""}};
}

bool IsRemoteHead(const TNode& node, const TZubFile& project) {
  return std::any_of(project.FFourHeads.begin(), project.FFourHeads.end(),
                     [&](const std::string& name) { return SameText(name, node.Name); });
}

std::string UnlessNotSet(double value, const std::string& text) { return value == kNotSet ? "" : text; }

const std::array<TPipeColumnInfo, kPipeColumnKinds> kPipeColumns{{
    {"Pipe name", "Name", "pipe name", true},
    {"Start node", "Snode", "name of start node", true},
    {"End node", "Enode", "name of end node", true},
    {"Nominal size", "Nom", "nominal pipe diameter", false},
    {"ID - internal diameter", "I.D.", "internal pipe diameter", false},
    {"Mat - pipe material", "Mat", "pipe material", false},
    {"C - C factor or absolute roughness", "C", "Hazen-Williams roughness coefficient", false},
    {"L - pipe length", "L", "physical length", false},
    {"F - fitting eqv length", "F", "fittings equivalent length", false},
    {"T - total length", "T", "total length", false},
    {"K - fitting loss constant", "Fit", "total fitting K", false},
    {"Q - flow", "Q", "water flow rate", false},
    {"Pf - friction loss", "Pf", "friction loss", false},
    {"Pf/x - friction loss/distance", "Pf/", "friction loss per ft(m)", false},
    {"Pe - elevation loss", "Pe", "elevation loss", false},
    {"Ps - device pressure loss", "Ps", "device loss", false},
    {"Pv - velocity pressure", "Pv", "velocity pressure", false},
    {"Vel - velocity", "Vel", "velocity", false},
    {"Re - Reynolds number", "Re", "Reynolds number", false},
    {"f - Darcy friction factor", "f", "Darcy friction factor", false},
    {"Friction formula", "Formula", "friction loss formula", true},
}};

enum TPipeKind {
  pkName, pkStart, pkEnd, pkNominal, pkInside, pkMaterial, pkC, pkLength, pkFittingLength, pkTotalLength,
  pkFittingK, pkFlow, pkFriction, pkFrictionPerLength, pkElevation, pkDevice, pkVelocityPressure, pkVelocity,
  pkReynolds, pkDarcyFactor, pkFormula
};

enum TNodeColumn { ncName, ncElev, ncMinQ, ncQ, ncMinP, ncPt, ncPv, ncPn, ncK, ncArea, ncReqDens, ncDensity };

struct TNodeColumnInfo {
  const char* Heading;
  const char* Hint;
};
const std::array<TNodeColumnInfo, 12> kNodeColumns{{
    {"Name", "node's name"},
    {"Elev", "elevation"},
    {"min-q", "minimum required discharge"},
    {"q", "actual discharge from node"},
    {"min-P", "minimum required pressure"},
    {"Pt", "total pressure"},
    {"Pv", "velocity pressure"},
    {"Pn", "normal pressure"},
    {"K", "K-factor"},
    {"Area", ""},
    {"ReqDens", ""},
    {"Density", ""},
}};
constexpr int kNodeColumnsPlain = 9;

}  // namespace

std::vector<TSummaryRow> SummaryRows(const TCalcEngine& engine, const TZubFile& project) {
  const TReportUnits units = ReportUnits(engine.FInputUnits);
  const bool headArea = project.HeadArea;
  const auto riser = [&](const std::string& text) { return engine.FRiserValid ? text : std::string("n/a"); };
  const double average = engine.FSprinklerCount < 1 ? 0 : engine.FHeadFlow / engine.FSprinklerCount;
  std::vector<TSummaryRow> rows{
      {"Demand Flow", FlowText(engine.FSourceFlow, units), "total demand flow"},
      {"Demand Pressure", PressureText(engine.FRequiredPressure, engine), "demand pressure"},
      {"Source Flow", FlowText(engine.FSourceFlow, units), "water source flow"},
      {"Source Pressure", PressureText(engine.FSupplyPressure, engine), "water source pressure"},
      {headArea ? "ga 'C' Flow" : "BOR Flow", riser(FlowText(engine.FRiserFlow, units)), "flow at bottom of system riser"},
      {headArea ? "ga 'C' Pressure" : "BOR Pressure", riser(PressureText(engine.FRiserPressure, engine)),
       "pressure at bottom of system riser"},
      {"Safety Margin", PressureText(engine.FMargin, engine), "safety margin"},
      {"Heads Flowing", std::to_string(engine.FSprinklerCount), "number of heads flowing"},
      {"Total Head Flow", FlowText(engine.FHeadFlow, units), "total flow from heads"},
      {"Min Head Flow", FlowText(engine.FMinHeadFlow, units), "minimum discharge from any sprinkler head"},
      {"Max Head Flow", FlowText(engine.FMaxHeadFlow, units), "maximum discharge from any sprinkler head"},
      {"Avg Head Flow", FlowText(average, units), "average discharge from each sprinkler head"},
      {"Ref Flowing", std::to_string(engine.FNodeCount), "number of reference nodes flowing"},
      {"Total Ref Flow", FlowText(engine.FNodeFlow, units), "total flow from reference nodes"},
      {"Max Velocity", WithUnit(FormatFloat("0.0#", engine.FMaxVelocity), units.Length + "/s"), "maximum water velocity"},
      {"Use Pv?", engine.FUseVelocityPressure ? "Yes" : "No", "velocity pressures used?"},
      {"Formula", FrictionWord(engine.FFrictionMethod), "friction loss formula"},
      {"Calc Time", WithUnit(FormatFloat("0.00", engine.FEndTime - engine.FBeginTime), "sec"), "total calculation time"},
      {"Unbalance", FormatFloat("0.000", engine.FUnbalance), "maximum unbalance in calculation"},
  };
  if (headArea) {
    constexpr int kFourHeadRow = 7;
    const std::vector<TSummaryRow> fourHeads = FourHeadRows(engine, project);
    rows.insert(rows.begin() + kFourHeadRow, fourHeads.begin(), fourHeads.end());
  }
  return rows;
}

const TPipeColumnInfo& PipeColumnInfo(int kind) { return kPipeColumns.at(static_cast<size_t>(kind)); }

std::string PipeHeading(int kind, const TCalcEngine& engine) {
  const std::string heading = PipeColumnInfo(kind).Heading;
  return kind == pkFrictionPerLength ? heading + ReportUnits(engine.FInputUnits).Length : heading;
}

std::string PipeUnitText(int kind, const TCalcEngine& engine) {
  const TReportUnits units = ReportUnits(engine.FInputUnits);
  switch (kind) {
    case pkNominal:
    case pkInside: return units.Size;
    case pkC: return RoughnessMethod(engine) ? units.Size : "";
    case pkLength:
    case pkFittingLength:
    case pkTotalLength: return units.Length;
    case pkFittingK: return "K";
    case pkFlow: return units.Flow;
    case pkFriction:
    case pkFrictionPerLength:
    case pkElevation:
    case pkDevice:
    case pkVelocityPressure: return units.Pressure;
    case pkVelocity: return units.Length + "/sec";
    default: return "";
  }
}

std::string PipeCell(int kind, const TPipe& pipe, const TCalcEngine& engine) {
  const TUnitSet& units = engine.FInputUnits;
  const auto pressure = [&](double value) { return FormatPressure(units.Pressure, value); };
  switch (kind) {
    case pkName: return pipe.Name;
    case pkStart: return pipe.FromName;
    case pkEnd: return pipe.ToName;
    case pkNominal: return FormatLength(units.Size, pipe.NominalSize);
    case pkInside: return FormatLength(units.Size, pipe.InsideDiameter);
    case pkMaterial: return pipe.Material;
    case pkC:
      return RoughnessMethod(engine) && !pipe.HazenPipe ? FormatFloat("0.###E-", pipe.CFactor)
                                                        : FormatFloat("0", pipe.CFactor);
    case pkLength: return FormatLength(units.Length, pipe.Length);
    case pkFittingLength: return FormatLength(units.Length, pipe.FittingLength);
    case pkTotalLength: return FormatLength(units.Length, pipe.TotalLength);
    case pkFittingK: return FormatFloat("0.00#", pipe.FittingK);
    case pkFlow: return FormatFlow(pipe.Flow);
    case pkFriction: return pressure(std::fabs(pipe.FrictionLoss));
    case pkFrictionPerLength:
      return pressure(pipe.TotalLength > 0 ? std::fabs(pipe.FrictionLoss) / pipe.TotalLength : 0);
    case pkElevation: return pressure(pipe.ElevationLoss);
    case pkDevice: return pressure(pipe.DeviceLoss);
    case pkVelocityPressure: return pressure(std::fabs(pipe.VelocityPressure));
    case pkVelocity: return FormatFloat("0.00", std::fabs(pipe.Velocity));
    case pkReynolds: return FormatFloat("0", pipe.Reynolds);
    case pkDarcyFactor: return FormatFloat("0.00##", pipe.FrictionFactor);
    case pkFormula: return engine.FFrictionMethod == 0 || pipe.HazenPipe ? "Hazen" : "Darcy";
    default: return "";
  }
}

std::string PipeHint(int kind, const TPipe* pipe, const TMaterials& materials) {
  if (kind == pkMaterial && pipe != nullptr) {
    const int index = materials.FindMaterial(pipe->Material);
    if (index >= 0) return materials.Materials[static_cast<size_t>(index)].Description;
  }
  return PipeColumnInfo(kind).Hint;
}

std::vector<int> PipeColumnsFromLetters(const std::string& letters) {
  std::vector<int> columns{kPipeNameColumn};
  for (const char letter : UpperCase(letters)) {
    const int kind = letter - 'A';
    if (kind < 0 || kind >= kPipeColumnKinds) continue;
    if (std::find(columns.begin(), columns.end(), kind) == columns.end()) columns.push_back(kind);
  }
  return columns;
}

std::string PipeColumnLetters(const std::vector<int>& columns) {
  std::string letters;
  for (const int kind : columns) letters += static_cast<char>('A' + kind);
  return letters;
}

void TogglePipeColumn(std::vector<int>& columns, int kind) {
  if (kind == kPipeNameColumn || kind < 0 || kind >= kPipeColumnKinds) return;
  const auto found = std::find(columns.begin(), columns.end(), kind);
  if (found == columns.end())
    columns.push_back(kind);
  else
    columns.erase(found);
}

void MovePipeColumn(std::vector<int>& columns, int from, int to) {
  const int count = static_cast<int>(columns.size());
  if (from < 0 || from >= count || to < 0 || to >= count || from == to) return;
  const int kind = columns[static_cast<size_t>(from)];
  columns.erase(columns.begin() + from);
  columns.insert(columns.begin() + to, kind);
}

int NodeColumnCount(bool headArea) { return headArea ? static_cast<int>(kNodeColumns.size()) : kNodeColumnsPlain; }

std::string NodeHeading(int column) { return kNodeColumns.at(static_cast<size_t>(column)).Heading; }

std::string NodeHint(int column) { return kNodeColumns.at(static_cast<size_t>(column)).Hint; }

bool NodeTextSort(int column) { return column == ncName; }

std::string NodeUnitText(int column, const TCalcEngine& engine) {
  const TReportUnits units = ReportUnits(engine.FInputUnits);
  switch (column) {
    case ncElev: return units.Elevation;
    case ncMinQ:
    case ncQ: return units.Flow;
    case ncMinP:
    case ncPt:
    case ncPv:
    case ncPn: return units.Pressure;
    case ncK: return units.KFactor;
    case ncArea: return "sq." + units.HeadArea;
    case ncReqDens:
    case ncDensity: return units.Density + "/min";
    default: return "";
  }
}

std::string NodeCell(int column, const TNode& node, const TCalcEngine& engine, const TZubFile& project) {
  const TUnitSet& units = engine.FInputUnits;
  const bool head = node.Kind == nkHead;
  const auto pressure = [&](double value) { return UnlessNotSet(value, FormatPressure(units.Pressure, value)); };
  switch (column) {
    case ncName: return IsRemoteHead(node, project) ? "*" + node.Name : node.Name;
    case ncElev: return FormatLength(units.Elevation, node.Elevation);
    case ncMinQ: return UnlessNotSet(node.MinFlow, FormatFlow(node.MinFlow));
    case ncQ: return FormatFlow(node.Flow);
    case ncMinP: return pressure(node.MinPressure);
    case ncPt: return pressure(node.Pressure);
    case ncPv: return pressure(node.VelocityPressure);
    case ncPn: return FormatPressure(units.Pressure, node.Pressure - node.VelocityPressure);
    case ncK: return head ? FormatFloat("0.0#", node.KFactor) : "";
    case ncArea: return head ? FormatFloat("0.0##", AreaPerHead(node, units)) : "";
    case ncReqDens: return head ? FormatLength(units.Density, RequiredDensity(node, units)) : "";
    case ncDensity:
      return head && node.MinFlow != 0 ? FormatFloat("0.0##", RequiredDensity(node, units) * node.Flow / node.MinFlow)
                                       : "";
    default: return "";
  }
}

std::vector<const TNode*> ListedNodes(const TCalcEngine& engine, bool hideInactive) {
  std::vector<const TNode*> nodes;
  for (size_t i = 1; i < engine.FNodes.size(); ++i)
    if (!hideInactive || engine.FNodes[i]->Flow != 0) nodes.push_back(engine.FNodes[i]);
  std::stable_sort(nodes.begin(), nodes.end(),
                   [](const TNode* a, const TNode* b) { return CompareNames(a->Name, b->Name) < 0; });
  return nodes;
}

std::vector<const TPipe*> ListedPipes(const TCalcEngine& engine, bool hideNonFlowing) {
  std::vector<const TPipe*> pipes(engine.FPipes.begin() + 1, engine.FPipes.end());
  std::stable_sort(pipes.begin(), pipes.end(),
                   [](const TPipe* a, const TPipe* b) { return CompareNames(a->Name, b->Name) < 0; });
  if (!hideNonFlowing) return pipes;
  for (size_t i = pipes.size(); i-- > 0 && pipes.size() > 1;)
    if (pipes[i]->Flow == 0) pipes.erase(pipes.begin() + static_cast<std::ptrdiff_t>(i));
  return pipes;
}

}  // namespace pelmora
