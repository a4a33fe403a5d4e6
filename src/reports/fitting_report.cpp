#include "reports/fitting_report.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "engine/calc_engine.h"
#include "engine/friction.h"
#include "input/calc_run.h"
#include "input/units/safe_file.h"
#include "input/units/text.h"
#include "input/zub_file.h"
#include "reports/report_text.h"

namespace pelmora {

namespace {

constexpr int kFeet = 0, kInches = 2;
constexpr int kFirstSizeRow = 2, kLastSizeRow = 14;  // 1 in to 12 in
constexpr std::array<double, 11> kVelocities{1, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50};  // ft/s
constexpr double kSteelRoughnessIn = 0.004;
constexpr int kCell = 8;
const TUnitSet kReportUnits{kFeet, kInches, kFeet, 0, 0, 0, 5, 3};  // ft, in, psi, gpm

// The database's two fitting switches are shared by everybody: they are put back afterwards.
class TFittingSwitchesGuard {
 public:
  explicit TFittingSwitchesGuard(TMaterials& materials)
      : FMaterials(materials), FMaterialFittings(materials.MaterialFittings), FUseFittingK(materials.UseFittingK) {}
  ~TFittingSwitchesGuard() {
    FMaterials.MaterialFittings = FMaterialFittings;
    FMaterials.UseFittingK = FUseFittingK;
  }
  TFittingSwitchesGuard(const TFittingSwitchesGuard&) = delete;
  TFittingSwitchesGuard& operator=(const TFittingSwitchesGuard&) = delete;

 private:
  TMaterials& FMaterials;
  bool FMaterialFittings, FUseFittingK;
};

std::string Cell(const std::string& text) { return CenterText(text, kCell); }

// The values read from pipe 1 of the four calculations of one velocity.
struct TComparison {
  double EqvL = 0, K = 0, LPf1 = 0, KPf1 = 0, LPf2 = 0, KPf2 = 0;
  double ActualL = 0, Reynolds = 0, FrictionFactor = 0;
};

std::string Percent(double ratio) { return FormatFloat("0.0", (ratio - 1) * 100) + "%"; }

std::string ComparisonCells(const TComparison& c) {
  return Cell(FormatFloat("0.#", c.EqvL)) + Cell(FormatFloat("0.0##", c.K)) + Cell(FormatFloat("0.000", c.LPf1)) +
         Cell(FormatFloat("0.000", c.KPf1)) + Cell(Percent(c.LPf1 / c.KPf1)) + Cell(FormatFloat("0.000", c.LPf2)) +
         Cell(FormatFloat("0.000", c.KPf2)) + Cell(FormatFloat("0.000", c.ActualL)) +
         Cell(Percent(c.EqvL / c.ActualL)) + " " + Cell(FormatFloat("0", c.Reynolds)) + " " +
         Cell(FormatFloat("0.00##", c.FrictionFactor));
}

class TFittingReportBuilder {
 public:
  TFittingReportBuilder(const TZubFile& project, TMaterials& materials, const TFittingReportChoice& choice)
      : FMaterials(materials), FChoice(choice) {
    if (materials.Materials.empty()) throw TFittingReportError("The materials database holds no pipe material.");
    CheckLiquid(choice.Liquid1, true);
    CheckLiquid(choice.Liquid2, false);
    FModel.FMaterials = &materials;
    FModel.Units = kReportUnits;
    FModel.UseVelocity = project.UseVelocity;
    FModel.Gravity13D = project.Gravity13D;
    FModel.MaterialFittings = project.MaterialFittings;
    FModel.SourceCalc = false;
    FModel.HeadArea = false;
    FHeading = {std::string(48, ' ') + CenterText(LiquidName(choice.Liquid1), 24) +
                    CenterText(LiquidName(choice.Liquid2), 32),
                HeadingColumns()};
  }

  std::vector<std::string> Build() {
    AddHead();
    AddFrictionFactorTable();
    const TMaterialObject& steel = FMaterials.Materials.front();
    for (const TFitting& fitting : steel.Fittings)
      for (int row = kFirstSizeRow; row <= kLastSizeRow; ++row) AddFittingSize(fitting.Code, row, steel.IdUS[row]);
    if (EndsWithHeading()) FReport.resize(FReport.size() - 4);
    return std::move(FReport);
  }

 private:
  void CheckLiquid(int index, bool hazenAllowed) const {
    const bool valid = (hazenAllowed && index == kHazenWilliamsLiquid) ||
                       (index >= 0 && index < static_cast<int>(FMaterials.Liquids.size()));
    if (!valid) throw TFittingReportError("Liquid #" + std::to_string(index) + " is not in the materials database.");
  }

  std::string LiquidName(int index) const {
    return index == kHazenWilliamsLiquid ? "Hazen-Williams" : FMaterials.Liquids[static_cast<size_t>(index)].Name;
  }

  static std::string HeadingColumns() {
    std::string line;
    for (const char* title : {"Size", "Code", "V", "Q", "Eqv L", "K", "L-Pf", "K-Pf", "Error", "L-Pf", "K-Pf",
                              "Actual-L", " Error"})
      line += Cell(title);
    return line + " " + Cell("Re") + " " + Cell(" f");
  }

  void AddHead() {
    const std::string length = LengthWord(kReportUnits.Length, false);
    const std::string pressure = PressureWord(kReportUnits.Pressure);
    FReport = {
        "Equivalent length pressure loss calculated with Darcy-Weisbach equation.",
        "Darcy-Weisbach liquid is " + LiquidName(FChoice.Liquid2),
        "",
        "Heading definitions:",
        "    Size: nominal size",
        "    Code: Pelmora fitting code used for calculation",
        "       V: water velocity (" + length + "/s)",
        "       Q: water flow rate (" + FlowWord(kReportUnits.Flow) + ")",
        "   Eqv L: NFPA 13 equivalent length (" + length + ")",
        "       K: fitting loss coefficient (unitless)",
        "    L-Pf: pressure loss for equivalent length (" + pressure + ")",
        "    K-Pf: pressure loss for fitting loss coefficient (" + pressure + ")",
        "   Error: error of L-Pf as compared to K-Pf",
        "Actual-L: equivalent length calculated from K-Pf value (" + length + ")",
        "      Re: Reynolds number",
        "       f: Darcy friction factor",
        "",
        std::string(72, '='),
        "",
        "",
    };
  }

  void AddFrictionFactorTable() {
    FReport.push_back("Friction factor at point of complete turbulence (sch 40 steel e=0.004\"");
    FReport.push_back(std::string(47, '='));
    const TMaterialObject& steel = FMaterials.Materials.front();
    for (size_t row = 0; row < NominalSizes().size(); ++row) {
      const double diameter = steel.IdUS[row];
      if (diameter > 0)
        FReport.push_back(PadRightText(NominalSizes()[row].InchLabel, kCell) +
                          FormatFloat("0.#####", TurbulentFrictionFactor(kSteelRoughnessIn, diameter)));
    }
    FReport.insert(FReport.end(), {"", ""});
  }

  bool EndsWithHeading() const {
    return FReport.size() >= 2 && SameText(FReport[FReport.size() - 2], FHeading[1]);
  }

  // A fitting enters the report at a size only where it has both an equivalent length and a K.
  bool HasLengthAndK(const std::string& code, double size) const {
    const std::string material = FMaterials.Materials.front().Code;
    FMaterials.UseFittingK = true;
    const bool hasK = FMaterials.FittingLoss(code, material, kFeet, kInches, 120, size) < 0;
    FMaterials.UseFittingK = false;
    return hasK && FMaterials.FittingLoss(code, material, kFeet, kInches, 120, size) > 0;
  }

  void AddFittingSize(const std::string& code, int row, double diameter) {
    if (!EndsWithHeading()) {
      FReport.push_back("");
      FReport.insert(FReport.end(), FHeading.begin(), FHeading.end());
      FReport.push_back(std::string(FHeading[1].size(), '-'));
    }
    const TNominalSize& size = NominalSizes()[static_cast<size_t>(row)];
    FMaterials.MaterialFittings = FModel.MaterialFittings;
    if (!HasLengthAndK(code, size.Inch)) return;
    for (double velocity : kVelocities) {
      const double flow = diameter * diameter * velocity * 180 * std::numbers::pi / 231;  // gpm from ft/s and in
      const std::vector<std::string> model{"P 1 1 2 0 " + FormatGeneral(size.Inch) + " " + code, "W 1 0 100",
                                           "N 2 0 " + FormatGeneral(flow)};
      FReport.push_back(Cell(size.InchLabel) + Cell(code) + Cell(FormatGeneral(velocity)) +
                        Cell(FormatFloat("0.00", flow)) + ComparisonCells(Compare(model)));
    }
  }

  TComparison Compare(const std::vector<std::string>& model) {
    TComparison c;
    const TPipe a = Calculate(model, FChoice.Liquid1, false);
    const TPipe b = Calculate(model, FChoice.Liquid1, true);
    const TPipe lengthPipe = Calculate(model, FChoice.Liquid2, false);
    const TPipe kPipe = Calculate(model, FChoice.Liquid2, true);
    c.EqvL = a.FittingLength;
    c.LPf1 = a.FrictionLoss;
    c.K = b.FittingK;
    c.KPf1 = b.FrictionLoss;
    c.LPf2 = lengthPipe.FrictionLoss;
    c.KPf2 = kPipe.FrictionLoss;
    c.ActualL = kPipe.FittingK * kPipe.InsideDiameter / (kPipe.FrictionFactor * 12);
    c.Reynolds = kPipe.Reynolds;
    c.FrictionFactor = kPipe.FrictionFactor;
    return c;
  }

  // Hazen-Williams for the Hazen-Williams choice, otherwise Colebrook with the chosen liquid.
  TPipe Calculate(const std::vector<std::string>& model, int liquid, bool useFittingK) {
    FModel.FrictionFormula = liquid == kHazenWilliamsLiquid ? 0 : 2;
    if (liquid != kHazenWilliamsLiquid) FModel.Liquid = FMaterials.Liquids[static_cast<size_t>(liquid)];
    FModel.UseFittingK = useFittingK;
    const TRunResult run = Run(model, FModel);
    const TPipe* pipe = run.Engine ? run.Engine->FindPipe("1") : nullptr;
    if (!run.Success || pipe == nullptr) {
      const std::string reason = run.Messages.empty() ? "no solution" : run.Messages.front();
      throw TFittingReportError("The test model \"" + model.front() + "\" could not be calculated: " + reason);
    }
    return *pipe;
  }

  TMaterials& FMaterials;
  const TFittingReportChoice FChoice;
  TZubFile FModel;  // the test models' own project
  std::array<std::string, 2> FHeading;
  std::vector<std::string> FReport;
};

void SetMessage(std::string* message, const std::string& text) {
  if (message) *message = text;
}

}  // namespace

TFittingReportChoice DefaultFittingReportChoice(const TMaterials& materials) {
  TFittingReportChoice choice;
  const int last = static_cast<int>(materials.Liquids.size()) - 1;
  choice.Liquid1 = std::min(choice.Liquid1, last);
  choice.Liquid2 = std::min(choice.Liquid2, last);
  return choice;
}

std::vector<std::string> BuildFittingReport(const TZubFile& project, TMaterials& materials,
                                            const TFittingReportChoice& choice) {
  TFittingSwitchesGuard guard(materials);
  return TFittingReportBuilder(project, materials, choice).Build();
}

bool WriteFittingReport(const TZubFile& project, TMaterials& materials, const TFittingReportChoice& choice,
                        const std::string& fileName, std::string* message) {
  std::vector<std::string> lines;
  try {
    lines = BuildFittingReport(project, materials, choice);
  } catch (const std::exception& error) {
    SetMessage(message, error.what());
    return false;
  }
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  try {
    WriteFileSafely(fileName, bytes);
  } catch (const std::exception& error) {
    SetMessage(message, error.what());
    return false;
  }
  return true;
}

}  // namespace pelmora
