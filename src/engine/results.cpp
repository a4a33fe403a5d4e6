#include "engine/results.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_map>

#include "engine/curves.h"
#include "engine/engine_state.h"
#include "engine/topology.h"
#include "input/units/text.h"
#include "input/units/units.h"

namespace pelmora {

namespace {

bool InLoop(const TPipe& pipe) { return !pipe.LoopList.empty(); }
bool IsPump(const TSpecial* device) { return device->Kind == skPump; }

double SupplyOf(TNode& source, double flow) {
  return source.Supply != nullptr ? CurvePressure(*source.Supply, flow) : 0;
}

// Pump devices whose curves are to be checked: the pump of a pump pipe, or every pump device
// of an ordinary pipe, each with the line its messages point at.
template <typename Visit>
void ForEachPumpCurve(TCalcEngine& e, Visit visit) {
  for (size_t k = 1; k < e.FPipes.size(); ++k) {
    TPipe& pipe = *e.FPipes[k];
    if (pipe.NoFriction) {
      if (!pipe.Devices.empty()) visit(*pipe.Devices.front(), pipe.Line);
      continue;
    }
    for (TSpecial* device : pipe.Devices)
      if (IsPump(device)) visit(*device, device->Line);
  }
}

// A name's natural-order key: a byte string whose plain comparison orders names by their runs
// of other characters (first), digits (by value) and letters (case ignored), run by run, a name
// that is a prefix of another coming first. Each run starts with its rank byte; a digit run
// carries its significant length before the digits, so leading zeros do not count; a letter run
// ends with a zero byte, so a shorter run sorts before a longer one it begins.
std::string NaturalKey(const std::string& name) {
  enum : char { kOther = 1, kDigits = 2, kLetters = 3 };
  // ASCII only, like every comparison of names: the result order must not hang on the locale.
  auto rank = [](char c) -> char {
    if (c >= '0' && c <= '9') return kDigits;
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ? kLetters : kOther;
  };
  std::string key;
  size_t i = 0;
  while (i < name.size()) {
    const char kind = rank(name[i]);
    size_t j = i;
    while (j < name.size() && rank(name[j]) == kind) ++j;
    key += kind;
    if (kind == kDigits) {
      size_t first = i;
      while (first < j && name[first] == '0') ++first;
      const size_t length = j - first;
      key += static_cast<char>(length >> 8 & 0xFF);
      key += static_cast<char>(length & 0xFF);
      key.append(name, first, length);
    } else if (kind == kLetters) {
      key += UpperCase(std::string_view(name).substr(i, j - i));
      key += '\0';
    }
    i = j;
  }
  return key;
}

// Keys are made once per object, not once per comparison.
// Positions into the list (1-based, as the list's slot 0 is unused) are sorted, not the objects.
// Name keys are made once per object, not once per comparison, and the position breaks ties,
// so equal names keep their order without a stable sort's buffer. Flows may be anything after
// a failed calculation, so the flow orders keep the stable sort, which tolerates that.
template <typename T>
void SortView(std::vector<T*>& view, const std::vector<T*>& list, int order) {
  std::vector<uint32_t> positions(list.size() > 1 ? list.size() - 1 : 0);
  std::iota(positions.begin(), positions.end(), 1u);
  std::vector<std::string> keys(list.size());
  if (order == 0 || order == 1)
    for (uint32_t k : positions) keys[k] = NaturalKey(list[k]->Name);
  auto byName = [&](uint32_t a, uint32_t b) {
    const int compared = keys[a].compare(keys[b]);
    return compared != 0 ? compared < 0 : a < b;
  };
  auto byLine = [&](uint32_t a, uint32_t b) {
    return list[a]->Line != list[b]->Line ? list[a]->Line < list[b]->Line : byName(a, b);
  };
  auto byFlowDown = [&](uint32_t a, uint32_t b) { return list[a]->Flow > list[b]->Flow; };
  auto byFlowUp = [&](uint32_t a, uint32_t b) { return list[a]->Flow < list[b]->Flow; };
  switch (order) {
    case 0: std::sort(positions.begin(), positions.end(), byLine); break;
    case 1: std::sort(positions.begin(), positions.end(), byName); break;
    case 2: std::stable_sort(positions.begin(), positions.end(), byFlowDown); break;
    case 3: std::stable_sort(positions.begin(), positions.end(), byFlowUp); break;
    default: break;
  }
  view.assign(1, nullptr);
  for (uint32_t k : positions) view.push_back(list[k]);
}

}  // namespace

void CompletePipeResults(TCalcEngine& e) {
  e.FMaxVelocity = 0;
  for (size_t k = 1; k < e.FPipes.size(); ++k) {
    TPipe& pipe = *e.FPipes[k];
    if (!pipe.NoFriction) {
      pipe.Velocity = PipeVelocity(e.FMetric, pipe.Flow, pipe.InsideDiameter);
      e.FMaxVelocity = std::max(e.FMaxVelocity, std::fabs(pipe.Velocity));
    }
    pipe.TotalLoss = pipe.FrictionLoss + pipe.DeviceLoss + pipe.ElevationLoss;
  }
}

void ComputeSupplyMargin(TCalcEngine& e, TEngineState& s) {
  if (s.MainSourcePath != nullptr) e.FSourceFlow += e.FBaseNode->Flow - s.MainSourcePath->Flow;
  e.FRequiredPressure = e.FInputNode->Pressure;
  e.FSupplyPressure = SupplyOf(*e.FInputNode, std::fabs(e.FSourceFlow));
  e.FMargin = e.FSupplyPressure - e.FRequiredPressure;
}

void ComputeStaticPressure(TCalcEngine& e, TEngineState& s) {
  e.FRiserValid = false;
  if (e.FInputNode == nullptr || e.FRiserNodeName.empty()) return;
  FindPaths(e, s, e.NodeNumber(e.FInputNode), TPathMode::Riser);
  if (e.FPaths.empty()) return;
  double pressure = SupplyOf(*e.FInputNode, 0);
  for (int32_t entry : e.FPaths.front()->PipeNumbers) {
    const TPipe& pipe = *e.FPipes[std::abs(entry)];
    pressure += entry < 0 ? pipe.ElevationLoss : -pipe.ElevationLoss;
    for (TSpecial* device : pipe.Devices) pressure -= CurvePressure(*device, 0);
  }
  e.FStaticPressure = pressure;
  e.FRiserValid = true;
}

void ComputeRiserValues(TCalcEngine& e) {
  e.FRiserValid = false;
  const TNode* riser = e.FRiserNodeName.empty() ? nullptr : e.FindNode(e.FRiserNodeName);
  if (riser == nullptr || riser == e.FBaseNode) return;
  e.FRiserPressure = riser->Pressure;
  e.FRiserFlow = 0;
  for (int32_t entry : riser->PipeList) {
    const double flow = e.FPipes[std::abs(entry)]->Flow;
    if (entry > 0 && flow > 0) e.FRiserFlow += flow;
    if (entry < 0 && flow < 0) e.FRiserFlow -= flow;
  }
  e.FRiserValid = true;
}

void CheckDevices(TCalcEngine& e) {
  for (size_t k = 1; k < e.FPipes.size(); ++k) {
    const TPipe& pipe = *e.FPipes[k];
    if (!InLoop(pipe)) continue;
    if (pipe.NoFriction) {
      e.AddWarning(1026, "Pump is in a piping loop.", 0, pipe.Line);
      continue;
    }
    for (const TSpecial* device : pipe.Devices)
      if (IsPump(device)) e.AddWarning(1026, "Pump is in a piping loop.", 0, device->Line);
  }
  for (size_t i = 1; i < e.FNodes.size(); ++i) {
    const TNode& node = *e.FNodes[i];
    if (node.Kind == nkWater && node.Supply != nullptr && SupplyRises(*node.Supply))
      e.AddWarning(770, "Water source pressure increases with flow rate.", -1, node.Line);
  }
  ForEachPumpCurve(e, [&](const TSpecial& pump, int line) {
    if (PumpRises(pump)) e.AddWarning(772, "Pump pressure increases with flow rate.", -1, line);
  });
  for (const auto& special : e.FSpecials) {
    const auto* owner = dynamic_cast<const TPipe*>(special->Owner);
    if (owner == nullptr || special->Kind == skWater) continue;
    if (std::fabs(owner->Flow) <= MaximumFlow(*special)) continue;
    e.AddWarning(2306,
                 special->Kind == skPump ? "Fire pump flow rate exceeds maximum flow parameter."
                                         : "BFP flow rate exceeds maximum flow parameter.",
                 0, special->Line);
  }
}

bool CheckFlowBalance(TCalcEngine& e) {
  std::unordered_map<const TNode*, size_t> numbers;
  for (size_t i = 1; i < e.FNodes.size(); ++i) numbers[e.FNodes[i]] = i;
  std::vector<double> imbalance(e.FNodes.size(), 0);
  for (size_t k = 1; k < e.FPipes.size(); ++k) {
    const TPipe& pipe = *e.FPipes[k];
    imbalance[numbers[pipe.ToNode]] += pipe.Flow;
    imbalance[numbers[pipe.FromNode]] -= pipe.Flow;
  }
  bool balanced = true;
  for (size_t i = 1; i < e.FNodes.size(); ++i) {
    const TNode& node = *e.FNodes[i];
    const double value = imbalance[i] - node.Flow;
    if (std::fabs(value) <= e.FTolerance) continue;
    e.AddError(516,
               "Node \"" + node.Name + "\" flow imbalance of " + FormatFloat("0.0##", value) +
                   " is greater than allowed maximum.",
               -1, node.Line);
    balanced = false;
  }
  return balanced;
}

void ReportNoSolution(TCalcEngine& e) {
  e.AddError(1026,
             "System did not converge after " + std::to_string(e.FIterations) + " iterations. Results not acceptable.",
             0, -1);
  if (e.FUseVelocityPressure) e.AddHint(1026, "Try calculating without velocity pressures.", 0, -1);
  for (size_t k = 1; k < e.FPipes.size(); ++k) {
    const TPipe& pipe = *e.FPipes[k];
    if (!InLoop(pipe)) continue;
    if (pipe.NoFriction) e.AddHint(1026, "Device in pipe loop may have caused calculation failure.", -1, pipe.Line);
    else
      for (const TSpecial* device : pipe.Devices)
        e.AddHint(1026, "Device in pipe loop may have caused calculation failure.", -1, device->Line);
  }
  for (size_t i = 1; i < e.FNodes.size(); ++i) {
    const TNode& node = *e.FNodes[i];
    if (node.Kind == nkWater && node.Supply != nullptr && SupplyRises(*node.Supply))
      e.AddHint(1026, "Increasing source curve may have caused calculation failure.", -1, node.Line);
  }
  for (size_t k = 1; k < e.FPipes.size(); ++k) {
    const TPipe& pipe = *e.FPipes[k];
    const bool rises = std::any_of(pipe.Devices.begin(), pipe.Devices.end(),
                                   [](const TSpecial* d) { return IsPump(d) && PumpRises(*d); });
    if (rises) e.AddHint(1026, "Increasing pump curve may have caused calculation failure.", -1, pipe.Line);
  }
}

void ReportShortfalls(TCalcEngine& e) {
  for (const auto& path : e.FPaths) {
    const TNode& end = *e.FNodes[path->EndNodeNumber];
    if (end.Kind == nkHead && end.MinFlow > end.Flow)
      e.AddWarning(1026, "Head " + end.Name + " is discharging less than required.", 0, end.Line);
    else if (end.Kind == nkNode && end.MinPressure > end.Pressure)
      e.AddWarning(1026, "Node " + end.Name + " pressure is lower than required.", 0, end.Line);
  }
}

int CompareNames(const std::string& a, const std::string& b) {
  const int order = NaturalKey(a).compare(NaturalKey(b));
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

void TCalcEngine::SortPipes(int order) { SortView(FSortedPipes, FPipes, order); }
void TCalcEngine::SortNodes(int order) { SortView(FSortedNodes, FNodes, order); }

}  // namespace pelmora
