// Where a double-click on a message line takes the editor: the offending word, or its whole line.
#pragma once

#include <optional>

namespace pelmora {

class TCalcEngine;
class TZubFile;

struct TJumpTarget {
  int Line = 0;
  int Column = 0;      // start of the selection
  int Length = -1;     // -1: the whole line
};

// messageIndex counts the pane's lines: the engine's errors first, then its warnings and hints;
// past them the text's first line is the target. None for a message that belongs to no line.
std::optional<TJumpTarget> MessageJumpTarget(const TCalcEngine* engine, const TZubFile& project, int messageIndex);

}  // namespace pelmora
