#include "shell/gui_run.h"

#include <chrono>
#include <ctime>

#include "input/builder_messages.h"
#include "input/debug_report.h"
#include "input/zub_file.h"

namespace pelmora {

namespace {

// Run takes no pump yet, and its engine exists only inside it; this mirrors its steps with the
// pump connected before interpretation. Replace by Run once it accepts a pump.
constexpr double kTolerancePsi = 0.001;

double SecondsSinceMidnight() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const double fraction = std::chrono::duration<double>(now - std::chrono::system_clock::from_time_t(seconds)).count();
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

}  // namespace

TRunResult RunWithMessagePump(const std::vector<std::string>& lines, TZubFile& project,
                              std::function<void()> messagePump) {
  TRunResult result;
  result.Engine = std::make_unique<TCalcEngine>();
  TCalcEngine& engine = *result.Engine;
  project.FEngine = &engine;
  engine.FBeginTime = SecondsSinceMidnight();
  engine.FMessagePump = std::move(messagePump);
  engine.FCancel = false;
  engine.ClearErrors();
  engine.FTolerance = kTolerancePsi;
  engine.FSourceCalculation = false;
  engine.FUseVelocityPressure = project.UseVelocity;
  engine.SetUnits(project.Units);
  engine.FRiserNodeName = project.BaseOfRiser;
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
  for (const TCalcError& error : engine.FErrors) result.Messages.push_back(error.Text);
  for (const TCalcError& message : engine.FMessages) result.Messages.push_back(message.Text);
  if (engine.FDebug) {
    for (std::string& line : DebugStatistics(engine, startCycles)) result.Messages.push_back(std::move(line));
    WriteDumpFile(engine);
  }
  result.Success = engine.FCalcOK && !engine.FCancel;
  if (result.Success) {
    constexpr int kByLine = 0, kByName = 1;
    engine.SortNodes(project.FOptions.SortNodes ? kByName : kByLine);
    const int pipes = project.FOptions.SortPipes;
    engine.SortPipes(pipes == 1 || pipes == 2 ? pipes : kByLine);
  }
  engine.FMessagePump = nullptr;
  engine.FCalcDone = true;
  return result;
}

}  // namespace pelmora
