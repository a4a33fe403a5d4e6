#include "input/zub_file.h"
#include "input/zub_file_io.h"

namespace pelmora {

TLiquid DefaultLiquid(const TMaterials& materials) {
  const std::vector<TLiquid>& liquids = materials.Liquids;
  if (liquids.size() >= 3) return liquids[2];
  return liquids.empty() ? TLiquid{} : liquids.front();
}

// The K-factor multiplier and its adjust switch belong to the liquid the designer chose and
// survive a reset; the tag reader sets both from the file.
void TZubFile::ResetProject() {
  const TZubFileDefaults& defaults = FileDefaults();
  JobNo.clear();
  Contract.clear();
  Project.clear();
  AHJ.clear();
  Notes.clear();
  Head.clear();
  RepHeader.clear();
  DesignerOR.clear();
  CompanyOR.clear();
  Units = defaults.Units;
  FrictionFormula = defaults.FrictionFormula;
  EquivK.clear();
  SourceCalc = defaults.SourceCalc;
  UseVelocity = defaults.UseVelocity;
  Gravity13D = defaults.Gravity13D;
  FMFittings = defaults.FMFittings;
  HeadArea = defaults.HeadArea;
  MaterialFittings = defaults.MaterialFittings;
  UseFittingK = defaults.UseFittingK;
  Liquid = defaults.Liquid;
  BaseOfRiser = defaults.BaseOfRiser;
  NameSeeds = defaults.NameSeeds;
  RADescription.clear();
  SystemInfo = {};
  DxfFileName.clear();
  DxfPipes.clear();
  DxfNodes.clear();
  Body.clear();
  FFourHeads.clear();
}

}  // namespace pelmora
