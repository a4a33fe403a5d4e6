// The token table: every word of every command line, classified and validated by the scan.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pelmora {

struct TZubParameter {
  double Value = 0;       // number read, in the project's unit of its kind
  std::string Text;       // the word as written
  char Letter = 0;        // parameter kind letter
  int32_t Command = -1;   // word 0: command number 1..39 or -1
  int32_t Column = 0;     // 0-based start of the word's piece of the line
  int32_t Line = 0;
  bool Valid = false;
  bool Suspect = false;
  std::string Message;
  bool Comment = false;
  bool Present = false;
};

using TZubParameterList = std::vector<TZubParameter>;
using TZubParameterTable = std::vector<TZubParameterList>;

}  // namespace pelmora
