// The AutoPeak search: a 30 x 24 grid (30 heads on each of 24 branch lines between two mains) with a
// 5 x 4 remote area moved over every position of the grid, one solve per position.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/grid.h"
#include "input/calc_run.h"
#include "input/zub_file.h"

namespace pelmora {
namespace {

std::vector<std::string> AutoPeakGrid() {
  return {"Water W 0 90 2000 70",
          "Node BOR 0",
          "Pipe UG-1 W BOR 150 6 E T",
          "Pipe RISER BOR M1-1 22 4 E",
          "Main 4 24 10",
          "Main 4 24 10",
          "MainElev 20",
          "MainElev 20",
          "Use S10 120",
          "Line 30 1.25 6 6 10",
          "LineElev 20",
          "Flow 1 1 5 4 18 5.6",
          "AutoPeak"};
}

void BM_AutoPeak30x24(benchmark::State& state) {
  const std::vector<std::string> text = AutoPeakGrid();
  TZubFile project;
  project.Units = TUnitSet{};
  int positions = 0;
  for (auto _ : state) {
    TRunResult run = Run(text, project);
    if (!run.Success) {
      state.SkipWithError("the calculation failed");
      return;
    }
    positions = run.Engine->FGrid->PositionsTried();
    benchmark::DoNotOptimize(run.Engine->FMargin);
  }
  state.counters["positions"] = positions;
}

BENCHMARK(BM_AutoPeak30x24)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pelmora

BENCHMARK_MAIN();
