// Whole calculations of typical sprinkler systems, built through the engine's API.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/calc_engine.h"

namespace pelmora {
namespace {

class TBuilder {
 public:
  explicit TBuilder(TCalcEngine& e) : FEngine(e) { e.SetUnits(TUnitSet{0, 2, 0, 0, 0, 0, 5, 3}); }

  TNode* Node(const std::string& name, TNodeKind kind, double elevation = 0) {
    auto node = std::make_unique<TNode>();
    node->Name = name;
    node->Kind = kind;
    node->Elevation = elevation;
    TNode* raw = node.get();
    FEngine.AddNode(std::move(node));
    return raw;
  }
  void Head(const std::string& name, double elevation, double minFlow) {
    TNode* head = Node(name, nkHead, elevation);
    head->MinFlow = minFlow;
    head->KFactor = 5.6;
  }
  void Water(const std::string& name) {
    TNode* node = Node(name, nkWater);
    auto curve = std::make_unique<TSpecial>();
    curve->Owner = node;
    curve->Flows = {0, 2000};
    curve->Pressures = {120, 90};
    node->Supply = FEngine.AddSpecial(std::move(curve));
    FEngine.FInputNode = node;
  }
  void Pipe(const std::string& from, const std::string& to, double length, double diameter) {
    auto pipe = std::make_unique<TPipe>();
    pipe->Name = "P" + std::to_string(++FPipeCount);
    pipe->FromNode = FEngine.FindNode(from);
    pipe->ToNode = FEngine.FindNode(to);
    pipe->Length = length;
    pipe->InsideDiameter = diameter;
    pipe->CFactor = 120;
    FEngine.AddPipe(std::move(pipe));
  }

 private:
  TCalcEngine& FEngine;
  int FPipeCount = 0;
};

std::string Name(const char* prefix, int a, int b) { return prefix + std::to_string(a) + "_" + std::to_string(b); }

// Riser and cross main feeding 10 branch lines of 10 heads each.
void BuildTree(TCalcEngine& e) {
  TBuilder b(e);
  b.Water("W");
  b.Node("R", nkNode, 12);
  b.Pipe("W", "R", 20, 6.065);
  std::string previous = "R";
  for (int line = 0; line < 10; ++line) {
    const std::string main = Name("M", line, 0);
    b.Node(main, nkNode, 12);
    b.Pipe(previous, main, 10, 4.026);
    previous = main;
    std::string last = main;
    for (int head = 0; head < 10; ++head) {
      const std::string name = Name("H", line, head);
      b.Head(name, 12, 15);
      b.Pipe(last, name, 12, head < 3 ? 1.61 : head < 6 ? 1.38 : 1.049);
      last = name;
    }
  }
}

// 20 branch lines of 20 head positions between two cross mains. Heads flow in the far corner
// (20 of them, 4 lines by 5 heads) or everywhere.
void BuildGrid(TCalcEngine& e, bool allHeads) {
  TBuilder b(e);
  b.Water("W");
  b.Node("R", nkNode, 12);
  b.Pipe("W", "R", 20, 8.0);
  for (int line = 0; line < 20; ++line) {
    b.Node(Name("A", line, 0), nkNode, 12);
    b.Node(Name("B", line, 0), nkNode, 12);
    b.Pipe(line == 0 ? "R" : Name("A", line - 1, 0), Name("A", line, 0), 10, 4.026);
    if (line > 0) b.Pipe(Name("B", line - 1, 0), Name("B", line, 0), 10, 3.068);
    std::string last = Name("A", line, 0);
    for (int head = 0; head < 20; ++head) {
      const std::string name = Name("H", line, head);
      const bool flowing = allHeads || (line >= 16 && head >= 15);
      if (flowing) b.Head(name, 12, 15);
      else b.Node(name, nkNode, 12);
      b.Pipe(last, name, 12, 1.38);
      last = name;
    }
    b.Pipe(last, Name("B", line, 0), 12, 1.38);
  }
}

template <typename Build>
void RunCalculation(benchmark::State& state, Build build) {
  int iterations = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto e = std::make_unique<TCalcEngine>();
    build(*e);
    state.ResumeTiming();
    if (!e->Calculate()) state.SkipWithError("calculation failed");
    iterations = e->FIterations;
    state.PauseTiming();
    e.reset();
    state.ResumeTiming();
  }
  state.counters["newton_iterations"] = iterations;
}

void TreeOf100Heads(benchmark::State& state) { RunCalculation(state, BuildTree); }
void GridWith20HeadArea(benchmark::State& state) {
  RunCalculation(state, [](TCalcEngine& e) { BuildGrid(e, false); });
}
void GridAll400HeadsSourceCalculation(benchmark::State& state) {
  RunCalculation(state, [](TCalcEngine& e) {
    BuildGrid(e, true);
    e.FSourceCalculation = true;
  });
}

BENCHMARK(TreeOf100Heads)->Unit(benchmark::kMillisecond);
BENCHMARK(GridWith20HeadArea)->Unit(benchmark::kMillisecond);
BENCHMARK(GridAll400HeadsSourceCalculation)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pelmora

BENCHMARK_MAIN();
