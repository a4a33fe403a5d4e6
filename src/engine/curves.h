// Pressure-flow curves of water supplies, pumps and backflow preventers.
#pragma once

namespace pelmora {

class TSpecial;

// The curve's pressure at flow q (negative q gives the negated value) and its slope dP/dq;
// both are also kept in the device (LastPressure, LastSlope).
double CurvePressure(TSpecial& curve, double q);

// A water supply curve with a point where pressure and flow both rise.
bool SupplyRises(const TSpecial& curve);
// A pump curve with a point where the stored (negated) pressure falls while the flow rises.
bool PumpRises(const TSpecial& curve);
// The largest flow of a pump's or backflow preventer's curve (its last point); 0 without points.
double MaximumFlow(const TSpecial& curve);

}  // namespace pelmora
