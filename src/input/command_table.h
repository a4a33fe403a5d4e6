// The command table of the command language: 39 commands with their words, parameter kinds,
// format hints and help contexts, and the lookup of a command word.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace pelmora {

// Command numbers as stored on word 0 of a line.
enum TCommand : int {
  cmNone = -1,
  cmComment = 1, cmAll, cmHead, cmHC, cmNode, cmNC, cmPipe, cmPC, cmUse, cmWater,
  cmBP, cmBFP, cmPump, cmAutoPeak, cmDrop, cmFlow, cmLine, cmLineElev, cmMain, cmMainElev,
  cmReduce, cmRN, cmTreeLeft, cmTreeRight, cmEnglish, cmMetric, cmNoVel, cmVel, cmMainV, cmDebug,
  cmDarcy, cmChangePipe, cmChangeNode, cmLineElev2, cmMainCont, cmHazen, cmDensity, cmFourHeads,
  cmFavourable
};

inline constexpr int kCommandCount = 39;

struct TCommandInfo {
  std::string_view Name;          // upper case
  std::string_view Abbreviation;  // second accepted word, or empty
  std::string_view Kinds;         // parameter kind letters; "Rn" repeats the last n kinds
  std::string_view Format;        // hint of the editor's status line
  std::string_view Help;          // help context number
};

// Row of a command number 1..39.
const TCommandInfo& CommandInfo(int command);

// The command number of a word (whole word, letter case ignored), 1 for a word starting with
// two slashes, or -1.
int LookupCommand(std::string_view word);

}  // namespace pelmora
