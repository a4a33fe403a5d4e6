#include <array>
#include <cmath>

#include "input/units/units.h"

namespace pelmora {

namespace {

// Inch fractions of the feet-and-inches text, to the nearest quarter inch. A remainder of
// 0.875 or more is already counted as the next whole inch.
struct TQuarterInch {
  double Below;  // applies while the remainder is below this (or equal, when Inclusive)
  bool Inclusive;
  const char* Text;
};
constexpr std::array<TQuarterInch, 4> kQuarterInches{{
    {0.125, true, ""},
    {0.375, false, ".25\""},
    {0.625, true, ".5\""},
    {0.875, false, ".75\""},
}};

std::string QuarterInchText(double remainder) {
  for (const TQuarterInch& q : kQuarterInches)
    if (remainder < q.Below || (q.Inclusive && remainder == q.Below)) return q.Text;
  return "";
}

std::string FeetAndInches(double x) {
  if (!std::isfinite(x)) return "";
  const double magnitude = std::fabs(x);
  const double feet = std::trunc(magnitude);
  const double inches = (magnitude - feet) * 12;
  const std::string text = FormatFloat("0", feet) + "'" + FormatFloat("0", std::trunc(inches + 0.125)) +
                           QuarterInchText(inches - std::trunc(inches));
  // A tiny negative value must not show as -0'0.
  return x < 0 && text != "0'0" ? "-" + text : text;
}

// Patterns by length code; feet (codes 0 and 1) are written as feet and inches.
constexpr std::array<const char*, 6> kLengthPatterns{nullptr, nullptr, "0.0##", "0.#", "0.#", "0.0##"};
constexpr std::array<const char*, 3> kPressurePatterns{"0.00#", "0.00##", "0.00#"};

}  // namespace

std::string FormatLength(int code, double x) {
  if (code < 0 || code >= static_cast<int>(kLengthPatterns.size())) return "";
  const char* pattern = kLengthPatterns[code];
  return pattern ? FormatFloat(pattern, x) : FeetAndInches(x);
}

std::string FormatPressure(int code, double x) {
  if (code < 0 || code >= static_cast<int>(kPressurePatterns.size())) return "";
  return FormatFloat(kPressurePatterns[code], x);
}

std::string FormatFlow(double x) { return FormatFloat("0.00#", x); }

std::string FormatK(double x) { return FormatFloat("0.0#", x); }

}  // namespace pelmora
