// Plain number conversion of a whole word, without units: the C-factor and the counts.
#pragma once

#include <string_view>

namespace pelmora {

// A finite decimal number with optional sign and exponent; false for anything else.
bool ReadFloat(std::string_view text, double& value);
// A decimal integer with optional sign that fits 32 bits; false for anything else.
bool ReadInteger(std::string_view text, int& value);

}  // namespace pelmora
