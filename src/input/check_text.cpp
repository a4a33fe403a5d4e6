#include "input/check_text.h"

#include <algorithm>
#include <string_view>

#include "engine/calc_engine.h"
#include "input/line_split.h"
#include "input/zub_file.h"

namespace pelmora {

namespace {

constexpr std::string_view kWarningPrefix = "[WARNING] ";
constexpr std::string_view kHintPrefix = "[HINT] ";

// Word 0's piece starts with the leading blanks; the column shown is that of its first letter.
int WordColumn(const std::vector<std::string>& lines, const TZubFile& project, int line, int index) {
  const TTokenLine words = project.FTokens[line];
  if (index < 0) index = 0;
  if (index >= static_cast<int>(words.size())) return static_cast<int>(lines[line].size()) + 1;
  if (index > 0) return words[index].Column + 1;
  const std::string& text = lines[line];
  const auto first = std::find_if(text.begin(), text.end(), [](char c) { return !IsWordSeparator(c); });
  return static_cast<int>(first - text.begin()) + 1;
}

TTextProblem EngineProblem(const TCalcError& message, TProblemSeverity severity, const std::vector<std::string>& lines,
                           const TZubFile& project) {
  TTextProblem problem;
  problem.Severity = severity;
  std::string_view text = message.Text;
  if (severity == TProblemSeverity::Warning && text.starts_with(kWarningPrefix)) text.remove_prefix(kWarningPrefix.size());
  if (severity == TProblemSeverity::Hint && text.starts_with(kHintPrefix)) text.remove_prefix(kHintPrefix.size());
  problem.Text = std::string(text);
  if (message.Line >= 0 && message.Line < static_cast<int>(lines.size())) {
    problem.Line = message.Line + 1;
    problem.Column = WordColumn(lines, project, message.Line, message.Param);
  }
  return problem;
}

bool SameProblem(const TTextProblem& a, const TTextProblem& b) {
  return a.Line == b.Line && a.Column == b.Column && a.Text == b.Text;
}

}  // namespace

std::vector<TTextProblem> CheckText(const std::vector<std::string>& lines, TZubFile& project) {
  std::vector<TTextProblem> problems;
  if (lines.empty()) return problems;
  TCalcEngine engine;
  engine.SetUnits(project.Units);
  project.Interpret(lines, &engine);
  for (int line = 0; line < static_cast<int>(project.FTokens.size()); ++line) {
    const TTokenLine words = project.FTokens[line];
    for (int index = 0; index < static_cast<int>(words.size()); ++index) {
      const TTokenView word = words[index];
      if (word.Message.empty() || (word.Valid && !word.Suspect)) continue;
      problems.push_back({line + 1, WordColumn(lines, project, line, index),
                          word.Suspect ? TProblemSeverity::Hint : TProblemSeverity::Error, std::string(word.Message)});
    }
  }
  const size_t scanCount = problems.size();
  auto addEngineProblem = [&](const TCalcError& message, TProblemSeverity severity) {
    const TTextProblem problem = EngineProblem(message, severity, lines, project);
    const auto scanEnd = problems.begin() + static_cast<std::ptrdiff_t>(scanCount);
    if (std::none_of(problems.begin(), scanEnd, [&](const TTextProblem& p) { return SameProblem(p, problem); }))
      problems.push_back(problem);
  };
  for (const TCalcError& error : engine.FErrors) addEngineProblem(error, TProblemSeverity::Error);
  for (const TCalcError& message : engine.FMessages)
    addEngineProblem(message, std::string_view(message.Text).starts_with(kHintPrefix) ? TProblemSeverity::Hint
                                                                                     : TProblemSeverity::Warning);
  return problems;
}

}  // namespace pelmora
