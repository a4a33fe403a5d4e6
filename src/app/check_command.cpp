#include <iostream>
#include <stdexcept>

#include "app/app_commands.h"
#include "app/command_file.h"
#include "input/check_text.h"
#include "input/zub_file.h"

namespace pelmora {

namespace {

const char* SeverityPrefix(TProblemSeverity severity) {
  switch (severity) {
    case TProblemSeverity::Warning: return "warning: ";
    case TProblemSeverity::Hint: return "hint: ";
    default: return "";
  }
}

}  // namespace

int CheckCommand(const std::string& fileName, std::ostream& out, std::ostream& err) {
  TZubFile project;
  std::vector<std::string> lines;
  if (!ReadCommandFile(fileName, project, lines, err)) return kExitUnusable;
  bool anyError = false;
  for (const TTextProblem& problem : CheckText(lines, project)) {
    anyError = anyError || problem.Severity == TProblemSeverity::Error;
    out << problem.Line << ":" << problem.Column << ": " << SeverityPrefix(problem.Severity) << problem.Text << "\n";
  }
  return anyError ? kExitProblems : kExitSuccess;
}

}  // namespace pelmora
