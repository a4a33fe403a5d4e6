#include "input/units/units.h"

namespace pelmora {

TUnitSet EnglishUnits() { return TUnitSet{1, 2, 1, 0, 0, 0, 5, 3}; }

TUnitSet MetricUnits() { return TUnitSet{5, 3, 5, 1, 1, 1, 5, 3}; }

TUnitSet& UnitDefaults() {
  static TUnitSet defaults;
  return defaults;
}

TUnitSet DefaultUnits() { return UnitDefaults(); }

}  // namespace pelmora
