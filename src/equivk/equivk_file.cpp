#include "equivk/equivk_file.h"

#include <cmath>

#include "equivk/equivk_model.h"

namespace pelmora {

namespace {

constexpr int kPsi = 0, kGpm = 0, kGpmPerPsi = 0;

// Q / sqrt(P) taken in gpm and psi, so that every project K unit comes out right.
double KFactorOf(double flow, double pressure, const TUnitSet& units) {
  const double gpm = ConvertFlow(flow, units.Flow, kGpm);
  const double psi = ConvertPressure(pressure, units.Pressure, kPsi);
  return ConvertK(gpm / std::sqrt(psi), kGpmPerPsi, units.KFactor);
}

}  // namespace

void TEquivKFile::SetLines(std::vector<std::string> lines) {
  Lines = std::move(lines);
  Dirty = true;
}

// The public Lines may change without SetLines, and the project settings change the losses:
// both are compared with what the last evaluation used.
bool TEquivKFile::IsStale(const TEquivKSettings& settings) const {
  return Dirty || Lines != FEvaluatedLines || !SameResultSettings(settings, FEvaluatedSettings);
}

double TEquivKFile::GetEquivalentK(const TEquivKSettings& settings) {
  if (IsStale(settings)) {
    EquivalentK = Discharge = -1;
    Dirty = false;
    FEvaluatedLines = Lines;
    FEvaluatedSettings = settings;
  } else if (EquivalentK > 0) {
    return EquivalentK;
  }
  Evaluate(settings);
  return EquivalentK;
}

double TEquivKFile::GetDischarge(const TEquivKSettings& settings) {
  GetEquivalentK(settings);
  return Discharge;
}

void TEquivKFile::Evaluate(const TEquivKSettings& settings) {
  EquivalentK = Discharge = -1;
  SprinklerCount = 0;
  Messages.clear();
  FEngine.reset();
  try {
    ParseLines(settings);
    std::unique_ptr<TCalcEngine> engine = BuildEquivKModel(*this, settings);
    SprinklerCount = engine->FSprinklerCount;
    const bool hasPipes = engine->FPipes.size() > 1;
    if (engine->FErrorCount == 0 && hasPipes && engine->Calculate() && engine->FRequiredPressure > 0) {
      Discharge = engine->FSourceFlow;
      EquivalentK = KFactorOf(engine->FSourceFlow, engine->FRequiredPressure, settings.Units);
    }
    for (const TCalcError& error : engine->FErrors) Messages.push_back(error.Text);
    if (EquivalentK > 0) FEngine = std::move(engine);
  } catch (...) {
    EquivalentK = Discharge = -1;
  }
}

}  // namespace pelmora
