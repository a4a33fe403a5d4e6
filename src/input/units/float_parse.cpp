#include <charconv>
#include <cmath>
#include <system_error>

#include "input/units/units.h"

namespace pelmora {

bool ParseFloat(std::string_view text, double& value) {
  value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  // from_chars takes a minus sign but no plus sign; a second sign must still fail.
  if (first != last && *first == '+' && (first + 1 == last || first[1] != '-')) ++first;
  double number = 0;
  const auto [end, error] = std::from_chars(first, last, number, std::chars_format::general);
  if (error != std::errc() || end != last || !std::isfinite(number)) return false;
  value = number;
  return true;
}

}  // namespace pelmora
