// Small text helpers shared by the readers, the scan and the reports.
#pragma once

#include <string>
#include <string_view>

namespace pelmora {

// Letter case and comparisons work on ASCII letters only, whatever the locale.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
// Removes leading and trailing blanks and control characters.
std::string Trim(std::string_view text);
bool SameText(std::string_view a, std::string_view b);

// Hashing and equality that ignore letter case, for name indexes looked up by views without
// an upper-case copy of the name. The hash is deliberately not noexcept: the standard library
// then keeps each element's hash beside it instead of computing it again at every probe.
struct TNoCaseHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const;
};
struct TNoCaseEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const noexcept { return SameText(a, b); }
};

}  // namespace pelmora
