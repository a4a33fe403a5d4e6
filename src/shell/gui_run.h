// The calculation run of the desktop program: the headless run with the window's message pump
// connected, so that the window keeps painting and Escape can cancel while the solver iterates.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "input/calc_run.h"

namespace pelmora {

// The same steps as Run; messagePump is called once per solver iteration.
TRunResult RunWithMessagePump(const std::vector<std::string>& lines, TZubFile& project,
                              std::function<void()> messagePump);

}  // namespace pelmora
