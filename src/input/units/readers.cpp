#include <algorithm>
#include <cmath>
#include <optional>
#include <span>

#include "input/units/text.h"
#include "input/units/units.h"

namespace pelmora {

namespace {

constexpr int kInch = 2;

bool IsNumberChar(char c) { return c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9'); }

// Position of the first character that cannot belong to a number; npos when every one can.
size_t NumberEnd(const std::string& text) {
  const auto stop = std::find_if_not(text.begin(), text.end(), IsNumberChar);
  return stop == text.end() ? std::string::npos : static_cast<size_t>(stop - text.begin());
}

// Length mark after a number: one character, or two when neither belongs to a number (10'6, 3M, 25MM).
std::string MarkToken(const std::string& text, size_t at) {
  const bool twoCharacters = at + 1 < text.size() && !IsNumberChar(text[at + 1]);
  return UpperCase(text.substr(at, twoCharacters ? 2 : 1));
}

// Unit word after a number: the whole run of characters that cannot belong to a number.
std::string WordToken(const std::string& text, size_t at) {
  const auto stop = std::find_if(text.begin() + at, text.end(), IsNumberChar);
  return UpperCase(std::string(text.begin() + at, stop));
}

struct TUnitToken {
  const char* Token;
  int Code;
};

constexpr TUnitToken kLengthTokens[] = {{"M", 5}, {"MM", 3}, {"CM", 4}, {"FT", 0}, {"'", 0}, {"\"", 2}, {"IN", 2}};
constexpr TUnitToken kPressureTokens[] = {{"PSI", 0}, {"BAR", 1}, {"KPA", 2}};
// K-factor tokens name the pressure side; the flow side follows the pressure (gpm/psi, lpm/bar, lpm/kPa).
constexpr TUnitToken kKTokens[] = {{"PSI", 0}, {"BAR", 1}, {"KPA", 2}};
constexpr TUnitToken kFlowTokens[] = {{"LPM", 1}, {"GPM", 0}};

std::optional<int> UnitOf(const std::string& token, std::span<const TUnitToken> tokens) {
  for (const TUnitToken& t : tokens)
    if (token == t.Token) return t.Code;
  return std::nullopt;
}

struct TQuantity {
  std::span<const TUnitToken> Tokens;
  double (*Convert)(double value, int from, int to);
  bool FeetAndInches;  // length marks; a bare number after feet is inches (10'6)
};

constexpr TQuantity kLength{kLengthTokens, ConvertLength, true};
constexpr TQuantity kPressure{kPressureTokens, ConvertPressure, false};
constexpr TQuantity kKFactor{kKTokens, ConvertK, false};
constexpr TQuantity kFlow{kFlowTokens, ConvertFlow, false};

// Reads a signed sum of terms, each a number with an optional unit: 10'6", -2'6, 3M+20CM, 10PSI.
// A term without its own sign takes the sign of the term before it.
bool ReadSum(std::string_view text, const TQuantity& quantity, int target, double& value) {
  value = 0;
  std::string rest = Trim(text);
  if (NumberEnd(rest) == std::string::npos) {
    // Most words are a plain number in the project's unit: read it as the loop below would,
    // a leading minus included (adding to zero keeps "-0" from becoming a negative zero).
    double number = 0;
    if (!ParseFloat(rest, number)) return false;
    const double sum = 0.0 + quantity.Convert(number, target, target);
    if (!std::isfinite(sum)) return false;
    value = sum;
    return true;
  }
  double sum = 0;
  bool negative = false;
  bool afterFeet = false;
  do {
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
      negative = rest[0] == '-';
      rest.erase(0, 1);
    }
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) return false;
    const size_t end = NumberEnd(rest);
    double number = 0;
    if (!ParseFloat(rest.substr(0, end), number)) return false;
    const std::string token = end == std::string::npos ? ""
                              : quantity.FeetAndInches ? MarkToken(rest, end)
                                                       : WordToken(rest, end);
    int unit = afterFeet ? kInch : target;
    if (!token.empty()) {
      const std::optional<int> tokenUnit = UnitOf(token, quantity.Tokens);
      if (!tokenUnit) return false;
      unit = *tokenUnit;
    }
    const double term = quantity.Convert(number, unit, target);
    sum += negative ? -term : term;
    afterFeet = quantity.FeetAndInches && (token == "'" || token == "FT");
    rest.erase(0, end == std::string::npos ? rest.size() : end + token.size());
  } while (!rest.empty());
  if (!std::isfinite(sum)) return false;
  value = sum;
  return true;
}

}  // namespace

bool ParseLength(std::string_view text, int target, double& value) { return ReadSum(text, kLength, target, value); }

bool ParseElevation(std::string_view text, int target, double& value) { return ParseLength(text, target, value); }

bool ParsePressure(std::string_view text, int target, double& value) {
  return ReadSum(text, kPressure, target, value);
}

bool ParseK(std::string_view text, int target, double& value) { return ReadSum(text, kKFactor, target, value); }

bool ParseFlow(std::string_view text, int target, double& value) { return ReadSum(text, kFlow, target, value); }

// A plain number is taken as written; a number with a unit must be a nominal size of that unit
// and becomes the matching nominal size of the target unit (25mm is 1 in), or -1.
bool ParseSize(std::string_view text, int target, double& value) {
  value = 0;
  const std::string size = Trim(text);
  const size_t end = NumberEnd(size);
  double number = 0;
  if (!ParseFloat(size.substr(0, end), number)) return false;
  if (end == std::string::npos) {
    value = number;
    return true;
  }
  const std::string token = MarkToken(size, end);
  const std::optional<int> unit = UnitOf(token, kLengthTokens);
  if (!unit || end + token.size() != size.size()) return false;
  value = ConvertSize(number, *unit, target);
  return true;
}

double SizeValue(std::string_view text, int sizeCode) {
  double value = 0;
  return ParseSize(text, sizeCode, value) ? value : 0;
}

}  // namespace pelmora
