#include "input/command_table.h"

#include "input/units/text.h"

namespace pelmora {

namespace {

constexpr std::array<TCommandInfo, kCommandCount> kCommands{{
    {"//", "//", "GR1", "// any comment", "740"},
    {"ALL", "", "A", "ALL;[safety margin]", "340"},
    {"HEAD", "H", "NEDK", "Head;node;elevation;minDischarge;k-factor", "460"},
    {"HC", "", "NNR1", "HC;sourceNode;newNode;[newNode ...]", "470"},
    {"NODE", "N", "NEDM", "Node;node;elevation;[discharge];[minPressure]", "440"},
    {"NC", "", "NNR1", "NC;sourceNode;newNode;[newNode ...]", "450"},
    {"PIPE", "P", "PNNLSFR1", "Pipe;name;sNode;eNode;length;size;[ [#]Fitting ... ]", "380"},
    {"PC", "", "PPNNR3", "PC;sourcePipe;newPipe;sNode;eNode;[newPipe;sNode;eNode...]", "390"},
    {"USE", "", "TC", "Use;pipeType;C-factor", "410"},
    {"WATER", "W", "NEAQBR2", "Water;node;elevation;static;[flow;pressure...]", "430"},
    {"BP", "", "PAQBR2", "BP;pipe;churn;flow;pressure;[flow;pressure...]", "500"},
    {"BFP", "", "PDBR2", "BFP;pipe;flow;pressure;[flow;pressure...]", "490"},
    {"PUMP", "", "NNEAQBR2", "Pump;inNode;outNode;elevation;churn;flow;pressure;[flow;pressure...]", "510"},
    {"AUTOPEAK", "AP", "", "AutoPeak (no parameters)", "720"},
    {"DROP", "", "ESO", "Drop;ceilingHeight;dropSize;[armoverLength]", "670"},
    {"FLOW", "", "XYXYDK", "Flow;left;bottom;right;top;minDischarge;k-factor", "700"},
    {"LINE", "L", "HSLLOR1", "Line;#heads;size;startLength;endLength;spacing;[spacing ...]", "620"},
    {"LINEELEV", "LE", "EEOER2", "LineElev;startElev;[endElev];[offset;offsetElev...]", "650"},
    {"MAIN", "M", "SZONOR2", "Main;size;#lines;spacing;[ [xtraNode;offset]... ]", "570"},
    {"MAINELEV", "ME", "EEOE", "MainElev;startElev;[endElev];[offset;offsetElev]", "600"},
    {"REDUCE", "R", "", "Reduce (no parameters)", "730"},
    {"RN", "", "SR1", "RN;size;[size ...]", "680"},
    {"TREELEFT", "TL", "HLSR2", "TreeLeft;#heads;startLength;size;[length;size...]", "630"},
    {"TREERIGHT", "TR", "HLSR2", "TreeRight;#heads;startLength;size;[length;size...]", "640"},
    {"ENGLISH", "", "", "English (no parameters)", "60"},
    {"METRIC", "", "", "Metric (no parameters)", "60"},
    {"NOVEL", "", "", "NoVel (no parameters)", "350"},
    {"VEL", "", "", "Vel (no parameters)", "360"},
    {"MAINV", "MV", "SZOR1", "MainV;size;#lines;spacing;[spacing ...]", "590"},
    {"DEBUG", "", "", "Display additional calculation information", "60"},
    {"DARCY", "", "C", "Darcy;Roughness", "540"},
    {"CHANGEPIPE", "CHP", "PLSFR1", "ChangePipe;pipename;length;size;[ [#]Fitting ... ]", "400"},
    {"CHANGENODE", "CHN", "NEDM", "ChangeNode;nodename;elevation;[discharge];[minPressure]", "60"},
    {"LINEELEV2", "LE2", "EEOER2", "LineElev2;FirstLineElev;[LastLineElev];[offset;offsetElev...]", "660"},
    {"MAINCONT", "MC", "SZOR1", "MainCont;size;#lines;spacing;[spacing ...]", "580"},
    {"HAZEN", "", "C", "Hazen;C-factor", "530"},
    {"DENSITY", "D", "VM", "Density;minimumDensity;[minimumHeadPressure]", "900"},
    {"FOURHEADS", "FH", "NNNN", "FourHeads;NodeName;[NodeName];[NodeName];[NodeName]", "910"},
    {"FAVOURABLE", "FAV", "", "Favourable (no parameters)", "940"},
}};

}  // namespace

const TCommandInfo& CommandInfo(int command) { return kCommands.at(command - 1); }

int LookupCommand(std::string_view word) {
  // Trimmed as a view and compared case-insensitively: this runs once per line of every scan.
  while (!word.empty() && static_cast<unsigned char>(word.front()) <= ' ') word.remove_prefix(1);
  while (!word.empty() && static_cast<unsigned char>(word.back()) <= ' ') word.remove_suffix(1);
  for (int row = 0; row < kCommandCount; ++row) {
    const TCommandInfo& info = kCommands[row];
    if (word.size() != info.Name.size() && word.size() != info.Abbreviation.size()) continue;
    if (SameText(word, info.Name) || (!info.Abbreviation.empty() && SameText(word, info.Abbreviation))) return row + 1;
  }
  return word.starts_with("//") ? cmComment : cmNone;
}

}  // namespace pelmora
