#include "shell/shell_texts.h"

#include <filesystem>

namespace pelmora {

std::string WindowTitle(const std::string& fileName) {
  return "ZUB Editor - " + std::filesystem::path(fileName).stem().string();
}

std::string CommandLineFileName(const std::vector<std::string>& arguments) {
  std::string name;
  for (const std::string& argument : arguments) name += (name.empty() ? "" : " ") + argument;
  return name;
}

const std::vector<std::string>& StarterLines() {
  static const std::vector<std::string> lines{
      "// The five basic commands:",
      "//   Use   - choose piping material",
      "//   Pipe  - define a pipe",
      "//   Water - define source node",
      "//   Node  - define a reference node",
      "//   Head  - define discharging sprinkler head node",
      "",
      "// ZUB's helpers work best if you begin at the water source",
      "// Begin data entry now ...",
  };
  return lines;
}

}  // namespace pelmora
