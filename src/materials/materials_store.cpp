// Adding and replacing materials, fittings and liquids (used by the material editors).
#include "input/units/text.h"
#include "materials/materials.h"
#include "materials/pit_words.h"

namespace pelmora {

namespace {

// A code must stay one word of the file format, or the saved file would not read back.
bool IsUsableCode(const std::string& code) {
  const std::vector<std::string> words = PitWords(code);
  return words.size() == 1 && words[0] == code;
}

}  // namespace

int TMaterials::AddMaterial(const TMaterialObject& material) {
  if (!IsUsableCode(material.Code)) return 2;
  if (MaterialExists(material.Code)) return 1;
  Materials.push_back(material);
  return 0;
}

int TMaterials::StoreMaterial(const TMaterialObject& material) {
  if (!IsUsableCode(material.Code)) return 2;
  const int index = FindMaterial(material.Code);
  if (index < 0) {
    Materials.push_back(material);
  } else {
    Materials[index] = material;
  }
  return 0;
}

int TMaterials::StoreFitting(int materialIndex, const TFitting& fitting) {
  if (materialIndex < 0 || materialIndex >= static_cast<int>(Materials.size())) return 1;
  if (!IsUsableCode(fitting.Code)) return 2;
  std::vector<TFitting>& fittings = Materials[materialIndex].Fittings;
  const int index = FindFitting(fitting.Code, materialIndex);
  if (index < 0) {
    fittings.push_back(fitting);
  } else {
    fittings[index] = fitting;
  }
  return 0;
}

void TMaterials::AddLiquid(const TLiquid& liquid) { Liquids.push_back(liquid); }

void TMaterials::StoreLiquid(const TLiquid& liquid) {
  const int index = FindLiquid(liquid.Name);
  if (index < 0) {
    Liquids.push_back(liquid);
  } else {
    Liquids[index] = liquid;
  }
}

int TMaterials::FindLiquid(const std::string& name) const {
  for (size_t i = 0; i < Liquids.size(); ++i) {
    if (SameText(Liquids[i].Name, name)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace pelmora
