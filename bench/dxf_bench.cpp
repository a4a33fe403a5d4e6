// Import and update of a large drawing: 200,000 entities (pipe lines, size texts, head symbols).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "dxf/dxf_exchange.h"
#include "dxf/dxf_file.h"
#include "dxf/dxf_writer.h"

namespace {

constexpr int kRows = 200;
constexpr int kPipesPerRow = 500;  // 100,000 lines, 50,000 texts and 50,000 inserts

void Pair(std::string& out, int code, const std::string& value) {
  out += std::to_string(code);
  out += '\n';
  out += value;
  out += '\n';
}

std::string LargeDrawing() {
  std::string out;
  for (auto [code, value] : {std::pair{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1009"}, {0, "ENDSEC"},
                             {0, "SECTION"}, {2, "ENTITIES"}})
    Pair(out, code, value);
  int handle = 0x100;
  auto common = [&](const char* kind, const char* layer) {
    Pair(out, 0, kind);
    Pair(out, 5, std::to_string(handle++));
    Pair(out, 8, layer);
  };
  for (int row = 0; row < kRows; ++row) {
    std::string y = std::to_string(row * 240);
    for (int pipe = 0; pipe < kPipesPerRow; ++pipe) {
      common("LINE", "P-LINE");
      Pair(out, 10, std::to_string(pipe * 120));
      Pair(out, 20, y);
      Pair(out, 30, "120");
      Pair(out, 11, std::to_string(pipe * 120 + 120));
      Pair(out, 21, y);
      Pair(out, 31, "120");
      if (pipe % 2) continue;
      common("TEXT", "P-SIZE");
      Pair(out, 10, std::to_string(pipe * 120 + 60));
      Pair(out, 20, std::to_string(row * 240 + 8));
      Pair(out, 1, "1 1/4");
      common("INSERT", "HEADS");
      Pair(out, 2, "SPRK");
      Pair(out, 10, std::to_string(pipe * 120 + 120));
      Pair(out, 20, y);
      Pair(out, 30, "120");
    }
  }
  Pair(out, 0, "ENDSEC");
  Pair(out, 0, "EOF");
  return out;
}

const std::string& LargeDrawingFile() {
  static const std::string path = [] {
    std::string file = (std::filesystem::temp_directory_path() / "pelmora_dxf_bench.dxf").string();
    std::ofstream(file, std::ios::binary) << LargeDrawing();
    return file;
  }();
  return path;
}

pelmora::TDxfImportChoices Choices() {
  pelmora::TDxfImportChoices choices;
  choices.LineLayers = {"P-LINE"};
  choices.SizeLayers = {"P-SIZE"};
  choices.HeadLayers = {"HEADS"};
  choices.HeadBlocks = {"SPRK"};
  return choices;
}

void ImportLargeDrawing(benchmark::State& state) {
  pelmora::TZubFile project;
  pelmora::TDxfOptions options;
  options.OneQuarter = " 1/4";
  const std::string& file = LargeDrawingFile();
  size_t lines = 0;
  for (auto _ : state) {
    pelmora::TDxfImportResult result = pelmora::ImportDrawing(file, Choices(), options, project);
    lines = result.Lines.size();
    benchmark::DoNotOptimize(result);
  }
  state.counters["command_lines"] = static_cast<double>(lines);
}
BENCHMARK(ImportLargeDrawing)->Unit(benchmark::kMillisecond);

void UpdateLargeDrawing(benchmark::State& state) {
  pelmora::TdxfFile drawing;
  drawing.Open(LargeDrawingFile());
  drawing.Choices = Choices();
  drawing.BuildCommands();
  pelmora::TDxfUpdateData data;
  data.HasResults = true;
  for (const pelmora::TdxfLine& pipe : drawing.Pipes())
    data.Pipes.push_back({{pipe.PipeName, pipe.Handle, pipe.SizeTextHandle},
                          drawing.Nodes()[pipe.Node1].Name,
                          drawing.Nodes()[pipe.Node2].Name,
                          pipe.SizeText,
                          true,
                          10});
  for (const pelmora::TdxfNode& node : drawing.NodeRecords()) data.Nodes.push_back({node, 5});
  for (auto _ : state) {
    pelmora::TDxfLineList lines;
    lines.LoadFromFile(LargeDrawingFile());
    benchmark::DoNotOptimize(pelmora::BuildDxfUpdate(lines, data, pelmora::TDxfOptions{}));
  }
}
BENCHMARK(UpdateLargeDrawing)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
