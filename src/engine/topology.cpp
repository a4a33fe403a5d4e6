#include "engine/topology.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <unordered_map>

#include "engine/engine_state.h"
#include "input/units/text.h"

namespace pelmora {

namespace {

int32_t Magnitude(int32_t signedPipe) { return std::abs(signedPipe); }

// The neighbours at the end where a search leaves the pipe.
const TIntArray& LeavingNeighbors(const TPipe& pipe, const TPipeMark& mark) {
  return mark.Dir == 1 ? pipe.ToNeighbors : pipe.FromNeighbors;
}

void FillNeighbors(TIntArray& neighbors, const TIntArray& nodePipes, int32_t self) {
  neighbors.clear();
  if (nodePipes.size() < 2) return;
  for (int32_t entry : nodePipes)
    if (Magnitude(entry) != self && std::find(neighbors.begin(), neighbors.end(), entry) == neighbors.end())
      neighbors.push_back(entry);
}

// Takes a pipe into a search: reached from pred, entered at its from node when the neighbour
// number is positive.
void Take(TEngineState& s, std::vector<int32_t>& visited, int32_t neighbor, int32_t pred) {
  TPipeMark& m = s.Marks[Magnitude(neighbor)];
  m.Mark = pmReached;
  m.Pred = pred;
  m.Dir = neighbor > 0 ? 1 : 0;
  visited.push_back(Magnitude(neighbor));
}

void ClearVisited(TEngineState& s, std::vector<int32_t>& visited) {
  for (int32_t p : visited) {
    s.Marks[p].Mark = pmFree;
    s.Marks[p].Pred = kNoPred;
  }
  visited.clear();
}

// Dead-end pruning with a work list: each pipe end keeps the count of its remaining neighbours,
// so removing a pipe only touches the pipes that meet it.
class TBranchPruner {
 public:
  TBranchPruner(TCalcEngine& e, TEngineState& s) : FEngine(e), FState(s) {
    const size_t n = e.FPipes.size();
    FFromCount.assign(n, 0);
    FToCount.assign(n, 0);
    for (size_t k = 1; k < n; ++k) {
      if (Removed(k)) continue;
      FFromCount[k] = Remaining(e.FPipes[k]->FromNeighbors);
      FToCount[k] = Remaining(e.FPipes[k]->ToNeighbors);
      Queue(k);
    }
    Run();
  }

  void Remove(int32_t k) {
    FWork.push_back(k);
    Run();
  }

 private:
  bool Removed(size_t k) const { return FState.Marks[k].Mark == pmRemoved; }
  int Remaining(const TIntArray& list) const {
    int count = 0;
    for (int32_t entry : list) count += !Removed(Magnitude(entry));
    return count;
  }
  void Queue(size_t k) {
    if (!Removed(k) && (FFromCount[k] == 0 || FToCount[k] == 0)) FWork.push_back(static_cast<int32_t>(k));
  }
  void Release(const TIntArray& neighbors, const TNode* shared) {
    for (int32_t entry : neighbors) {
      const int32_t q = Magnitude(entry);
      if (Removed(q)) continue;
      const TPipe& other = *FEngine.FPipes[q];
      if (other.FromNode == shared) --FFromCount[q];
      if (other.ToNode == shared) --FToCount[q];
      Queue(q);
    }
  }
  void Run() {
    while (!FWork.empty()) {
      const int32_t k = FWork.front();
      FWork.pop_front();
      if (Removed(k)) continue;
      FState.Marks[k].Mark = pmRemoved;
      const TPipe& pipe = *FEngine.FPipes[k];
      Release(pipe.FromNeighbors, pipe.FromNode);
      Release(pipe.ToNeighbors, pipe.ToNode);
    }
  }

  TCalcEngine& FEngine;
  TEngineState& FState;
  std::vector<int> FFromCount, FToCount;
  std::deque<int32_t> FWork;
};

// Breadth-first search for the shortest loop through pipe k; runs of pipes in series are
// followed without widening the front. True when k was reached again.
bool SearchLoop(TCalcEngine& e, TEngineState& s, int32_t k, std::vector<int32_t>& visited) {
  s.Marks[k].Dir = 1;
  std::vector<int32_t> front{k}, next;
  while (!front.empty()) {
    next.clear();
    for (int32_t p : front) {
      for (int32_t neighbor : LeavingNeighbors(*e.FPipes[p], s.Marks[p])) {
        if (s.Marks[Magnitude(neighbor)].Mark != pmFree) continue;
        Take(s, visited, neighbor, p);
        int32_t last = Magnitude(neighbor);
        if (last == k) return true;
        for (;;) {
          const TIntArray& far = LeavingNeighbors(*e.FPipes[last], s.Marks[last]);
          if (far.size() != 1 || s.Marks[Magnitude(far[0])].Mark != pmFree) break;
          Take(s, visited, far[0], last);
          last = Magnitude(far[0]);
          if (last == k) return true;
        }
        next.push_back(last);
      }
    }
    front.swap(next);
  }
  return false;
}

std::unique_ptr<TLoop> LoopThrough(TEngineState& s, int32_t k, size_t number) {
  auto loop = std::make_unique<TLoop>();
  loop->Name = std::to_string(number);
  int32_t p = k;
  do {
    ++s.Marks[p].LoopCount;
    loop->PipeNumbers.push_back(s.Marks[p].Dir == 1 ? -p : p);
    p = s.Marks[p].Pred;
  } while (p != k);
  return loop;
}

bool TakesOrGivesWater(const TNode& node) {
  return node.MinFlow != 0 || node.MinPressure != kNotSet || node.Kind == nkWater;
}

// Breadth-first search from node n towards any pipe of the base node; the first target pipe
// of the first front that holds one ends the search. 0 when the base cannot be reached.
int32_t SearchPath(TCalcEngine& e, TEngineState& s, const TNode& n, const std::vector<char>& target,
                   std::vector<int32_t>& visited) {
  std::vector<int32_t> front, next;
  for (int32_t entry : n.PipeList) {
    Take(s, visited, entry, kNoPred);
    front.push_back(Magnitude(entry));
  }
  while (!front.empty()) {
    for (int32_t p : front)
      if (target[p]) return p;
    next.clear();
    for (int32_t p : front)
      for (int32_t neighbor : LeavingNeighbors(*e.FPipes[p], s.Marks[p]))
        if (s.Marks[Magnitude(neighbor)].Mark == pmFree) {
          Take(s, visited, neighbor, p);
          next.push_back(Magnitude(neighbor));
        }
    front.swap(next);
  }
  return 0;
}

TIntArray PipesBack(const TEngineState& s, int32_t targetPipe) {
  TIntArray pipes;
  for (int32_t p = targetPipe; p != kNoPred; p = s.Marks[p].Pred) pipes.push_back(s.Marks[p].Dir == 1 ? -p : p);
  return pipes;
}

// Searches the paths to the base node that the cache does not hold yet. The searches start with
// every pipe free and leave them so; the base node's pipes are the targets.
class TPathSearch {
 public:
  TPathSearch(TCalcEngine& e, TEngineState& s, int32_t baseNode) : FEngine(e), FState(s), FBase(baseNode) {
    TPathCache& cache = s.Paths;
    if (cache.BaseNode != baseNode || cache.Searched.size() != e.FNodes.size()) {
      cache.BaseNode = baseNode;
      cache.Searched.assign(e.FNodes.size(), 0);
      cache.Pipes.assign(e.FNodes.size(), {});
    }
  }

  const TIntArray& PipesOf(int32_t n) {
    TPathCache& cache = FState.Paths;
    if (!cache.Searched[n]) {
      if (FTarget.empty()) Start();
      const int32_t found = SearchPath(FEngine, FState, *FEngine.FNodes[n], FTarget, FVisited);
      cache.Pipes[n] = found != 0 ? PipesBack(FState, found) : TIntArray{};
      cache.Searched[n] = 1;
      ClearVisited(FState, FVisited);
    }
    return cache.Pipes[n];
  }

 private:
  void Start() {
    FTarget.assign(FEngine.FPipes.size(), 0);
    for (int32_t entry : FEngine.FNodes[FBase]->PipeList) FTarget[Magnitude(entry)] = 1;
    for (TPipeMark& m : FState.Marks) {
      m.Mark = pmFree;
      m.Pred = kNoPred;
    }
  }

  TCalcEngine& FEngine;
  TEngineState& FState;
  int32_t FBase;
  std::vector<char> FTarget;
  std::vector<int32_t> FVisited;
};

}  // namespace

bool FindNeighbors(TCalcEngine& e) {
  const uint64_t start = CycleCount();
  const int errors = e.FErrorCount;
  for (size_t i = 1; i < e.FNodes.size(); ++i) e.FNodes[i]->PipeList.clear();
  for (size_t k = 1; k < e.FPipes.size(); ++k) {
    TPipe& pipe = *e.FPipes[k];
    const int32_t number = static_cast<int32_t>(k);
    pipe.FromNode->PipeList.push_back(number);
    if (pipe.FromNode == pipe.ToNode)
      e.AddError(267, "Pipe " + pipe.Name + " has the same starting and ending node.", 0, pipe.Line);
    else
      pipe.ToNode->PipeList.push_back(-number);
  }
  for (size_t k = 1; k < e.FPipes.size(); ++k) {
    TPipe& pipe = *e.FPipes[k];
    FillNeighbors(pipe.FromNeighbors, pipe.FromNode->PipeList, static_cast<int32_t>(k));
    FillNeighbors(pipe.ToNeighbors, pipe.ToNode->PipeList, static_cast<int32_t>(k));
  }
  for (size_t i = 1; i < e.FNodes.size(); ++i)
    if (e.FNodes[i]->PipeList.empty())
      e.AddError(517, "Node " + e.FNodes[i]->Name + " was not used in a pipe.", static_cast<int>(i),
                 e.FNodes[i]->Line);
  e.FCycles.FindNeighbors = CycleCount() - start;
  return e.FErrorCount == errors;
}

bool SplitSystem(TCalcEngine& e, TEngineState& s) {
  const uint64_t start = CycleCount();
  // The neighbours were found anew: paths searched before may no longer hold.
  s.Paths = TPathCache{};
  for (TPipeMark& m : s.Marks) m = TPipeMark{};
  if (e.FPipes.size() < 2) return true;
  std::vector<int32_t> work{1};
  s.Marks[1].Mark = pmReached;
  while (!work.empty()) {
    const TPipe& pipe = *e.FPipes[work.back()];
    work.pop_back();
    for (const TIntArray* list : {&pipe.FromNeighbors, &pipe.ToNeighbors})
      for (int32_t entry : *list)
        if (s.Marks[Magnitude(entry)].Mark == pmFree) {
          s.Marks[Magnitude(entry)].Mark = pmReached;
          work.push_back(Magnitude(entry));
        }
  }
  bool connected = true;
  for (size_t k = 1; k < e.FPipes.size(); ++k)
    if (s.Marks[k].Mark != pmReached) {
      e.AddError(774, "Pipe " + e.FPipes[k]->Name + " not connected to system.", 0, e.FPipes[k]->Line);
      connected = false;
    }
  e.FCycles.SplitSystem = CycleCount() - start;
  return connected;
}

void MarkBranches(TCalcEngine& e, TEngineState& s) { TBranchPruner(e, s); }

void FindLoops(TCalcEngine& e, TEngineState& s) {
  const uint64_t start = CycleCount();
  ++s.LoopsVersion;
  e.FLoops.clear();
  for (TPipeMark& m : s.Marks) m = TPipeMark{};
  TBranchPruner pruner(e, s);
  std::vector<int32_t> visited;
  const int32_t last = static_cast<int32_t>(e.FPipes.size()) - 2;
  for (int32_t k = 1; k <= last; ++k) {
    if (s.Marks[k].Mark != pmFree) continue;
    const bool found = SearchLoop(e, s, k, visited);
    if (found) e.FLoops.push_back(LoopThrough(s, k, e.FLoops.size() + 1));
    ClearVisited(s, visited);
    s.Marks[k].Dir = 0;
    pruner.Remove(k);
  }
  e.FCycles.FindLoops = CycleCount() - start;
}

std::vector<int32_t> BaseNodeCandidates(TCalcEngine& e) {
  std::vector<int32_t> sources;
  for (size_t i = 1; i < e.FNodes.size(); ++i)
    if (e.FNodes[i]->Kind == nkWater) sources.push_back(static_cast<int32_t>(i));
  if (sources.empty()) e.AddError(1026, "No calculation base node could be found.", 0, -1);
  return sources;
}

bool FindPaths(TCalcEngine& e, TEngineState& s, int32_t baseNode, TPathMode mode) {
  const uint64_t start = CycleCount();
  e.FPaths.clear();
  s.MainSourcePath = nullptr;
  TPathSearch search(e, s, baseNode);
  for (int32_t n = 1; n < static_cast<int32_t>(e.FNodes.size()); ++n) {
    const TNode& node = *e.FNodes[n];
    if (n == baseNode) continue;
    const bool wanted = mode == TPathMode::Riser ? SameText(node.Name, e.FRiserNodeName) : TakesOrGivesWater(node);
    if (!wanted) continue;
    const TIntArray& pipes = search.PipesOf(n);
    if (pipes.empty()) continue;
    auto path = std::make_unique<TLoop>();
    path->Name = std::to_string(e.FPaths.size() + 1);
    path->EndNodeNumber = n;
    path->PipeNumbers = pipes;
    if (&node == e.FInputNode) s.MainSourcePath = path.get();
    e.FPaths.push_back(std::move(path));
  }
  e.FCycles.FindPaths += CycleCount() - start;
  if (mode == TPathMode::Flowing && e.FPaths.empty()) {
    e.AddError(775, "No flowing nodes have been entered. Nothing to calc.", 0, -1);
    return false;
  }
  return true;
}

void NumberPipeEnds(TCalcEngine& e, TEngineState& s) {
  std::unordered_map<const TNode*, int32_t> numbers;
  for (size_t i = 1; i < e.FNodes.size(); ++i) numbers[e.FNodes[i]] = static_cast<int32_t>(i);
  s.FromNodeNumbers.assign(e.FPipes.size(), 0);
  s.ToNodeNumbers.assign(e.FPipes.size(), 0);
  for (size_t k = 1; k < e.FPipes.size(); ++k) {
    s.FromNodeNumbers[k] = numbers[e.FPipes[k]->FromNode];
    s.ToNodeNumbers[k] = numbers[e.FPipes[k]->ToNode];
  }
}

}  // namespace pelmora
