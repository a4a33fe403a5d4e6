#include "reports/report_check.h"

#include <cmath>
#include <initializer_list>

namespace pelmora {

namespace {

const char* const kNotNumbers = "The calculation results are not valid numbers.";

bool AllFinite(std::initializer_list<double> values) {
  for (double value : values)
    if (!std::isfinite(value)) return false;
  return true;
}

bool AllFinite(const TDblArray& values) {
  for (double value : values)
    if (!std::isfinite(value)) return false;
  return true;
}

bool NodeFinite(const TNode& node) {
  if (node.Supply != nullptr && !(AllFinite(node.Supply->Flows) && AllFinite(node.Supply->Pressures))) return false;
  return AllFinite({node.Elevation, node.Pressure, node.VelocityPressure, node.Flow, node.MinFlow, node.KFactor,
                    node.Density});
}

bool PipeFinite(const TPipe& pipe) {
  return AllFinite(pipe.FittingLengths) && AllFinite(pipe.FittingKs) &&
         AllFinite({pipe.Length, pipe.NominalSize, pipe.InsideDiameter, pipe.CFactor, pipe.FittingLength,
                    pipe.TotalLength, pipe.Flow, pipe.Velocity, pipe.VelocityPressure, pipe.Reynolds,
                    pipe.FrictionFactor, pipe.FrictionLoss, pipe.ElevationLoss, pipe.DeviceLoss});
}

bool SummaryFinite(const TCalcEngine& engine) {
  return AllFinite({engine.FSourceFlow, engine.FRequiredPressure, engine.FMargin, engine.FMaxVelocity}) &&
         (!engine.FRiserValid || AllFinite({engine.FRiserFlow, engine.FRiserPressure}));
}

}  // namespace

std::string ReportRefusal(const TCalcEngine& engine) {
  if (!engine.FCalcOK) return "The last calculation did not succeed.";
  if (!SummaryFinite(engine)) return kNotNumbers;
  for (size_t i = 1; i < engine.FNodes.size(); ++i)
    if (engine.FNodes[i] == nullptr || !NodeFinite(*engine.FNodes[i]))
      return kNotNumbers;
  for (size_t i = 1; i < engine.FPipes.size(); ++i) {
    const TPipe* pipe = engine.FPipes[i];
    if (pipe == nullptr || pipe->FromNode == nullptr || pipe->ToNode == nullptr)
      return "The calculation model holds a pipe without its end nodes.";
    if (!PipeFinite(*pipe)) return kNotNumbers;
  }
  return "";
}

}  // namespace pelmora
