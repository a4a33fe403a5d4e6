#include "input/number_text.h"

#include <charconv>
#include <cmath>

namespace pelmora {

namespace {

// from_chars takes no leading plus sign; the command language does.
std::string_view WithoutPlus(std::string_view text) {
  if (text.size() > 1 && text[0] == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
  return text;
}

}  // namespace

bool ReadFloat(std::string_view text, double& value) {
  text = WithoutPlus(text);
  double result = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), result, std::chars_format::general);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(result))
    return false;
  value = result;
  return true;
}

bool ReadInteger(std::string_view text, int& value) {
  text = WithoutPlus(text);
  int result = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return false;
  value = result;
  return true;
}

}  // namespace pelmora
