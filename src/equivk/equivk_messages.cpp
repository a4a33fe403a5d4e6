#include "equivk/equivk_messages.h"

namespace pelmora {

std::string FillText(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string text;
  auto value = values.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern.substr(i, 2) == "%s" && value != values.end()) {
      text += *value++;
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace pelmora
