// The two name operations that invent every generated node and pipe name.
#pragma once

#include <string>

namespace pelmora {

inline constexpr size_t kMaxNameLength = 8;

// The next name of a run: M09 -> M10, AZ -> BA, m1a -> m1b, X- -> X-1, "" -> 1.
std::string NextName(const std::string& name);
// A advanced by the step from C to B, item by item: (L1-7, L2-1, L1-1) -> L2-7.
// A is returned unchanged when the three names are not built alike.
std::string ProgressName(const std::string& a, const std::string& b, const std::string& c);

}  // namespace pelmora
