#include "input/format_text.h"

namespace pelmora {

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string text;
  text.reserve(pattern.size() + 16);
  auto value = values.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' && value != values.end()) {
      text += *value++;
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace pelmora
