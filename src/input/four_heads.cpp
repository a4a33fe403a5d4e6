#include <algorithm>
#include <vector>

#include "engine/calc_engine.h"
#include "engine/grid.h"
#include "input/units/text.h"
#include "input/zub_file.h"

namespace pelmora {

namespace {

constexpr double kRatioLimit = 1000000;  // heads without a meaningful minimum flow are passed over

// How well a head is supplied: its flow over its minimum; the smallest is the most demanding.
double Ratio(const TNode& head) { return head.MinFlow > 0 ? head.Flow / head.MinFlow : kRatioLimit; }

class TFourHeadsSearch {
 public:
  TFourHeadsSearch(const TCalcEngine& engine, std::vector<std::string>& names) : FEngine(engine), FNames(names) {}

  const TNode* MostDemandingPathEnd() const {
    std::vector<const TNode*> candidates;
    for (const auto& path : FEngine.FPaths) {
      const int number = path->EndNodeNumber;
      if (number > 0 && number < static_cast<int>(FEngine.FNodes.size())) candidates.push_back(FEngine.FNodes[number]);
    }
    return MostDemanding(candidates);
  }

  // Over the pipes at the head; a plain node between is passed through one level deep.
  const TNode* MostDemandingNeighbour(const TNode& head) const {
    std::vector<const TNode*> candidates;
    for (const TNode* next : Neighbours(head)) {
      if (next->Kind == nkHead) {
        candidates.push_back(next);
      } else if (next->Kind == nkNode) {
        for (const TNode* beyond : Neighbours(*next))
          if (beyond != &head) candidates.push_back(beyond);
      }
    }
    return MostDemanding(candidates);
  }

  // In a generated grid the neighbours are found by position: along the head's branch line, across
  // to the next branch lines, and the head where the chosen line and position cross.
  bool AddGridNeighbours(const TNode& head) {
    if (!FEngine.FGrid) return false;
    const auto& table = FEngine.FGrid->HeadPositions();
    for (int line = 0; line < static_cast<int>(table.size()); ++line) {
      for (int position = 0; position < static_cast<int>(table[line].size()); ++position) {
        if (table[line][position] != &head) continue;
        const int alongAt = Choose(At(table, line, position - 1), At(table, line, position + 1), position);
        const int acrossAt = Choose(At(table, line - 1, position), At(table, line + 1, position), line);
        if (alongAt >= 0) Add(At(table, line, alongAt));
        if (acrossAt >= 0) Add(At(table, acrossAt, position));
        if (alongAt >= 0 && acrossAt >= 0) Add(At(table, acrossAt, alongAt));
        return true;
      }
    }
    return false;
  }

  void Add(const TNode* node) {
    if (node) FNames.push_back(node->Name);
  }

 private:
  bool Listed(const TNode& node) const {
    return std::any_of(FNames.begin(), FNames.end(), [&](const std::string& name) { return SameText(name, node.Name); });
  }

  const TNode* MostDemanding(const std::vector<const TNode*>& candidates) const {
    const TNode* best = nullptr;
    for (const TNode* node : candidates) {
      if (!node || node->Kind != nkHead || Listed(*node) || !(Ratio(*node) < kRatioLimit)) continue;
      if (!best || Ratio(*node) < Ratio(*best)) best = node;
    }
    return best;
  }

  static const TNode* At(const std::vector<std::vector<TNode*>>& table, int line, int position) {
    if (line < 0 || line >= static_cast<int>(table.size())) return nullptr;
    if (position < 0 || position >= static_cast<int>(table[line].size())) return nullptr;
    return table[line][position];
  }

  // Of the neighbours before and after index, the one with the smaller positive ratio (or the only
  // one with a positive ratio); its index, or -1.
  static int Choose(const TNode* before, const TNode* after, int index) {
    const bool beforeFlows = before && before->Kind == nkHead && Ratio(*before) > 0;
    const bool afterFlows = after && after->Kind == nkHead && Ratio(*after) > 0;
    if (beforeFlows && (!afterFlows || Ratio(*before) <= Ratio(*after))) return index - 1;
    return afterFlows ? index + 1 : -1;
  }

  std::vector<const TNode*> Neighbours(const TNode& node) const {
    std::vector<const TNode*> found;
    for (size_t number = 1; number < FEngine.FPipes.size(); ++number) {
      const TPipe* pipe = FEngine.FPipes[number];
      if (!pipe) continue;
      if (pipe->FromNode == &node && pipe->ToNode) found.push_back(pipe->ToNode);
      if (pipe->ToNode == &node && pipe->FromNode) found.push_back(pipe->FromNode);
    }
    return found;
  }

  const TCalcEngine& FEngine;
  std::vector<std::string>& FNames;
};

}  // namespace

int TZubFile::CheckFourHeads() {
  if (!FFourHeads.empty() || FEngine == nullptr) return static_cast<int>(FFourHeads.size());
  TFourHeadsSearch search(*FEngine, FFourHeads);
  const TNode* first = search.MostDemandingPathEnd();
  if (!first) return 0;
  search.Add(first);
  if (search.AddGridNeighbours(*first)) return static_cast<int>(FFourHeads.size());
  search.Add(search.MostDemandingNeighbour(*first));
  if (const TNode* second = search.MostDemandingPathEnd()) {
    search.Add(second);
    search.Add(search.MostDemandingNeighbour(*second));
  }
  return static_cast<int>(FFourHeads.size());
}

}  // namespace pelmora
