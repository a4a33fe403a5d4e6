// One equivalent-K definition of a project: a code, a description and its own small command text.
#pragma once

#include <string>
#include <vector>

namespace pelmora {

class TEquivKFile {
 public:
  std::string Code;
  std::string Description;
  std::vector<std::string> Lines;
  bool Dirty = true;  // the results must be calculated again

  // Results of the definition's own calculation; -1 when there is none.
  double EquivalentK = -1;
  double Discharge = -1;
  int SprinklerCount = 0;

  double GetK() const { return EquivalentK; }
  double GetDischarge() const { return Discharge; }
};

}  // namespace pelmora
