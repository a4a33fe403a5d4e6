// The pelmora program: calculate or check a command text from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "app/app_commands.h"

namespace {

constexpr const char* kUsage =
    "Usage: pelmora calc FILE [--json OUT]\n"
    "       pelmora check FILE\n"
    "\n"
    "  calc    calculate a command text (one command per line) or a .zub project;\n"
    "          prints every message of the run and a one-line summary\n"
    "          --json OUT   also write the run as JSON to OUT ('-' for standard output)\n"
    "  check   scan and interpret without solving; prints LINE:COLUMN: TEXT per problem\n"
    "\n"
    "Exit status: 0 success, 1 the run or check reported an error,\n"
    "             2 the file cannot be read or the arguments are wrong.\n";

int Usage(const std::string& reason) {
  std::cerr << "pelmora: " << reason << "\n" << kUsage;
  return pelmora::kExitUnusable;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage("no command given");
  if (args[0] == "--help" || args[0] == "-h") {
    std::cout << kUsage;
    return pelmora::kExitSuccess;
  }
  if (args[0] == "check") {
    if (args.size() != 2) return Usage("check takes one FILE");
    return pelmora::CheckCommand(args[1], std::cout, std::cerr);
  }
  if (args[0] != "calc") return Usage("unknown command \"" + args[0] + "\"");
  std::string fileName, jsonTarget;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--json") {
      if (++i == args.size()) return Usage("--json needs OUT");
      jsonTarget = args[i];
    } else if (fileName.empty() && !args[i].starts_with("--")) {
      fileName = args[i];
    } else {
      return Usage("unexpected argument \"" + args[i] + "\"");
    }
  }
  if (fileName.empty()) return Usage("calc needs FILE");
  return pelmora::CalcCommand(fileName, jsonTarget, std::cout, std::cerr);
}
