// Small text helpers shared by the readers, the scan and the reports.
#pragma once

#include <string>

namespace pelmora {

std::string UpperCase(std::string text);
std::string LowerCase(std::string text);
std::string Trim(const std::string& text);
bool SameText(const std::string& a, const std::string& b);

}  // namespace pelmora
