#include "dxf/dxf_fittings.h"

namespace pelmora {

namespace {

struct TFittingRule {
  bool TwoPipes;  // an elbow rule (two pipes at the node) or a tee rule (three or more)
  int From, To;   // deflection range, whole degrees
  const char* Fittings;
};

constexpr TFittingRule kFittingRules[] = {
    {true, 15, 55, " HE"},    {true, 56, 100, " E"},      {true, 101, 145, " E HE"}, {true, 146, 180, " 2E"},
    {false, 15, 100, " T"},   {false, 101, 145, " T HE"}, {false, 146, 180, " T E"},
};

TDxfPoint ArmAt(const TdxfLine& pipe, int node) {
  return pipe.Node1 == node ? Difference(pipe.End, pipe.Start) : Difference(pipe.Start, pipe.End);
}

TdxfLine& PipeTakingFitting(TdxfLine& first, TdxfLine& later) {
  if (first.Main != later.Main) return first.Main ? later : first;
  return first.Size < later.Size ? first : later;
}

}  // namespace

std::string FittingForDeflection(int deflection, int pipesAtNode) {
  for (const TFittingRule& rule : kFittingRules)
    if (rule.TwoPipes == (pipesAtNode == 2) && deflection >= rule.From && deflection <= rule.To) return rule.Fittings;
  return {};
}

void AddFittings(std::vector<TdxfLine>& pipes, size_t nodeCount) {
  std::vector<std::vector<int>> pipesAt(nodeCount);
  for (size_t i = 0; i < pipes.size(); ++i) {
    const TdxfLine& pipe = pipes[i];
    if (pipe.Node1 < 0 || pipe.Node2 < 0 || pipe.Node1 == pipe.Node2) continue;
    pipesAt[pipe.Node1].push_back(static_cast<int>(i));
    pipesAt[pipe.Node2].push_back(static_cast<int>(i));
  }
  for (size_t node = 0; node < nodeCount; ++node) {
    const std::vector<int>& touching = pipesAt[node];
    int count = static_cast<int>(touching.size());
    for (int k = 1; k < count; ++k) {
      TdxfLine& first = pipes[touching[0]];
      TdxfLine& later = pipes[touching[k]];
      int at = static_cast<int>(node);
      int deflection = DeflectionDegrees(ArmAt(first, at), ArmAt(later, at));
      PipeTakingFitting(first, later).Fittings += FittingForDeflection(deflection, count);
    }
  }
}

}  // namespace pelmora
