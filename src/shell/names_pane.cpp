#include "shell/names_pane.h"

namespace pelmora {

namespace {

void AddList(std::vector<TNamesPaneLine>& lines, const char* title, bool centered,
             const std::vector<std::string>& names) {
  lines.push_back({title, true, false, centered});
  lines.push_back({"Nodes", true, true, centered});
  for (const std::string& name : names) lines.push_back({name});
}

}  // namespace

std::vector<TNamesPaneLine> NamesPaneLines(const std::vector<std::string>& undefinedNodes,
                                           const std::vector<std::string>& unusedNodes) {
  std::vector<TNamesPaneLine> lines;
  if (!undefinedNodes.empty()) {
    AddList(lines, "Undefined", true, undefinedNodes);
    lines.push_back({});
  }
  if (!unusedNodes.empty()) AddList(lines, "Unused", false, unusedNodes);
  return lines;
}

}  // namespace pelmora
