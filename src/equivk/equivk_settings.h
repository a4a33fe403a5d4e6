// The project settings an equivalent-K calculation depends on, and whether two sets give the same result.
#pragma once

#include "input/units/units.h"
#include "materials/materials.h"

namespace pelmora {

class TZubFile;

struct TEquivKSettings {
  TUnitSet Units;
  int FrictionFormula = 0;  // 0 Hazen-Williams, 1 NFPA 750, 2 Colebrook, 3 Serghide
  TLiquid Liquid;
  bool UseVelocity = false;
  bool Gravity13D = false;
  bool MaterialFittings = true;
  bool UseFittingK = false;
  bool AdjustKForLiquid = false;
  double KFactorMultiplier = 1.0;
  TMaterials* Materials = nullptr;  // the program's database when not set

  TMaterials& Database() const { return Materials != nullptr ? *Materials : pelmora::Materials(); }
  bool Darcy() const { return FrictionFormula == 2 || FrictionFormula == 3; }
};

// True when a result calculated under one set stays valid under the other.
bool SameResultSettings(const TEquivKSettings& a, const TEquivKSettings& b);

// The settings of a project, for its definitions.
TEquivKSettings EquivKSettingsOf(const TZubFile& project);

}  // namespace pelmora
