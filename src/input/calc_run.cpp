#include "input/calc_run.h"

#include <chrono>
#include <ctime>

#include "input/builder_messages.h"
#include "input/debug_report.h"
#include "input/zub_file.h"

namespace pelmora {

namespace {

constexpr double kTolerancePsi = 0.001;

double SecondsSinceMidnight() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const double fraction = std::chrono::duration<double>(now - std::chrono::system_clock::from_time_t(seconds)).count();
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

void PrepareEngine(TCalcEngine& engine, const TZubFile& project) {
  engine.FBeginTime = SecondsSinceMidnight();
  engine.FCancel = false;
  engine.ClearErrors();
  engine.FTolerance = kTolerancePsi;
  engine.FSourceCalculation = false;
  engine.FUseVelocityPressure = project.UseVelocity;
  engine.SetUnits(project.Units);
  engine.FRiserNodeName = project.BaseOfRiser;
}

std::vector<std::string> MessageLines(const TCalcEngine& engine) {
  std::vector<std::string> lines;
  lines.reserve(engine.FErrors.size() + engine.FMessages.size());
  for (const TCalcError& error : engine.FErrors) lines.push_back(error.Text);
  for (const TCalcError& message : engine.FMessages) lines.push_back(message.Text);
  return lines;
}

// The report sort options apply to the views the result tables read. The calculation leaves
// both views in name order, so only another order needs a second sort.
void SortResults(TCalcEngine& engine, const TRunOptions& options) {
  constexpr int kByLine = 0, kByName = 1;
  const int nodeOrder = options.SortNodes ? kByName : kByLine;
  const int pipeOrder = options.SortPipes == 1 || options.SortPipes == 2 ? options.SortPipes : kByLine;
  if (nodeOrder != kByName) engine.SortNodes(nodeOrder);
  if (pipeOrder != kByName) engine.SortPipes(pipeOrder);
}

}  // namespace

TRunResult Run(const std::vector<std::string>& lines, TZubFile& project, std::function<void()> messagePump) {
  TRunResult result;
  result.Engine = std::make_unique<TCalcEngine>();
  TCalcEngine& engine = *result.Engine;
  project.FEngine = &engine;
  PrepareEngine(engine, project);
  engine.FMessagePump = std::move(messagePump);
  const uint64_t startCycles = ReadCycleCounter();
  const bool solved = project.Interpret(lines, &engine) && engine.Calculate();
  if (solved && project.HeadArea) {
    try {
      project.CheckFourHeads();
    } catch (...) {
      // The four-heads list is advisory; the solved results stay valid without it.
    }
  }
  engine.FEndTime = SecondsSinceMidnight();
  if (engine.FCancel) engine.AddError(kCancelledCode, std::string(kCancelled), 0, 0);
  result.Messages = MessageLines(engine);
  if (engine.FDebug) {
    for (std::string& line : DebugStatistics(engine, startCycles)) result.Messages.push_back(std::move(line));
    WriteDumpFile(engine);
  }
  result.Success = engine.FCalcOK && !engine.FCancel;
  if (result.Success) SortResults(engine, project.FOptions);
  engine.FMessagePump = nullptr;
  engine.FCalcDone = true;
  return result;
}

}  // namespace pelmora
