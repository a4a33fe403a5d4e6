// Reading one parameter word of a command line by its kind letter (the scan's word rules).
#pragma once

#include "input/tokens.h"

namespace pelmora {

class TZubFile;

// The line being scanned: its words and what earlier words of it left for later ones.
struct TScanLine {
  TZubFile& Project;
  TZubParameterList& Words;
  int Line = 0;
  int Command = -1;
  double LastSize = 0;  // nominal size of the last size word, for the fittings after it
};

// Gives the word at index its kind and reads it; the kind letter is already on the word.
void ReadWord(TScanLine& scan, int index);

}  // namespace pelmora
