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

}  // namespace pelmora
