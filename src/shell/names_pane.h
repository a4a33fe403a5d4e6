// The lines of the pane beside the editor that lists undefined and unused node names.
#pragma once

#include <string>
#include <vector>

namespace pelmora {

struct TNamesPaneLine {
  std::string Text;
  bool Bold = false;
  bool Underline = false;
  bool Centered = false;
};

// Empty when both lists are empty; the pane is shown only while it has lines.
std::vector<TNamesPaneLine> NamesPaneLines(const std::vector<std::string>& undefinedNodes,
                                           const std::vector<std::string>& unusedNodes);

}  // namespace pelmora
