// A list of names in insertion order with case-insensitive membership.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "input/units/text.h"

namespace pelmora {

class TNameList {
 public:
  bool Contains(std::string_view name) const { return FKeys.contains(name); }
  // Adds the name when absent; true when it was added.
  bool Add(std::string_view name) {
    if (!FKeys.emplace(name).second) return false;
    FNames.emplace_back(name);
    return true;
  }
  void Clear() {
    FNames.clear();
    FKeys.clear();
  }
  const std::vector<std::string>& Names() const { return FNames; }
  size_t Count() const { return FNames.size(); }

 private:
  std::vector<std::string> FNames;
  std::unordered_set<std::string, TNoCaseHash, TNoCaseEqual> FKeys;
};

}  // namespace pelmora
