#include "reports/report_context.h"

#include "reports/report_text.h"

namespace pelmora {

namespace {

// Values of the feet-and-inches unit are held in feet.
std::string ShortLengthWord(int code) { return LengthWord(code == 1 ? 0 : code, false); }

}  // namespace

TReportUnits ReportUnits(const TUnitSet& units) {
  return {ShortLengthWord(units.Length),   ShortLengthWord(units.Size),     ShortLengthWord(units.Elevation),
          PressureWord(units.Pressure),    FlowWord(units.Flow),            KWord(units.KFactor),
          ShortLengthWord(units.HeadArea), ShortLengthWord(units.Density)};
}

std::string Bracketed(const std::string& word) { return "[" + word + "]"; }

std::vector<const TNode*> WaterSources(const TCalcEngine& engine) {
  std::vector<const TNode*> sources;
  for (size_t i = 1; i < engine.FNodes.size(); ++i)
    if (engine.FNodes[i]->Kind == nkWater) sources.push_back(engine.FNodes[i]);
  return sources;
}

std::vector<TEquivKCalculation> EquivKCalculations(const TZubFile& project) {
  std::vector<TEquivKCalculation> calculations;
  for (const TEquivKFile& definition : project.EquivK) calculations.push_back({&definition, definition.Engine()});
  return calculations;
}

TReportContext TReportContext::ForEngine(const TCalcEngine& engine) const {
  return {engine, Project, Materials, Options, EquivK, Date};
}

std::string TReportContext::Num(double value, int width, int decimals, int roundedDecimals) const {
  return FormatReportValue(value, width, decimals, roundedDecimals, Options.RepRoundValues);
}

std::string TReportContext::Num(double value, int width, int decimals) const {
  return FormatReportValue(value, width, decimals);
}

std::vector<const TCalcEngine*> TReportContext::Calculations() const {
  std::vector<const TCalcEngine*> calculations{&Engine};
  for (const TEquivKCalculation& calculation : EquivK) {
    if (calculation.Engine == nullptr) break;
    calculations.push_back(calculation.Engine);
  }
  return calculations;
}

}  // namespace pelmora
