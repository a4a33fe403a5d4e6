#include "input/units/expression.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "input/units/text.h"

namespace pelmora {

namespace {

// Operands hold their units and feet-and-inch marks: 10FT, 6IN, 10'6, 25MM.
bool IsOperandChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '\'' || c == '"' ||
         c == '.';
}

struct TKindReader {
  bool (*Read)(std::string_view text, int target, double& value);
  uint8_t TUnitSet::*Unit;
  bool FailureIsZero;
};
constexpr std::array<TKindReader, 8> kKindReaders{{
    {ParseLength, &TUnitSet::Length, false},
    {ParseSize, &TUnitSet::Size, false},
    {ParseElevation, &TUnitSet::Elevation, false},
    {ParsePressure, &TUnitSet::Pressure, false},
    {ParseFlow, &TUnitSet::Flow, false},
    {ParseK, &TUnitSet::KFactor, false},
    {ParseLength, &TUnitSet::Length, true},
    {ParseLength, &TUnitSet::Length, true},
}};

struct TFunction {
  const char* Word;
  double (*Apply)(double);
};
// Rounding to the nearest integer takes an exact half to the even neighbour.
constexpr std::array<TFunction, 3> kFunctions{{
    {"CEIL", [](double x) { return std::ceil(x); }},
    {"FLOOR", [](double x) { return std::floor(x); }},
    {"ROUND", [](double x) { return std::fabs(x - std::trunc(x)) == 0.5 ? 2 * std::round(x / 2) : std::round(x); }},
}};

// Intermediate results are written as plain numbers; an overflow never reaches the text.
std::string NumberText(double x) { return std::isfinite(x) ? FormatGeneral(x) : "0"; }

double Combine(char op, double left, double right) {
  switch (op) {
    case '*':
      return left * right;
    case '/':
      return right == 0 ? 0 : left / right;
    case '^':
      return right < 0 ? 0 : std::pow(left, right);
    case '+':
      return left + right;
    default:
      return left - right;
  }
}

size_t OperandEnd(const std::string& text, size_t from) {
  return std::find_if_not(text.begin() + from, text.end(), IsOperandChar) - text.begin();
}

size_t OperandStart(const std::string& text, size_t before, bool withMinus) {
  while (before > 0 && (IsOperandChar(text[before - 1]) || (withMinus && text[before - 1] == '-'))) --before;
  return before;
}

class TEvaluator {
 public:
  TEvaluator(int kind, const TUnitSet& units) : FKind(kind), FUnits(units) {}

  // Evaluates a text without grouping: functions, then * / ^, then + -, each from the left.
  std::string Flat(std::string text) const {
    text = UpperCase(text);
    std::erase_if(text, [](char c) { return c == '(' || c == ')'; });
    for (const TFunction& function : kFunctions) ApplyFunction(text, function);
    MultiplicationPass(text);
    AdditionPass(text);
    return text;
  }

 private:
  // The operand in the project's unit of the kind; nothing when it cannot be read.
  std::optional<double> Read(const std::string& operand) const {
    if (FKind < 0 || FKind >= static_cast<int>(kKindReaders.size())) return 0.0;
    const TKindReader& reader = kKindReaders[FKind];
    double value = 0;
    if (reader.Read(operand, FUnits.*reader.Unit, value) || reader.FailureIsZero) return value;
    return std::nullopt;
  }

  double ReadOrZero(const std::string& operand) const { return operand.empty() ? 0 : Read(operand).value_or(0); }

  void ApplyFunction(std::string& text, const TFunction& function) const {
    const std::string word = function.Word;
    size_t at = 0;
    while ((at = text.find(word, at)) != std::string::npos) {
      text.erase(at, word.size());
      const size_t end = OperandEnd(text, at);
      if (end == at) continue;
      const std::optional<double> operand = Read(text.substr(at, end - at));
      const std::string replacement =
          operand ? NumberText(function.Apply(*operand)) : "\"No valid number for " + word + " function\"";
      text.replace(at, end - at, replacement);
      at += replacement.size();  // the marker holds the function word itself
    }
  }

  void MultiplicationPass(std::string& text) const {
    size_t op;
    while ((op = text.find_first_of("*/^")) != std::string::npos) {
      const size_t start = OperandStart(text, op, false);
      const size_t end = OperandEnd(text, op + 1);
      const double left = ReadOrZero(text.substr(start, op - start));
      const double right = ReadOrZero(text.substr(op + 1, end - op - 1));
      text.replace(start, end - start, NumberText(Combine(text[op], left, right)));
    }
  }

  // A minus sign at the start is a sign; so is one with nothing to its left that evaluates to
  // itself again (X -3), which would otherwise be rewritten for ever.
  void AdditionPass(std::string& text) const {
    size_t from = 1;
    size_t op;
    while ((op = text.find_first_of("+-", from)) != std::string::npos) {
      const size_t start = OperandStart(text, op, true);
      const size_t end = OperandEnd(text, op + 1);
      const double left = ReadOrZero(text.substr(start, op - start));
      const double right = ReadOrZero(text.substr(op + 1, end - op - 1));
      const std::string result = NumberText(Combine(text[op], left, right));
      if (text.compare(start, end - start, result) == 0) {
        from = op + 1;
        continue;
      }
      text.replace(start, end - start, result);
    }
  }

  int FKind;
  const TUnitSet& FUnits;
};

}  // namespace

std::string EvaluateExpression(const std::string& text, int kind, const TUnitSet& units) {
  const TEvaluator evaluator(kind, units);
  std::string rest = text;
  std::replace(rest.begin(), rest.end(), '[', '(');
  std::replace(rest.begin(), rest.end(), ']', ')');
  for (;;) {
    const size_t close = rest.find(')');
    const size_t open = close == std::string::npos ? std::string::npos : rest.rfind('(', close);
    if (open == std::string::npos) return evaluator.Flat(rest);
    rest.replace(open, close - open + 1, evaluator.Flat(rest.substr(open, close - open + 1)));
  }
}

std::string EvaluateLength(const std::string& text, const TUnitSet& units) {
  return EvaluateExpression(text, ekLength, units);
}

}  // namespace pelmora
