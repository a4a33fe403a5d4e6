// The scan of a large command text: it runs after every change in the editor.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "input/zub_file.h"

namespace pelmora {
namespace {

// A tree of 2,000 branches: per branch a pipe with fittings, a reference node, a head and a
// second pipe, with a material change every 50 lines; one water source.
std::string Named(std::string prefix, int number) { return prefix += std::to_string(number); }

std::vector<std::string> GeneratedText(int lineCount) {
  std::vector<std::string> lines{"Water  W  0  80  1000 60  2000 40", "Use    S40  120"};
  for (int i = 0; lines.size() < static_cast<size_t>(lineCount); ++i) {
    const std::string n = std::to_string(i);
    const std::string previous = i == 0 ? std::string("W") : Named("N", i - 1);
    lines.push_back("Pipe   P" + n + "  " + previous + "  N" + n + "  12'6  2  E T 2E  // main " + n);
    lines.push_back("Node   N" + n + "  10");
    lines.push_back("Pipe   B" + n + "  N" + n + "  H" + n + "  8  1.25  T E");
    lines.push_back("Head   H" + n + "  12  25  5.6");
    if (i % 10 == 9) lines.push_back("Use    S40  " + std::to_string(100 + i % 40));
  }
  lines.resize(static_cast<size_t>(lineCount));
  return lines;
}

size_t TextBytes(const std::vector<std::string>& lines) {
  size_t bytes = 0;
  for (const std::string& line : lines) bytes += line.size() + 2;
  return bytes;
}

// Heap held by the token table and the per-line settings.
size_t TableBytes(const TZubFile& project) {
  size_t bytes = project.FTokens.MemoryBytes();
  for (const std::string& material : project.FLineMaterial)
    bytes += sizeof(std::string) + (material.capacity() > 15 ? material.capacity() + 1 : 0);
  const size_t lines = project.FLineMaterial.size();
  return bytes + lines * (3 * sizeof(double) + sizeof(uint8_t));
}

void ScanLines(benchmark::State& state) {
  const std::vector<std::string> text = GeneratedText(static_cast<int>(state.range(0)));
  TZubFile project;
  for (auto _ : state) {
    project.ParseLines(text);
    benchmark::DoNotOptimize(project.FTokens.size());
  }
  const double textBytes = static_cast<double>(TextBytes(text));
  state.counters["text_kB"] = textBytes / 1024;
  state.counters["table_kB"] = static_cast<double>(TableBytes(project)) / 1024;
  state.counters["table_per_text"] = static_cast<double>(TableBytes(project)) / textBytes;
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ScanLines)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pelmora

BENCHMARK_MAIN();
