#include <array>

#include "input/units/units.h"

namespace pelmora {

namespace {

// A factor is applied as written: value x M1 x M2 x M3 / Divisor, in extended precision.
struct TFactor {
  long double M1 = 1, M2 = 1, M3 = 1, Divisor = 1;
};

double Apply(double value, const TFactor& f) {
  const long double result = static_cast<long double>(value) * f.M1 * f.M2 * f.M3 / f.Divisor;
  return static_cast<double>(result);
}

// Rows and columns: ft, in, mm, cm, m.
constexpr std::array<std::array<TFactor, 5>, 5> kLengthFactors{{
    {{{1}, {12}, {304.8L}, {30.48L}, {0.3048L}}},
    {{{1, 1, 1, 12}, {1}, {25.4L}, {2.54L}, {0.0254L}}},
    {{{0.0032808399L}, {0.0393700787L}, {1}, {0.1L}, {0.001L}}},
    {{{0.032808399L}, {0.393700787L}, {10}, {1}, {0.01L}}},
    {{{3.2808399L}, {39.3700787L}, {1000}, {100}, {1}}},
}};
// Length codes 0 (feet) and 1 (feet and inches) share the feet row.
constexpr std::array<int, 6> kLengthRow{0, 0, 1, 2, 3, 4};

// psi, bar, kPa.
constexpr std::array<std::array<TFactor, 3>, 3> kPressureFactors{{
    {{{1}, {0.0689475729L}, {6.89475729L}}},
    {{{14.5037738L}, {1}, {100}}},
    {{{0.145037738L}, {0.01L}, {1}}},
}};

// gpm, lpm, IMP gpm, m3/hr.
constexpr std::array<std::array<TFactor, 4>, 4> kFlowFactors{{
    {{{1}, {3.78541178L}, {0.832674L}, {0.00378541178L, 60}}},
    {{{0.264172052L}, {1}, {0.219969L}, {0.001L, 60}}},
    {{{1.20095L}, {4.54609L}, {1}, {0.00454609L, 60}}},
    {{{264.172L, 1, 1, 60}, {1000, 1, 1, 60}, {219.969L, 1, 1, 60}, {1}}},
}};

// K-factors convert as flow over the square root of pressure: b = 1 / sqrt(0.0689475729),
// c = sqrt(0.0689475729), and their kPa counterparts b10 and c10.
constexpr long double b = 3.808382L;
constexpr long double b10 = 0.3808382L;
constexpr long double c = 0.2625787L;
constexpr long double c10 = 2.62578698L;

// gpm/psi, lpm/bar, lpm/kPa, m3hr/bar, m3hr/kPa, IMPgpm/bar, IMPgpm/kpa.
constexpr std::array<std::array<TFactor, 7>, 7> kKFactors{{
    {{{1},
      {3.78541178L, b},
      {3.78541178L, b10},
      {0.00378541178L, 60, b},
      {0.00378541178L, 60, b10},
      {0.832674L, b},
      {0.832674L, b10}}},
    {{{0.264172052L, c}, {1}, {0.1L}, {0.001L, 60}, {0.001L, 60, 0.1L}, {0.219969L}, {0.219969L, 0.1L}}},
    {{{0.264172052L, c10}, {10}, {1}, {0.001L, 60, 10}, {0.001L, 60}, {0.219969L, 10}, {0.219969L}}},
    {{{264.172L, c, 1, 60},
      {1000, 1, 1, 60},
      {1000, 0.1L, 1, 60},
      {1},
      {0.1L},
      {219.969L, 1, 1, 60},
      {219.969L, 0.1L, 1, 60}}},
    {{{264.172L, c10, 1, 60},
      {1000, 10, 1, 60},
      {1000, 1, 1, 60},
      {10},
      {1},
      {219.969L, 10, 1, 60},
      {219.969L, 1, 1, 60}}},
    {{{1.20095L, c}, {4.54609L}, {4.54609L, 0.1L}, {0.00454609L, 60}, {0.00454609L, 60, 0.1L}, {1}, {0.1L}}},
    {{{1.20095L, c10}, {4.54609L, 10}, {4.54609L}, {0.00454609L, 60, 10}, {0.00454609L, 60}, {10}, {1}}},
}};

template <size_t N>
double ConvertByTable(double value, int from, int to, const std::array<std::array<TFactor, N>, N>& table) {
  const bool known = from >= 0 && to >= 0 && from < static_cast<int>(N) && to < static_cast<int>(N);
  if (!known || from == to) return value;
  return Apply(value, table[from][to]);
}

}  // namespace

double ConvertLength(double value, int from, int to) {
  from &= 0x7F;
  const int last = static_cast<int>(kLengthRow.size());
  if (from == to || from >= last || to < 0 || to >= last) return value;
  return ConvertByTable(value, kLengthRow[from], kLengthRow[to], kLengthFactors);
}

double ConvertPressure(double value, int from, int to) {
  if (value == kNotSet) return value;
  return ConvertByTable(value, from, to, kPressureFactors);
}

double ConvertFlow(double value, int from, int to) { return ConvertByTable(value, from, to, kFlowFactors); }

double ConvertK(double value, int from, int to) { return ConvertByTable(value, from, to, kKFactors); }

}  // namespace pelmora
