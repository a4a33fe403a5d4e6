// The arithmetic evaluator of the Insert-menu snippets: operands with units, + - * / ^, CEIL, FLOOR, ROUND.
#pragma once

#include <string>

#include "input/units/units.h"

namespace pelmora {

// Quantity kind of an evaluation: which reader takes the operands, into which project unit.
enum TExpressionKind {
  ekLength = 0,
  ekSize = 1,
  ekElevation = 2,
  ekPressure = 3,
  ekFlow = 4,
  ekKFactor = 5,
  // 6 and 7 read lengths where an unreadable operand is 0; above 7 every operand is 0.
};

// Parentheses and square brackets group. Never fails: unreadable operands count as 0, division by zero and negative
// powers give 0. Each intermediate result is written as a plain number in the project's unit of the kind.
std::string EvaluateExpression(const std::string& text, int kind, const TUnitSet& units);
std::string EvaluateLength(const std::string& text, const TUnitSet& units);

}  // namespace pelmora
