#include "equivk/equivk_settings.h"

#include <tuple>

#include "input/zub_file.h"

namespace pelmora {

namespace {

auto ResultKey(const TEquivKSettings& s) {
  return std::tie(s.Units, s.FrictionFormula, s.Liquid.DensityUS, s.Liquid.DensitySI, s.Liquid.Viscosity,
                  s.UseVelocity, s.Gravity13D, s.MaterialFittings, s.UseFittingK, s.AdjustKForLiquid,
                  s.KFactorMultiplier, s.Materials);
}

}  // namespace

bool SameResultSettings(const TEquivKSettings& a, const TEquivKSettings& b) { return ResultKey(a) == ResultKey(b); }

TEquivKSettings EquivKSettingsOf(const TZubFile& project) {
  TEquivKSettings settings;
  settings.Units = project.Units;
  settings.FrictionFormula = project.FrictionFormula;
  settings.Liquid = project.Liquid;
  settings.UseVelocity = project.UseVelocity;
  settings.Gravity13D = project.Gravity13D;
  settings.MaterialFittings = project.MaterialFittings;
  settings.UseFittingK = project.UseFittingK;
  settings.AdjustKForLiquid = project.AdjustKForLiquid;
  settings.KFactorMultiplier = project.KFactorMultiplier;
  settings.Materials = project.FMaterials;
  return settings;
}

}  // namespace pelmora
