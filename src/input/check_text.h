// Checking a command text without solving it: every problem of the scan and of the interpreter
// with its place in the text.
#pragma once

#include <string>
#include <vector>

namespace pelmora {

class TZubFile;

enum class TProblemSeverity { Error, Warning, Hint };

struct TTextProblem {
  int Line = 0;    // 1-based; 0 when the problem belongs to no line
  int Column = 0;  // 1-based column of the word; 0 with no line
  TProblemSeverity Severity = TProblemSeverity::Error;
  std::string Text;  // without the "[WARNING] " or "[HINT] " prefix
  bool operator==(const TTextProblem&) const = default;
};

// The scan's word messages in text order, then the interpreter's messages not already listed.
std::vector<TTextProblem> CheckText(const std::vector<std::string>& lines, TZubFile& project);

}  // namespace pelmora
