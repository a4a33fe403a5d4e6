// The private calculation model of an equivalent-K definition: a water source feeding its pipes in a chain.
#pragma once

#include <memory>

#include "engine/calc_engine.h"
#include "equivk/equivk_file.h"

namespace pelmora {

inline constexpr double kEquivKSourcePsi = 250;  // high enough that the supply never limits

// Builds a new engine from the parsed definition; the problems of its text are in the engine's lists.
std::unique_ptr<TCalcEngine> BuildEquivKModel(const TEquivKFile& definition, const TEquivKSettings& settings);

}  // namespace pelmora
