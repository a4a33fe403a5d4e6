// The pelmora program: calculate, check, convert and exchange projects from the command line.
#include <iostream>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/app_commands.h"

namespace {

constexpr const char* kUsage =
    "Usage: pelmora calc FILE [--json OUT] [--report OUT.txt]\n"
    "       pelmora check FILE\n"
    "       pelmora convert IN.zub --units metric|us --out OUT.zub\n"
    "       pelmora expand FILE\n"
    "       pelmora equivk PROJECT.zub [CODE]\n"
    "       pelmora fittings PROJECT.zub --out OUT.txt\n"
    "       pelmora dxf-import DRAWING.dxf --mains LAYER[,LAYER] --lines LAYER --heads LAYER\n"
    "                          --sizes LAYER --block NAME [--k K --discharge Q] [--out OUT.zub]\n"
    "       pelmora dxf-update PROJECT.zub [--dxf DRAWING.dxf]\n"
    "\n"
    "  calc        calculate a command text (one command per line) or a .zub project;\n"
    "              prints every message of the run and a one-line summary\n"
    "              --json OUT     also write the run as JSON to OUT ('-' for standard output)\n"
    "              --report OUT   also write the text report (only after a successful calculation)\n"
    "  check       scan and interpret without solving; prints LINE:COLUMN: TEXT per problem\n"
    "  convert     convert a project's units and its command text\n"
    "  expand      print the command text that grid and tree commands expand into\n"
    "  equivk      print each equivalent-K definition's K-factor and discharge\n"
    "  fittings    write the fitting loss comparison report\n"
    "  dxf-import  convert a DXF piping drawing into command lines (printed, or saved as a project)\n"
    "  dxf-update  calculate a project and write names, sizes and flows into its drawing\n"
    "\n"
    "Exit status: 0 success, 1 the run or check reported an error,\n"
    "             2 the file cannot be read or the arguments are wrong.\n";

int Usage(const std::string& reason) {
  std::cerr << "pelmora: " << reason << "\n" << kUsage;
  return pelmora::kExitUnusable;
}

// A command's words: positional arguments and "--name value" options.
struct TArguments {
  std::vector<std::string> Positional;
  std::map<std::string, std::string> Options;
  std::string Error;

  std::string Option(const std::string& name) const {
    const auto found = Options.find(name);
    return found == Options.end() ? "" : found->second;
  }
};

TArguments ParseArguments(const std::vector<std::string>& args, const std::vector<std::string>& allowed) {
  TArguments parsed;
  for (size_t i = 1; i < args.size(); ++i) {
    if (!args[i].starts_with("--") || args[i] == "-") {
      parsed.Positional.push_back(args[i]);
      continue;
    }
    const std::string name = args[i].substr(2);
    if (std::find(allowed.begin(), allowed.end(), name) == allowed.end()) {
      parsed.Error = "unexpected option \"" + args[i] + "\"";
    } else if (i + 1 == args.size()) {
      parsed.Error = args[i] + " needs a value";
    } else {
      parsed.Options[name] = args[++i];
    }
  }
  return parsed;
}

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (!item.empty()) items.push_back(item);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return items;
}

int DxfImport(const TArguments& a) {
  if (a.Positional.size() != 1) return Usage("dxf-import takes one DRAWING");
  pelmora::TDxfImportChoices choices;
  choices.MainLayers = SplitList(a.Option("mains"));
  choices.LineLayers = SplitList(a.Option("lines"));
  choices.HeadLayers = SplitList(a.Option("heads"));
  choices.SizeLayers = SplitList(a.Option("sizes"));
  choices.HeadBlocks = SplitList(a.Option("block"));
  choices.KFactor = a.Option("k");
  choices.Discharge = a.Option("discharge");
  if (choices.MainLayers.empty() && choices.LineLayers.empty()) return Usage("dxf-import needs --mains or --lines");
  return pelmora::DxfImportCommand(a.Positional[0], choices, a.Option("out"), std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage("no command given");
  const std::string& command = args[0];
  if (command == "--help" || command == "-h") {
    std::cout << kUsage;
    return pelmora::kExitSuccess;
  }
  const std::map<std::string, std::vector<std::string>> options{
      {"calc", {"json", "report"}},  {"check", {}},
      {"convert", {"units", "out"}}, {"expand", {}},
      {"equivk", {}},                {"fittings", {"out"}},
      {"dxf-update", {"dxf"}},       {"dxf-import", {"mains", "lines", "heads", "sizes", "block", "k", "discharge", "out"}},
  };
  const auto known = options.find(command);
  if (known == options.end()) return Usage("unknown command \"" + command + "\"");
  const TArguments a = ParseArguments(args, known->second);
  if (!a.Error.empty()) return Usage(a.Error);
  const size_t files = a.Positional.size();

  if (command == "calc") {
    if (files != 1) return Usage("calc takes one FILE");
    return pelmora::CalcCommand(a.Positional[0], a.Option("json"), a.Option("report"), std::cout, std::cerr);
  }
  if (command == "check") {
    if (files != 1) return Usage("check takes one FILE");
    return pelmora::CheckCommand(a.Positional[0], std::cout, std::cerr);
  }
  if (command == "convert") {
    if (files != 1 || a.Option("units").empty() || a.Option("out").empty())
      return Usage("convert takes IN.zub --units metric|us --out OUT.zub");
    return pelmora::ConvertCommand(a.Positional[0], a.Option("units"), a.Option("out"), std::cout, std::cerr);
  }
  if (command == "expand") {
    if (files != 1) return Usage("expand takes one FILE");
    return pelmora::ExpandCommand(a.Positional[0], std::cout, std::cerr);
  }
  if (command == "equivk") {
    if (files < 1 || files > 2) return Usage("equivk takes PROJECT.zub [CODE]");
    return pelmora::EquivKCommand(a.Positional[0], files == 2 ? a.Positional[1] : "", std::cout, std::cerr);
  }
  if (command == "fittings") {
    if (files != 1 || a.Option("out").empty()) return Usage("fittings takes PROJECT.zub --out OUT.txt");
    return pelmora::FittingsCommand(a.Positional[0], a.Option("out"), std::cout, std::cerr);
  }
  if (command == "dxf-update") {
    if (files != 1) return Usage("dxf-update takes one PROJECT.zub");
    return pelmora::DxfUpdateCommand(a.Positional[0], a.Option("dxf"), std::cout, std::cerr);
  }
  return DxfImport(a);
}
