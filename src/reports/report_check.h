// Whether a calculation may be reported: it must have succeeded and hold only finite numbers.
#pragma once

#include <string>

#include "engine/calc_engine.h"

namespace pelmora {

// Empty when the calculation can be reported; otherwise the reason it cannot.
std::string ReportRefusal(const TCalcEngine& engine);

}  // namespace pelmora
