// Reading and writing the line format of the materials database.
#include <functional>

#include "input/units/text.h"
#include "input/units/units.h"
#include "materials/materials.h"
#include "materials/pit_words.h"

namespace pelmora {

namespace {

constexpr int kInchCode = 2;
constexpr int kMillimetreCode = 3;
constexpr double kMmPerInch = 25.4;
constexpr double kInchPerMm = 0.0393700787;
constexpr double kMetrePerFoot = 0.3048;
constexpr double kFootPerMetre = 3.2808399;

// One column pair of per-size values (inside diameters or fitting lengths) and the factors
// that fill the other column when a line gives only one of them.
struct TColumnPair {
  TSizeValues& US;
  TSizeValues& SI;
  double USToSI;
  double SIToUS;
};

// Stores the pairs "nominalSize value" of an ID or LENGTH line into the US or SI column.
void ReadSizePairs(const std::vector<std::string>& words, bool metric, TColumnPair columns) {
  TSizeValues& target = metric ? columns.SI : columns.US;
  TSizeValues& other = metric ? columns.US : columns.SI;
  const double toOther = metric ? columns.SIToUS : columns.USToSI;
  for (size_t i = 2; i + 1 < words.size(); i += 2) {
    double size = 0;
    if (!ReadPitNumber(words[i], size)) continue;
    const int index = TMaterials::SizeIndex(metric ? kMillimetreCode : kInchCode, size);
    if (index < 0) continue;
    double value = 0;
    if (!ReadPitNumber(words[i + 1], value)) value = 0;
    target[index] = value;
    if (other[index] == 0) other[index] = value * toOther;
  }
}

// K lines give their sizes in inches and fill no other column.
void ReadKPairs(const std::vector<std::string>& words, TSizeValues& k) {
  for (size_t i = 1; i + 1 < words.size(); i += 2) {
    double size = 0;
    if (!ReadPitNumber(words[i], size)) continue;
    const int index = TMaterials::SizeIndex(kInchCode, size);
    if (index < 0) continue;
    double value = 0;
    if (!ReadPitNumber(words[i + 1], value)) value = 0;
    k[index] = value;
  }
}

TLiquid ReadLiquid(const std::vector<std::string>& words, size_t position) {
  TLiquid liquid;
  const bool numbersRead = ReadPitNumber(words[1], liquid.DensityUS) && ReadPitNumber(words[2], liquid.DensitySI) &&
                           ReadPitNumber(words[3], liquid.Viscosity) && ReadPitNumber(words[4], liquid.KMultiplier);
  if (!numbersRead) {
    return TLiquid{0, 0, 0, 1, "Liquid #" + std::to_string(position) + " loading error"};
  }
  liquid.Name = JoinWords(words, 5);
  return liquid;
}

TMaterialObject ReadMaterial(const std::vector<std::string>& words) {
  TMaterialObject material;
  material.Code = words[1];
  material.Description = JoinWords(words, 6);
  const bool numbersRead = ReadPitInteger(words[2], material.CWet) && ReadPitInteger(words[3], material.CDry) &&
                           ReadPitNumber(words[4], material.RoughnessIn) &&
                           ReadPitNumber(words[5], material.RoughnessMm);
  if (!numbersRead) {
    material.RoughnessIn = 0;
    material.RoughnessMm = 0;
  }
  return material;
}

bool IsUnitWord(const std::string& word, bool& metric) {
  metric = SameText(word, "SI");
  return metric || SameText(word, "US");
}

// Reads the materials and their ID, FIT, LENGTH and K lines. Lines that come before this
// text's first new material (or belong to a material that exists already) are ignored, so a
// merged file never adds fittings to a material of the data in use.
void ReadMaterials(TMaterials& db, const std::vector<std::string>& lines) {
  TMaterialObject* current = nullptr;
  for (size_t row = 1; row < lines.size(); ++row) {
    const std::vector<std::string> words = PitWords(lines[row]);
    if (words.empty()) continue;
    const std::string& keyword = words[0];
    if (SameText(keyword, "MATERIAL")) {
      if (words.size() < 7) continue;
      current = nullptr;
      if (db.MaterialExists(words[1])) continue;
      db.Materials.push_back(ReadMaterial(words));
      current = &db.Materials.back();
      continue;
    }
    if (current == nullptr) continue;
    bool metric = false;
    if (SameText(keyword, "ID")) {
      if (words.size() < 4 || !IsUnitWord(words[1], metric)) continue;
      ReadSizePairs(words, metric, {current->IdUS, current->IdSI, kMmPerInch, kInchPerMm});
    } else if (SameText(keyword, "FIT")) {
      current->Fittings.push_back(TFitting{words[1], JoinWords(words, 2), {}, {}, {}});
    } else if (current->Fittings.empty()) {
      continue;
    } else if (SameText(keyword, "LENGTH")) {
      if (words.size() < 4 || !IsUnitWord(words[1], metric)) continue;
      TFitting& fitting = current->Fittings.back();
      ReadSizePairs(words, metric, {fitting.LengthUS, fitting.LengthSI, kMetrePerFoot, kFootPerMetre});
    } else if (SameText(keyword, "K")) {
      ReadKPairs(words, current->Fittings.back().K);
    }
  }
}

std::string PairLine(const std::string& keyword, const TSizeValues& values, bool metric,
                     const std::function<bool(double)>& written) {
  std::string line = keyword;
  const auto& sizes = NominalSizes();
  for (size_t i = 0; i < values.size(); ++i) {
    if (!written(values[i])) continue;
    line += ' ' + WritePitNumber(metric ? sizes[i].Mm : sizes[i].Inch) + ' ' + WritePitNumber(values[i]);
  }
  return line;
}

}  // namespace

void TMaterials::LoadFromLines(const std::vector<std::string>& lines, bool merge) {
  Lines = lines;
  if (lines.size() <= 1) return;
  if (!merge) {
    Materials.clear();
    Liquids.clear();
  }
  for (size_t row = 1; row < lines.size(); ++row) {
    const std::vector<std::string> words = PitWords(lines[row]);
    if (words.size() >= 6 && SameText(words[0], "LIQUID")) Liquids.push_back(ReadLiquid(words, Liquids.size()));
  }
  ReadMaterials(*this, lines);
}

std::vector<std::string> TMaterials::SaveToLines() const {
  if (Materials.empty()) return SplitPitLines(BuiltInText());
  const auto nonZero = [](double v) { return v != 0; };
  const auto positive = [](double v) { return v > 0; };
  std::vector<std::string> lines{"2 0"};
  for (const TLiquid& liquid : Liquids) {
    lines.push_back("LIQUID " + WritePitNumber(liquid.DensityUS) + ' ' + WritePitNumber(liquid.DensitySI) + ' ' +
                    WritePitNumber(liquid.Viscosity) + ' ' + WritePitNumber(liquid.KMultiplier) + ' ' + liquid.Name);
  }
  for (const TMaterialObject& material : Materials) {
    lines.push_back("MATERIAL " + material.Code + ' ' + std::to_string(material.CWet) + ' ' +
                    std::to_string(material.CDry) + ' ' + WritePitNumber(material.RoughnessIn) + ' ' +
                    WritePitNumber(material.RoughnessMm) + ' ' + material.Description);
    lines.push_back(PairLine("ID US", material.IdUS, false, nonZero));
    lines.push_back(PairLine("ID SI", material.IdSI, true, nonZero));
    for (const TFitting& fitting : material.Fittings) {
      lines.push_back("FIT " + fitting.Code + ' ' + fitting.Description);
      lines.push_back(PairLine("LENGTH US", fitting.LengthUS, false, nonZero));
      lines.push_back(PairLine("LENGTH SI", fitting.LengthSI, true, nonZero));
      lines.push_back(PairLine("K", fitting.K, false, positive));
    }
  }
  return lines;
}

}  // namespace pelmora
