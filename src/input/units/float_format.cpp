#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "input/units/units.h"

namespace pelmora {

namespace {

// A number as its decimal digits (no leading or trailing zeros; empty for zero) and the
// position of the decimal point counted from the first digit.
struct TDecimal {
  std::string Digits;
  int Point = 0;
  bool Negative = false;

  bool IsZero() const { return Digits.empty(); }
  char DigitAt(int i) const { return i >= 0 && i < static_cast<int>(Digits.size()) ? Digits[i] : '0'; }
};

void StripTrailingZeros(TDecimal& d) {
  const size_t last = d.Digits.find_last_not_of('0');
  d.Digits.erase(last == std::string::npos ? 0 : last + 1);
  if (d.IsZero()) d.Point = 0;
}

// precision < 0: the shortest text that reads back as x; otherwise 1 + precision significant digits.
TDecimal ToDecimal(double x, int precision) {
  TDecimal d;
  d.Negative = std::signbit(x);
  char buffer[64];
  const auto result =
      precision < 0
          ? std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x), std::chars_format::scientific)
          : std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x), std::chars_format::scientific, precision);
  const std::string_view text(buffer, result.ptr);
  const size_t e = text.find('e');
  for (char ch : text.substr(0, e))
    if (ch != '.') d.Digits += ch;
  d.Point = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
  StripTrailingZeros(d);
  return d;
}

// Keeps the first `keep` digits, rounding half away from zero, as a picture formatter does.
void RoundToDigits(TDecimal& d, int keep) {
  if (keep >= static_cast<int>(d.Digits.size())) return;
  const bool roundUp = keep >= 0 && d.Digits[keep] >= '5';
  if (keep <= 0) {
    d.Digits.assign(roundUp ? 1 : 0, '1');
    d.Point += roundUp ? 1 : 0;
    StripTrailingZeros(d);
    return;
  }
  d.Digits.resize(keep);
  if (roundUp) {
    int i = keep - 1;
    for (; i >= 0 && d.Digits[i] == '9'; --i) d.Digits[i] = '0';
    if (i >= 0) {
      ++d.Digits[i];
    } else {
      d.Digits.insert(d.Digits.begin(), '1');
      ++d.Point;
    }
  }
  StripTrailingZeros(d);
}

struct TPicture {
  int IntegerPlaces = 0;  // '0' and '#' before the point
  int IntegerMin = 0;     // '0' before the point
  bool Thousands = false;
  int FractionMin = 0;  // '0' after the point
  int FractionMax = 0;  // '0' and '#' after the point
  bool Scientific = false;
  bool ExponentPlus = false;  // "E+" shows the sign of positive exponents too
  int ExponentMin = 0;        // '0' after "E+" or "E-"
};

TPicture ReadPicture(const std::string& pattern) {
  TPicture p;
  bool afterPoint = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char ch = pattern[i];
    const bool exponent =
        (ch == 'E' || ch == 'e') && i + 1 < pattern.size() && (pattern[i + 1] == '+' || pattern[i + 1] == '-');
    if (exponent) {
      p.Scientific = true;
      p.ExponentPlus = pattern[i + 1] == '+';
      for (i += 2; i < pattern.size() && pattern[i] == '0'; ++i) ++p.ExponentMin;
      break;
    }
    if (ch == '.') afterPoint = true;
    if (ch == ',' && !afterPoint) p.Thousands = true;
    if (ch != '0' && ch != '#') continue;
    if (afterPoint) {
      ++p.FractionMax;
      if (ch == '0') p.FractionMin = p.FractionMax;
    } else {
      ++p.IntegerPlaces;
      if (ch == '0') ++p.IntegerMin;
    }
  }
  return p;
}

std::string GroupThousands(const std::string& digits) {
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

// The digits from position `from` on, `count` of them, less trailing zeros beyond `minimum`.
std::string FractionText(const TDecimal& d, int from, int count, int minimum) {
  std::string fraction;
  for (int i = 0; i < count; ++i) fraction += d.DigitAt(from + i);
  while (static_cast<int>(fraction.size()) > minimum && fraction.back() == '0') fraction.pop_back();
  return fraction.empty() ? fraction : "." + fraction;
}

std::string FixedText(TDecimal d, const TPicture& p) {
  RoundToDigits(d, d.Point + p.FractionMax);
  std::string integer;
  for (int i = 0; i < d.Point; ++i) integer += d.DigitAt(i);
  if (static_cast<int>(integer.size()) < p.IntegerMin) integer.insert(0, p.IntegerMin - integer.size(), '0');
  if (p.Thousands) integer = GroupThousands(integer);
  std::string text = d.Negative && !d.IsZero() ? "-" : "";
  text += integer;
  text += FractionText(d, d.Point, p.FractionMax, p.FractionMin);
  if (text.empty() || text == "-") text += "0";
  return text;
}

std::string ScientificText(TDecimal d, const TPicture& p) {
  const int places = std::max(p.IntegerPlaces, 1);
  RoundToDigits(d, places + p.FractionMax);
  const int exponent = d.IsZero() ? 0 : d.Point - places;
  std::string text = d.Negative && !d.IsZero() ? "-" : "";
  for (int i = 0; i < places; ++i) text += d.DigitAt(i);
  text += FractionText(d, places, p.FractionMax, p.FractionMin);
  text += 'E';
  if (exponent < 0) text += '-';
  if (exponent >= 0 && p.ExponentPlus) text += '+';
  const std::string digits = std::to_string(std::abs(exponent));
  if (static_cast<int>(digits.size()) < p.ExponentMin) text.append(p.ExponentMin - digits.size(), '0');
  return text + digits;
}

}  // namespace

std::string FormatFloat(const std::string& pattern, double x) {
  if (!std::isfinite(x)) return "";
  const TPicture picture = ReadPicture(pattern);
  // Rounding works on the shortest decimal text of x, so 2.675 rounds up as it is written.
  const TDecimal decimal = ToDecimal(x, -1);
  return picture.Scientific ? ScientificText(decimal, picture) : FixedText(decimal, picture);
}

std::string FormatGeneral(double x) {
  if (!std::isfinite(x)) return "";
  const TDecimal d = ToDecimal(x, 14);
  if (d.IsZero()) return "0";
  const std::string sign = d.Negative ? "-" : "";
  const int size = static_cast<int>(d.Digits.size());
  if (d.Point > 15 || d.Point < -3) {
    const int exponent = d.Point - 1;
    std::string text = sign + d.Digits[0];
    if (size > 1) text.append(".").append(d.Digits, 1);
    return text.append("E").append(exponent < 0 ? "-" : "").append(std::to_string(std::abs(exponent)));
  }
  if (d.Point <= 0) return sign + "0." + std::string(-d.Point, '0') + d.Digits;
  std::string integer;
  for (int i = 0; i < d.Point; ++i) integer += d.DigitAt(i);
  std::string text = sign + integer;
  if (size > d.Point) text.append(".").append(d.Digits, d.Point);
  return text;
}

}  // namespace pelmora
