// Small text helpers shared by the readers, the scan and the reports.
#pragma once

#include <string>

namespace pelmora {

// Letter case and comparisons work on ASCII letters only, whatever the locale.
std::string UpperCase(std::string text);
std::string LowerCase(std::string text);
// Removes leading and trailing blanks and control characters.
std::string Trim(const std::string& text);
bool SameText(const std::string& a, const std::string& b);

}  // namespace pelmora
