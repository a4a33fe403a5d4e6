#include "app/json_output.h"

#include <string_view>

#include "engine/calc_engine.h"
#include "engine/grid.h"
#include "input/zub_file.h"

namespace pelmora {

namespace {

using json = nlohmann::ordered_json;

constexpr std::string_view kHintPrefix = "[HINT] ";

// Length code 1 writes feet and inches; its values are feet.
std::string LengthUnit(int code) { return LengthWord(code == 1 ? 0 : code, false); }

json Units(const TUnitSet& units) {
  return {{"length", LengthUnit(units.Length)},     {"size", LengthUnit(units.Size)},
          {"elevation", LengthUnit(units.Elevation)}, {"pressure", PressureWord(units.Pressure)},
          {"flow", FlowWord(units.Flow)},             {"k_factor", KWord(units.KFactor)},
          {"head_area", LengthUnit(units.HeadArea)},  {"density", LengthUnit(units.Density)}};
}

json Message(const TCalcError& message, std::string_view severity) {
  return {{"code", message.Code}, {"text", message.Text}, {"line", message.Line}, {"param", message.Param},
          {"severity", severity}};
}

json Messages(const TCalcEngine& engine) {
  json list = json::array();
  for (const TCalcError& error : engine.FErrors) list.push_back(Message(error, "error"));
  for (const TCalcError& message : engine.FMessages)
    list.push_back(Message(message, std::string_view(message.Text).starts_with(kHintPrefix) ? "hint" : "warning"));
  return list;
}

// Positions as the designer counts them: head position and branch line from 1.
json Position(const TGridPosition& p) { return {{"head", p.Head + 1}, {"line", p.Line + 1}}; }

json RemoteArea(const TCalcGrid& grid) {
  return {{"entered_position", Position(grid.EnteredPosition())},
          {"best_position", Position(grid.BestPosition())},
          {"positions_tried", grid.PositionsTried()},
          {"positions_failed", grid.PositionsFailed()}};
}

json Summary(const TCalcEngine& engine) {
  json summary = {{"iterations", engine.FIterations},
                  {"unbalance", engine.FUnbalance},
                  {"source_flow", engine.FSourceFlow},
                  {"demand_flow", engine.FDemandFlow},
                  {"required_pressure", engine.FRequiredPressure},
                  {"supply_pressure", engine.FSupplyPressure},
                  {"margin", engine.FMargin},
                  {"head_count", engine.FHeadCount},
                  {"sprinkler_count", engine.FSprinklerCount},
                  {"head_flow", engine.FHeadFlow},
                  {"node_count", engine.FNodeCount},
                  {"node_flow", engine.FNodeFlow},
                  {"max_velocity", engine.FMaxVelocity},
                  {"riser_valid", engine.FRiserValid},
                  {"base_node", engine.FBaseNode ? json(engine.FBaseNode->Name) : json(nullptr)}};
  if (engine.FHeadCount > 0) {
    summary["min_head_flow"] = engine.FMinHeadFlow;
    summary["max_head_flow"] = engine.FMaxHeadFlow;
    summary["avg_head_flow"] = engine.FAvgHeadFlow;
  }
  if (engine.FRiserValid) {
    summary["static_pressure"] = engine.FStaticPressure;
    summary["riser_pressure"] = engine.FRiserPressure;
    summary["riser_flow"] = engine.FRiserFlow;
  }
  if (engine.FGrid->Searched()) summary["remote_area"] = RemoteArea(*engine.FGrid);
  return summary;
}

std::string_view KindWord(TNodeKind kind) {
  switch (kind) {
    case nkHead: return "head";
    case nkWater: return "water";
    default: return "node";
  }
}

json Node(const TNode& node, bool velocityPressures) {
  json out = {{"name", node.Name},
              {"kind", KindWord(node.Kind)},
              {"elevation", node.Elevation},
              {"pressure", node.Pressure},
              {"flow", node.Flow},
              {"min_flow", node.MinFlow},
              {"min_pressure", node.MinPressure == kNotSet ? json(nullptr) : json(node.MinPressure)},
              {"line", node.Line}};
  if (velocityPressures) out["velocity_pressure"] = node.VelocityPressure;
  if (node.Kind == nkHead) out["k_factor"] = node.KFactor;
  return out;
}

json Pipe(const TPipe& pipe, const TCalcEngine& engine) {
  json out = {{"name", pipe.Name},
              {"from", pipe.FromName},
              {"to", pipe.ToName},
              {"length", pipe.Length},
              {"nominal_size", pipe.NominalSize},
              {"inside_diameter", pipe.InsideDiameter},
              {"material", pipe.Material},
              {"c_factor", pipe.CFactor},
              {"fittings", pipe.Fittings},
              {"fitting_length", pipe.FittingLength},
              {"total_length", pipe.TotalLength},
              {"flow", pipe.Flow},
              {"velocity", pipe.Velocity},
              {"friction_loss", pipe.FrictionLoss},
              {"elevation_loss", pipe.ElevationLoss},
              {"device_loss", pipe.DeviceLoss},
              {"total_loss", pipe.TotalLoss},
              {"line", pipe.Line}};
  if (engine.FUseVelocityPressure) out["velocity_pressure"] = pipe.VelocityPressure;
  // Reynolds number and friction factor exist only for pipes calculated by Darcy-Weisbach.
  if (engine.FFrictionMethod != 0 && !pipe.HazenPipe && !pipe.NoFriction) {
    out["reynolds"] = pipe.Reynolds;
    out["friction_factor"] = pipe.FrictionFactor;
  }
  return out;
}

}  // namespace

json RunToJson(const TCalcEngine& engine, bool success, const TZubFile& project) {
  json out = {{"ok", success}, {"units", Units(project.Units)}, {"messages", Messages(engine)}};
  if (!success) return out;
  out["summary"] = Summary(engine);
  json nodes = json::array();
  for (size_t number = 1; number < engine.FNodes.size(); ++number)
    if (engine.FNodes[number]) nodes.push_back(Node(*engine.FNodes[number], engine.FUseVelocityPressure));
  json pipes = json::array();
  for (size_t number = 1; number < engine.FPipes.size(); ++number)
    if (engine.FPipes[number]) pipes.push_back(Pipe(*engine.FPipes[number], engine));
  out["nodes"] = std::move(nodes);
  out["pipes"] = std::move(pipes);
  return out;
}

}  // namespace pelmora
