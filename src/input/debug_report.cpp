#include "input/debug_report.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "engine/calc_engine.h"
#include "engine/grid.h"

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace pelmora {

namespace {

std::string Thousands(uint64_t value) {
  const std::string digits = std::to_string(value);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

std::string Shortest(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::vector<std::string> ProcessorFeatures() {
  std::vector<std::string> lines;
#if defined(__x86_64__) || defined(__i386__)
  __builtin_cpu_init();
  if (__builtin_cpu_supports("sse2")) lines.push_back("CPU - SSE2");
  if (__builtin_cpu_supports("sse")) lines.push_back("CPU - SSE");
  if (__builtin_cpu_supports("mmx")) lines.push_back("CPU - MMX");
  lines.push_back("CPU - x87");
#endif
  return lines;
}

const std::string& NodeName(const TNode* node) {
  static const std::string none;
  return node ? node->Name : none;
}

void AddEquationLines(std::vector<std::string>& lines, const TCalcEngine& engine) {
  for (size_t i = 0; i < engine.FPaths.size(); ++i) {
    const TLoop& path = *engine.FPaths[i];
    const int end = path.EndNodeNumber;
    const bool known = end > 0 && end < static_cast<int>(engine.FNodes.size());
    lines.push_back("Path " + std::to_string(i));
    lines.push_back("    Q=" + Shortest(path.Flow));
    lines.push_back("    Pt=" + Shortest(path.Required));
    lines.push_back("    Pf=" + Shortest(path.Loss));
    lines.push_back("    Node=" + (known ? NodeName(engine.FNodes[end]) : std::string()));
  }
  for (size_t i = 0; i < engine.FLoops.size(); ++i) {
    const TLoop& loop = *engine.FLoops[i];
    lines.push_back("Loop " + std::to_string(i));
    lines.push_back("    Q=" + Shortest(loop.Flow));
    lines.push_back("    Pt=" + Shortest(loop.Loss));
  }
}

void AddEquationPipes(std::vector<std::string>& lines, const TCalcEngine& engine,
                      const std::vector<std::unique_ptr<TLoop>>& equations) {
  for (size_t i = 0; i < equations.size(); ++i) {
    std::string line = "#" + std::to_string(i) + ":";
    for (const int signedNumber : equations[i]->PipeNumbers) {
      const size_t number = static_cast<size_t>(signedNumber < 0 ? -signedNumber : signedNumber);
      if (number > 0 && number < engine.FPipes.size() && engine.FPipes[number]) line += " " + engine.FPipes[number]->Name;
    }
    lines.push_back(line);
  }
}

}  // namespace

uint64_t ReadCycleCounter() {
#if defined(__x86_64__) || defined(__i386__)
  return __rdtsc();
#else
  return 0;
#endif
}

std::vector<std::string> DebugStatistics(const TCalcEngine& engine, uint64_t startCycles) {
  const TStepCycles& cycles = engine.FCycles;
  std::vector<std::string> lines;
  lines.push_back(engine.FBaseNode ? "Base Node = " + engine.FBaseNode->Name : "Base Node = * NOT FOUND *");
  const uint64_t stuff = cycles.PreparationEnd > startCycles ? cycles.PreparationEnd - startCycles : 0;
  const std::pair<const char*, uint64_t> counters[] = {
      {"Stuff       Cycles   -> ", stuff},
      {"Setup       Cycles   -> ", cycles.Setup},
      {"FindNeighbors Cyls   -> ", cycles.FindNeighbors},
      {"FindLoops   Cycles   -> ", cycles.FindLoops},
      {"FindPaths   Cycles   -> ", cycles.FindPaths},
      {"SplitSystem Cycles   -> ", cycles.SplitSystem},
      {"Matrix Setp Cycles   -> ", cycles.MatrixSetup},
      {"Update Pipe Cycles   -> ", cycles.UpdatePipes},
      {"Calculate   Cycles   -> ", cycles.Calculate},
      {"Total Clock Cycles   -> ", ReadCycleCounter() - startCycles},
  };
  for (const auto& [label, count] : counters) lines.push_back(label + Thousands(count));
  for (std::string& feature : ProcessorFeatures()) lines.push_back(std::move(feature));
  lines.push_back("# Iterations   -> " + Thousands(static_cast<uint64_t>(engine.FIterations)));
  lines.push_back("Unbalance      -> " + Shortest(engine.FUnbalance));
  lines.push_back("totalFlow      -> " + Shortest(engine.FSourceFlow));
  lines.push_back("demandFlow     -> " + Shortest(engine.FDemandFlow));
  if (engine.FGrid) {
    // The final pass of a search is calculated at the best position: it is the last area tried.
    const TGridPosition last = engine.FGrid->BestPosition();
    lines.push_back("Last Area (x,y)-> " + std::to_string(last.Head) + "," + std::to_string(last.Line));
    lines.push_back("Failure Count  -> " + Thousands(static_cast<uint64_t>(engine.FGrid->PositionsFailed())));
  }
  lines.push_back("# Pipes        -> " + Thousands(engine.FPipes.size() - 1));
  lines.push_back("# Nodes        -> " + Thousands(engine.FNodes.size() - 1));
  AddEquationLines(lines, engine);
  return lines;
}

std::vector<std::string> DumpLines(const TCalcEngine& engine) {
  std::vector<std::string> lines{"Pipe"};
  for (size_t number = 1; number < engine.FPipes.size(); ++number) {
    const TPipe* pipe = engine.FPipes[number];
    if (!pipe) continue;
    std::string line = pipe->Name + " " + pipe->FromName + " " + pipe->ToName + "   ";
    if (pipe->FromNode) line += "SN:" + pipe->FromNode->Name + " ";
    if (pipe->ToNode) line += "EN:" + pipe->ToNode->Name;
    lines.push_back(line);
  }
  lines.push_back("Paths");
  AddEquationPipes(lines, engine, engine.FPaths);
  lines.push_back("");
  lines.push_back("Loops");
  AddEquationPipes(lines, engine, engine.FLoops);
  return lines;
}

bool WriteDumpFile(const TCalcEngine& engine, const std::string& fileName) {
  const std::string temporary = fileName + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const std::string& line : DumpLines(engine)) out << line << "\r\n";
    if (!out.flush()) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, fileName, error);
  if (!error) return true;
  std::filesystem::remove(temporary, error);
  return false;
}

}  // namespace pelmora
