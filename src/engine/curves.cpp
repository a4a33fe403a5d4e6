#include "engine/curves.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "engine/model.h"

namespace pelmora {

namespace {

// Supply and pump curves are drawn on the flow^1.85 scale, like the supply graph paper.
double Power185(double x) { return x <= 0.000000001 ? 0 : std::pow(x, 1.85); }

struct TCurveValue {
  double Pressure;
  double Slope;
};

// Segment i to i+1 that holds flow a; flows outside the curve use the first or last segment.
size_t SegmentOf(const TDblArray& flows, size_t n, double a) {
  size_t i = 0;
  for (size_t j = 0; j < n; ++j)
    if (flows[j] <= a) i = j;
  return i + 1 == n ? i - 1 : i;
}

TCurveValue StraightValue(const TSpecial& c, size_t i, double a) {
  const double run = c.Flows[i + 1] - c.Flows[i];
  const double m = run == 0 ? 0 : (c.Pressures[i] - c.Pressures[i + 1]) / run;
  return {c.Pressures[i] + (c.Flows[i] - a) * m, -m};
}

TCurveValue ScaledValue(const TSpecial& c, size_t i, double a) {
  const double qi = Power185(c.Flows[i]);
  const double run = Power185(c.Flows[i + 1]) - qi;
  const double v = run == 0 ? 0 : (c.Pressures[i] - c.Pressures[i + 1]) / run;
  return {c.Pressures[i] + v * (qi - Power185(a)), -1.85 * v * (a <= 0 ? 0 : std::pow(a, 0.85))};
}

TCurveValue ValueAt(const TSpecial& c, double a) {
  const size_t n = std::min(c.Flows.size(), c.Pressures.size());
  if (n == 0) return {0, 0};
  if (n == 1) return {c.Pressures[0], 0};
  const size_t i = SegmentOf(c.Flows, n, a);
  return c.Linear ? StraightValue(c, i, a) : ScaledValue(c, i, a);
}

}  // namespace

double CurvePressure(TSpecial& curve, double q) {
  const TCurveValue v = ValueAt(curve, std::fabs(q));
  curve.LastPressure = q < 0 ? -v.Pressure : v.Pressure;
  curve.LastSlope = v.Slope;
  return curve.LastPressure;
}

bool SupplyRises(const TSpecial& curve) {
  const size_t n = std::min(curve.Flows.size(), curve.Pressures.size());
  for (size_t j = 1; j < n; ++j)
    if (curve.Pressures[j] > curve.Pressures[j - 1] && curve.Flows[j] > curve.Flows[j - 1]) return true;
  return false;
}

bool PumpRises(const TSpecial& curve) {
  const size_t n = std::min(curve.Flows.size(), curve.Pressures.size());
  for (size_t j = 1; j < n; ++j)
    if (curve.Pressures[j] < curve.Pressures[j - 1] && curve.Flows[j] > curve.Flows[j - 1]) return true;
  return false;
}

double MaximumFlow(const TSpecial& curve) { return curve.Flows.empty() ? 0 : curve.Flows.back(); }

}  // namespace pelmora
