#include "input/check_text.h"

#include <gtest/gtest.h>

#include "input/zub_file.h"

namespace pelmora {

void PrintTo(const TTextProblem& p, std::ostream* out) {
  *out << p.Line << ":" << p.Column << ": [" << static_cast<int>(p.Severity) << "] " << p.Text;
}

namespace {

using S = TProblemSeverity;

std::vector<TTextProblem> Check(const std::vector<std::string>& lines) {
  TZubFile project;
  return CheckText(lines, project);
}

TEST(CheckText, ScanMessagesFirstThenTheInterpreter) {
  const std::vector<TTextProblem> expected{
      {2, 14, S::Hint, "Is 0.25 ft the correct pipe length?"},
      {2, 21, S::Error, "\"ZZ\" is not a valid fitting for size 4 pipe of \"S40\" material"},
      {3, 14, S::Hint, "Minimum head pressure is 3.189 psi"},
      {2, 21, S::Error, "Pipe command: \"ZZ\" is not a valid fitting code."},
      {4, 1, S::Warning, "\"Pipr\" is not a valid command."},
  };
  EXPECT_EQ(Check({"Water W 0 60 500 50", "Pipe P1 W N1 0.25 4 ZZ", "  Head N1 10 10 5.6", "Pipr X"}), expected);
}

TEST(CheckText, InterpreterRepeatOfAWordMessageIsListedOnce) {
  const std::vector<TTextProblem> expected{{1, 11, S::Error, "\"0\" is not a valid pressure value"}};
  EXPECT_EQ(Check({"Water W 0 0"}), expected);
}

TEST(CheckText, MessagesWithoutALineAndMissingParameters) {
  const std::vector<TTextProblem> expected{
      {1, 13, S::Error, "Head command: \"K-factor\" parameter is missing."},
      {0, 0, S::Error, "WATER command missing: at least one \"water\" command is required."},
  };
  EXPECT_EQ(Check({"Head H1 0 25"}), expected);
}

TEST(CheckText, EmptyTextHasNoProblems) { EXPECT_TRUE(Check({}).empty()); }

}  // namespace
}  // namespace pelmora
