// Small builders that fill an engine directly, without command text.
#pragma once

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/calc_engine.h"

namespace pelmora::test {

// Hazen-Williams loss in psi, written out as the hand formula: 4.52 L Q^1.85 / (C^1.85 d^4.87).
inline double HazenLoss(double q, double length, double d, double c = 120) {
  return 4.52 * length * std::pow(q, 1.85) / (std::pow(c, 1.85) * std::pow(d, 4.87));
}

inline TNode* AddNodeTo(TCalcEngine& e, const std::string& name, TNodeKind kind, double elevation = 0) {
  auto node = std::make_unique<TNode>();
  node->Name = name;
  node->Kind = kind;
  node->Elevation = elevation;
  node->Line = static_cast<int32_t>(e.FNodes.size());
  TNode* raw = node.get();
  return e.AddNode(std::move(node)) ? raw : nullptr;
}

inline TNode* AddHead(TCalcEngine& e, const std::string& name, double elevation, double minFlow, double k) {
  TNode* node = AddNodeTo(e, name, nkHead, elevation);
  node->MinFlow = minFlow;
  node->KFactor = k;
  return node;
}

inline TSpecial* AddCurve(TCalcEngine& e, TSpecialKind kind, TCalcObject* owner, std::vector<double> flows,
                          std::vector<double> pressures, bool linear = false) {
  auto curve = std::make_unique<TSpecial>();
  curve->Kind = kind;
  curve->Owner = owner;
  curve->Linear = linear;
  curve->Flows = std::move(flows);
  curve->Pressures = std::move(pressures);
  return e.AddSpecial(std::move(curve));
}

// A water source with the supply curve static pressure at 0 flow and residual at flow.
inline TNode* AddWater(TCalcEngine& e, const std::string& name, double elevation, double staticPressure,
                       double flow = -1, double residual = 0) {
  TNode* node = AddNodeTo(e, name, nkWater, elevation);
  std::vector<double> flows{0}, pressures{staticPressure};
  if (flow > 0) {
    flows.push_back(flow);
    pressures.push_back(residual);
  }
  node->Supply = AddCurve(e, skWater, node, flows, pressures);
  return node;
}

inline TPipe* AddPipeTo(TCalcEngine& e, const std::string& name, const std::string& from, const std::string& to,
                        double length, double diameter, double c = 120) {
  auto pipe = std::make_unique<TPipe>();
  pipe->Name = name;
  pipe->FromName = from;
  pipe->ToName = to;
  pipe->FromNode = e.FindNode(from);
  pipe->ToNode = e.FindNode(to);
  pipe->Length = length;
  pipe->InsideDiameter = diameter;
  pipe->CFactor = c;
  pipe->Line = 100 + static_cast<int32_t>(e.FPipes.size());
  TPipe* raw = pipe.get();
  return e.AddPipe(std::move(pipe)) ? raw : nullptr;
}

inline void UseUSUnits(TCalcEngine& e) { e.SetUnits(TUnitSet{0, 2, 0, 0, 0, 0, 5, 3}); }

// Pressure balance of a head: its total pressure must give its flow through its K-factor.
inline double HeadPressure(const TNode& head) { return (head.Flow / head.KFactor) * (head.Flow / head.KFactor); }

}  // namespace pelmora::test
