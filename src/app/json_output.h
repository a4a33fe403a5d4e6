// The run as one JSON object: units, messages and, when the calculation succeeded, its results.
#pragma once

#include <nlohmann/json.hpp>

namespace pelmora {

class TCalcEngine;
class TZubFile;

nlohmann::ordered_json RunToJson(const TCalcEngine& engine, bool success, const TZubFile& project);

}  // namespace pelmora
