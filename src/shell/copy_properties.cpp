#include "shell/copy_properties.h"

#include "input/zub_file.h"

namespace pelmora {

void CopyProjectProperties(const TZubFile& from, TZubFile& to) {
  to.JobNo = from.JobNo;
  to.Contract = from.Contract;
  to.Project = from.Project;
  to.AHJ = from.AHJ;
  to.Notes = from.Notes;
  to.Head = from.Head;
  to.RepHeader = from.RepHeader;
  to.DesignerOR = from.DesignerOR;
  to.CompanyOR = from.CompanyOR;
  to.Units = from.Units;
  to.FrictionFormula = from.FrictionFormula;
  to.EquivK = from.EquivK;
  for (TEquivKFile& definition : to.EquivK) definition.Dirty = true;
  to.SourceCalc = from.SourceCalc;
  to.UseVelocity = from.UseVelocity;
  to.Gravity13D = from.Gravity13D;
  to.FMFittings = from.FMFittings;
  to.AdjustKForLiquid = from.AdjustKForLiquid;
  to.HeadArea = from.HeadArea;
  to.MaterialFittings = from.MaterialFittings;
  to.UseFittingK = from.UseFittingK;
  to.KFactorMultiplier = from.KFactorMultiplier;
  to.Liquid = from.Liquid;
  to.BaseOfRiser = from.BaseOfRiser;
  to.NameSeeds = from.NameSeeds;
  to.RADescription = from.RADescription;
  to.SystemInfo = from.SystemInfo;
}

}  // namespace pelmora
