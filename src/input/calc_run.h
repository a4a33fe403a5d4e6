// The calculation run without a window: interpret the command text, solve, collect the messages.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/calc_engine.h"

namespace pelmora {

class TZubFile;

struct TRunResult {
  std::unique_ptr<TCalcEngine> Engine;  // model and results of this run
  bool Success = false;                 // the engine's FCalcOK
  std::vector<std::string> Messages;    // errors, then warnings and hints, then debug statistics
};

// The project's FEngine refers to the returned engine until the next run. A window passes a
// message pump, called once per solver iteration, so that it keeps painting and can set the
// engine's FCancel (through the project's FEngine) while the solver iterates.
TRunResult Run(const std::vector<std::string>& lines, TZubFile& project, std::function<void()> messagePump = {});

}  // namespace pelmora
