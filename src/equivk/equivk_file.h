// One equivalent-K definition: its code, description and text, reduced by a private engine to one K-factor.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "equivk/equivk_settings.h"
#include "input/tokens.h"

namespace pelmora {

class TCalcEngine;

class TEquivKFile {
 public:
  std::string Code;
  std::string Description;
  std::vector<std::string> Lines;  // the definition; any change discards the results
  bool Dirty = true;               // the results must be calculated again

  // Results of the definition's own calculation; -1 when there is none.
  double EquivalentK = -1;  // in the project's K-factor unit
  double Discharge = -1;    // in the project's flow unit
  int SprinklerCount = 0;   // heads of the definition

  // The parse of the last ParseLines: one word list per line, material and C-factor in force per line.
  std::vector<TZubParameterList> FTokens;  // a definition is short: full records, one list per line
  std::vector<std::string> FLineMaterial;
  std::vector<double> FLineCFactor;
  // Why the last evaluation gave no result (the private engine's errors).
  std::vector<std::string> Messages;

  // The cached results, as the last evaluation left them.
  double GetK() const { return EquivalentK; }
  double GetDischarge() const { return Discharge; }

  void SetLines(std::vector<std::string> lines);
  void ParseLines(const TEquivKSettings& settings);
  bool HasInvalidParameter() const;
  // Calculates when the text or the settings changed since the last time, or when the last
  // time gave no result; otherwise returns the cached K-factor. -1 when there is none.
  double GetEquivalentK(const TEquivKSettings& settings);
  double GetDischarge(const TEquivKSettings& settings);
  // The private engine of the last evaluation that gave a result, for the report's pipe table.
  const TCalcEngine* Engine() const { return FEngine.get(); }
  // Rewrites the numbers of the text from one unit set to another and marks it for recalculation.
  void ConvertText(const TUnitSet& from, const TUnitSet& to, const TEquivKSettings& settings);

 private:
  bool IsStale(const TEquivKSettings& settings) const;
  void Evaluate(const TEquivKSettings& settings);

  // Copies of a definition share its last engine; it is never changed after its calculation.
  std::shared_ptr<const TCalcEngine> FEngine;
  std::vector<std::string> FEvaluatedLines;
  TEquivKSettings FEvaluatedSettings;
};

}  // namespace pelmora
