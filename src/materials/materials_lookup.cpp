// Look-ups of the materials database: materials, sizes, diameters and fitting losses.
#include <cctype>
#include <charconv>
#include <cmath>

#include "input/units/text.h"
#include "input/units/units.h"
#include "materials/materials.h"

namespace pelmora {

namespace {

constexpr int kFootCode = 0;
constexpr int kInchCode = 2;
constexpr int kMillimetreCode = 3;
constexpr int kMetreCode = 5;
constexpr double kChartCFactor = 120;     // the equivalent-length chart holds for C = 120
constexpr double kHazenCExponent = 1.85;  // equivalent length goes with C^1.85
constexpr double kHazenDExponent = 4.87;  // and with d^4.87 between pipes of one length chart
constexpr double kKDiameterExponent = 4;  // a K coefficient goes with d^4 at equal flow
constexpr double kLowestCFactor = 10;     // anything lower is a Darcy-Weisbach roughness

bool IsUSUnit(int code) { return code < 3; }

// "2E" is two elbows of code E; a missing, unreadable or zero count means one.
struct TFittingCount {
  int Count = 1;
  std::string Code;
};

TFittingCount SplitFittingText(const std::string& text) {
  size_t digits = 0;
  while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) ++digits;
  TFittingCount result{1, text.substr(digits)};
  int count = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + digits, count);
  if (digits > 0 && error == std::errc() && end == text.data() + digits && count >= 1) result.Count = count;
  return result;
}

double DiameterAt(const TMaterialObject& material, int index, bool metric) {
  return metric ? material.IdSI[index] : material.IdUS[index];
}

// (d / dref)^exponent, or 1 when the reference pipe has no diameter at this size.
double DiameterFactor(double diameter, double reference, double exponent) {
  return reference == 0 ? 1 : std::pow(diameter / reference, exponent);
}

// (C / Cref)^1.85; a material without a usable wet C-factor is not scaled.
double CFactorScale(double cFactor, double reference) {
  if (cFactor < kLowestCFactor || reference < kLowestCFactor) return 1;
  return std::pow(cFactor / reference, kHazenCExponent);
}

bool HasValueAt(const TFitting& fitting, int index, bool useK) {
  return fitting.LengthUS[index] > 0 || (useK && fitting.K[index] > 0);
}

}  // namespace

int TMaterials::FindMaterial(const std::string& code) const {
  for (size_t i = 0; i < Materials.size(); ++i) {
    if (SameText(Materials[i].Code, code)) return static_cast<int>(i);
  }
  return -1;
}

bool TMaterials::MaterialExists(const std::string& code) const { return FindMaterial(code) >= 0; }

int TMaterials::FindFitting(const std::string& fittingCode, int materialIndex) const {
  if (materialIndex < 0 || materialIndex >= static_cast<int>(Materials.size())) return -1;
  const std::vector<TFitting>& fittings = Materials[materialIndex].Fittings;
  for (size_t i = 0; i < fittings.size(); ++i) {
    if (SameText(fittings[i].Code, fittingCode)) return static_cast<int>(i);
  }
  return -1;
}

int TMaterials::SizeIndex(int diameterUnit, double nominalSize) { return pelmora::SizeIndex(diameterUnit, nominalSize); }

double TMaterials::DiameterOf(const std::string& materialCode, int diameterUnit, double nominalSize) const {
  const int material = FindMaterial(materialCode);
  const int index = SizeIndex(diameterUnit, nominalSize);
  if (material < 0 || index < 0) return 0;
  if (IsUSUnit(diameterUnit)) return ConvertLength(Materials[material].IdUS[index], kInchCode, diameterUnit);
  return ConvertLength(Materials[material].IdSI[index], kMillimetreCode, diameterUnit);
}

bool TMaterials::IsValidSize(const std::string& materialCode, const std::string& sizeText, int unitCode) const {
  double size = 0;
  return ParseSize(sizeText, unitCode, size) && DiameterOf(materialCode, unitCode, size) > 0;
}

double TMaterials::FittingLoss(const std::string& fittingText, const std::string& materialCode, int lengthUnit,
                               int diameterUnit, double cFactor, double nominalSize) const {
  const TFittingCount fitting = SplitFittingText(fittingText);
  const int index = SizeIndex(diameterUnit, nominalSize);
  const int materialIndex = FindMaterial(materialCode);
  if (index < 0 || materialIndex < 0) return 0;
  const TMaterialObject& material = Materials[materialIndex];
  const bool metric = !IsUSUnit(lengthUnit);
  const int chartUnit = metric ? kMetreCode : kFootCode;
  if (cFactor < kLowestCFactor) cFactor = material.CWet;

  const int own = MaterialFittings ? FindFitting(fitting.Code, materialIndex) : -1;
  if (own >= 0 && HasValueAt(material.Fittings[own], index, UseFittingK)) {
    const TFitting& specific = material.Fittings[own];
    if (UseFittingK && specific.K[index] > 0) return -fitting.Count * specific.K[index];
    const double length = metric ? specific.LengthSI[index] : specific.LengthUS[index];
    return ConvertLength(fitting.Count * length * CFactorScale(cFactor, material.CWet), chartUnit, lengthUnit);
  }

  const int general = FindFitting(fitting.Code, 0);
  if (general < 0) return 0;
  const TMaterialObject& reference = Materials[0];
  const TFitting& chart = reference.Fittings[general];
  const double diameter = DiameterAt(material, index, metric);
  const double referenceDiameter = DiameterAt(reference, index, metric);
  if (UseFittingK && chart.K[index] > 0) {
    return -fitting.Count * chart.K[index] * DiameterFactor(diameter, referenceDiameter, kKDiameterExponent);
  }
  const double length = metric ? chart.LengthSI[index] : chart.LengthUS[index];
  const double scaled = fitting.Count * length * CFactorScale(cFactor, kChartCFactor) *
                        DiameterFactor(diameter, referenceDiameter, kHazenDExponent);
  return ConvertLength(scaled, chartUnit, lengthUnit);
}

std::vector<std::string> TMaterials::MaterialList() const {
  std::vector<std::string> list;
  for (const TMaterialObject& material : Materials) list.push_back(material.Code + " - " + material.Description);
  return list;
}

std::vector<std::string> TMaterials::ValidSizes(int materialIndex, int diameterUnit) const {
  std::vector<std::string> sizes;
  if (materialIndex < 0 || materialIndex >= static_cast<int>(Materials.size())) return sizes;
  const auto& table = NominalSizes();
  for (size_t i = 0; i < table.size(); ++i) {
    if (Materials[materialIndex].IdUS[i] <= 0) continue;
    const double size = IsUSUnit(diameterUnit) ? ConvertLength(table[i].Inch, kInchCode, diameterUnit)
                                               : ConvertLength(table[i].Mm, kMillimetreCode, diameterUnit);
    sizes.push_back(FormatFloat("0.0##", size));
  }
  return sizes;
}

}  // namespace pelmora
