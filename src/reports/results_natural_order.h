// The natural name order of the result lists: P2 before P10, letters compared without case.
#pragma once

#include <string>

namespace pelmora {

// Negative, zero or positive as a sorts before, with or after b.
int NaturalCompare(const std::string& a, const std::string& b);
inline bool NaturalLess(const std::string& a, const std::string& b) { return NaturalCompare(a, b) < 0; }

}  // namespace pelmora
