#include "dxf/dxf_messages.h"

namespace pelmora {

std::string FormatMessage(const std::string& pattern, const std::string& first, const std::string& second) {
  std::string result;
  const std::string* arguments[] = {&first, &second};
  size_t next = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' && next < 2) {
      result += *arguments[next++];
      ++i;
    } else {
      result += pattern[i];
    }
  }
  return result;
}

}  // namespace pelmora
