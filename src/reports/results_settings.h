// What the results window remembers between sessions: geometry, filters and pipe columns.
#pragma once

#include <string>

namespace pelmora {

struct TResultsSettings {
  int ResultsLeft = 0;
  int ResultsTop = 0;
  int ResultsWidth = 720;
  int ResultsHeight = 420;
  int ResultsSplit = 0;  // height of the pipe panel; 0 splits the window in half
  std::string ResultsPipeCol = "ABCDEFGHIJKLM";
  bool ResultsHideNodes = false;
  bool ResultsHidePipes = false;
};

}  // namespace pelmora
