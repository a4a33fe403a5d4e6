#include "shell/help_topics.h"

#include <charconv>
#include <unordered_map>

#include "input/command_table.h"
#include "input/zub_file.h"

namespace pelmora {

namespace {

const std::unordered_map<int, const char*>& HelpPages() {
  static const std::unordered_map<int, const char*> pages{
      {30, "welcome"}, {40, "features"}, {50, "aboutTolvane."}, {60, "zubeditor"}, {80, "file"}, {90, "edit"},
      {100, "tools"}, {110, "insert"}, {120, "view"}, {130, "report"}, {140, "help"}, {150, "fileproperties"},
      {160, "Projecttab"}, {170, "systemtab"}, {180, "calculationstab"}, {190, "namingtab"},
      {200, "pipematerialeditor"}, {210, "fittingeditor"}, {220, "liquideditor"}, {230, "dxffileimport"},
      {240, "zuboptions"}, {250, "metab"}, {260, "editortab"}, {270, "reportstab"}, {280, "dxffilestab"},
      {290, "resultswindow"}, {300, "systemdemandwindow"}, {310, "flowdiagramwindow"}, {340, "all"},
      {350, "novel"}, {360, "vel"}, {380, "pipe"}, {390, "pc"}, {400, "changepipe"}, {410, "use"},
      {430, "water"}, {440, "node"}, {450, "nc"}, {460, "head"}, {470, "hc"}, {490, "bfp"}, {500, "bp"},
      {510, "pump"}, {530, "hazen"}, {540, "darcy"}, {570, "main"}, {580, "maincont"}, {590, "mainv"},
      {600, "mainelev"}, {620, "line"}, {630, "treeleft"}, {640, "treeright"}, {650, "lineelev"},
      {660, "lineelev2"}, {670, "drop"}, {680, "rn"}, {700, "flow"}, {720, "autopeak"}, {730, "reduce"},
      {740, "comment"}, {750, "fittingcodes"}, {760, "materialcodes"}, {780, "side-fed-tree"},
      {790, "center-fed-tree"}, {800, "grid"}, {810, "water-source"}, {820, "EquivalentK-factorEditor"},
      {900, "density"}, {910, "fourheads"}, {920, "head-12845"}, {930, "flow-12845"}, {940, "favourable"},
  };
  return pages;
}

constexpr int kHeadAreaHeadContext = 920;
constexpr int kHeadAreaFlowContext = 930;

}  // namespace

std::string HelpPageName(int context) {
  const auto found = HelpPages().find(context);
  return found == HelpPages().end() ? "welcome" : found->second;
}

int EditorHelpContext(int context, const TZubFile& project, int caretLine) {
  if (context != kEditorHelpContext) return context;
  const int command = project.GetToken(caretLine, 0).Command;
  if (command < 1 || command > kCommandCount) return context;
  if (project.HeadArea && command == cmHead) return kHeadAreaHeadContext;
  if (project.HeadArea && command == cmFlow) return kHeadAreaFlowContext;
  const std::string_view help = CommandInfo(command).Help;
  int number = context;
  std::from_chars(help.data(), help.data() + help.size(), number);
  return number;
}

}  // namespace pelmora
