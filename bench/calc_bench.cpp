// Whole calculations (scan, build, solve, results) of generated tree and gridded systems.
#include <benchmark/benchmark.h>

#include "input/calc_run.h"
#include "input/zub_file.h"
#include "network_texts.h"

namespace pelmora {
namespace {

void Calculate(benchmark::State& state, const std::vector<std::string>& text) {
  TZubFile project;
  int iterations = 0;
  for (auto _ : state) {
    TRunResult run = Run(text, project);
    if (!run.Success) {
      state.SkipWithError("the calculation failed");
      return;
    }
    iterations = run.Engine->FIterations;
    benchmark::DoNotOptimize(run.Engine->FMargin);
  }
  state.counters["iterations"] = iterations;
}

void BM_Tree100Heads(benchmark::State& state) { Calculate(state, TreeText(10, 10)); }

void BM_Grid20x20RemoteArea(benchmark::State& state) { Calculate(state, GridText({})); }

void BM_Grid20x20AllHeadsSource(benchmark::State& state) {
  TGridTextOptions options;
  options.AllHeadsFlow = true;
  options.SourceCalculation = true;
  Calculate(state, GridText(options));
}

BENCHMARK(BM_Tree100Heads)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Grid20x20RemoteArea)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Grid20x20AllHeadsSource)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pelmora

BENCHMARK_MAIN();
