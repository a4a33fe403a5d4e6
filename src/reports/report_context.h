// What the report builders read: the last calculation, its project, the database and the options.
#pragma once

#include <string>
#include <vector>

#include "engine/calc_engine.h"
#include "equivk/equivk_file.h"
#include "input/zub_file.h"
#include "materials/materials.h"
#include "reports/report_options.h"

namespace pelmora {

// One equivalent-K definition of the project with the private calculation behind its K-factor.
struct TEquivKCalculation {
  const TEquivKFile* Definition = nullptr;
  const TCalcEngine* Engine = nullptr;  // none: the definition was not calculated
};

// Unit words as the tables print them; the feet-and-inches length unit is reported in feet.
struct TReportUnits {
  std::string Length, Size, Elevation, Pressure, Flow, KFactor, HeadArea, Density;
};
TReportUnits ReportUnits(const TUnitSet& units);
std::string Bracketed(const std::string& word);

// The water source nodes of a calculation, in model order.
std::vector<const TNode*> WaterSources(const TCalcEngine& engine);

// The project's definitions with their calculations, as the report lists them.
std::vector<TEquivKCalculation> EquivKCalculations(const TZubFile& project);

struct TReportContext {
  const TCalcEngine& Engine;
  const TZubFile& Project;
  const TMaterials& Materials;
  const TReportOptions& Options;
  // The equivalent-K definitions in project order with their calculations; each gets its own
  // pipe table and feeds the code lists, up to the first one without a calculation.
  std::vector<TEquivKCalculation> EquivK;
  std::string Date;  // the date of the project block; today's short date when empty

  // The same report settings for another calculation (an equivalent-K definition's).
  TReportContext ForEngine(const TCalcEngine& engine) const;
  TReportUnits Units() const { return ReportUnits(Engine.FInputUnits); }
  // num w.d/r of the tables: r decimals when the user asked for rounded values.
  std::string Num(double value, int width, int decimals, int roundedDecimals) const;
  std::string Num(double value, int width, int decimals) const;
  bool HeadAreaMode() const { return Project.HeadArea; }
  bool VelocityPressures() const { return Engine.FUseVelocityPressure; }
  bool DarcyWeisbach() const { return Engine.FFrictionMethod != 0; }
  // The calculations whose pipes the report lists: the system first, then each equivalent-K one.
  std::vector<const TCalcEngine*> Calculations() const;
};

}  // namespace pelmora
