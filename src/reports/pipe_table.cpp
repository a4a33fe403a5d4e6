#include "reports/pipe_table.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "input/units/text.h"
#include "reports/report_text.h"

namespace pelmora {

namespace {

constexpr int kFittingCell = 12;
constexpr size_t kFittingRows = 3;  // fittings beyond the third get rows of their own

std::string Blank(int width) { return std::string(static_cast<size_t>(width), ' '); }

bool SummaryLayout(const TReportContext& context) { return context.Options.RepPipePressureSummary; }

bool VelocityColumn(const TReportContext& context) {
  return context.Options.RepPipeVelocity && context.VelocityPressures() && !SummaryLayout(context);
}

bool DarcyColumn(const TReportContext& context) { return context.Options.RepPipeDarcy && context.DarcyWeisbach(); }

// Colebrook and Serghide take an absolute roughness in place of the C-factor.
bool ShowsRoughness(const TReportContext& context, const TPipe& pipe) {
  return (context.Engine.FFrictionMethod == 2 || context.Engine.FFrictionMethod == 3) && !pipe.HazenPipe;
}

std::string KNote(const TReportContext& context, const TNode& node) {
  return "K=" + FormatFloat("0.##", node.KFactor) + " " + context.Units().KFactor;
}

std::string EquivKNote(const TNode& node) {
  return "EquivK_\"" + node.KReference + "\"= " + FormatFloat("0.##", node.KFactor);
}

std::string FittingCell(const TPipe& pipe, size_t index) {
  std::string code = UpperCase(pipe.Fittings[index]);
  if (!code.empty() && code[0] >= 'A' && code[0] <= 'Z') code = "1" + code;
  const double k = index < pipe.FittingKs.size() ? pipe.FittingKs[index] : 0;
  const double length = index < pipe.FittingLengths.size() ? pipe.FittingLengths[index] : 0;
  const int codeLength = static_cast<int>(code.size());
  const std::string cell = k > 0 ? code + ":K=" + Trim(FormatReportValue(k, 9 - codeLength, 3))
                                 : code + "=" + Trim(FormatReportValue(length, 11 - codeLength, 3));
  return CenterText(cell, kFittingCell);
}

// Notes go one per row from row 0 on; rows are added as needed, W characters wide.
class NotePlacer {
 public:
  explicit NotePlacer(std::vector<std::string>& rows) : FRows(rows), FWidth(rows[0].size()) {}
  size_t Next() const { return FNext; }
  void RaiseTo(size_t row) { FNext = std::max(FNext, row); }
  // padded notes start at the block width on a shorter (fitting overflow) row; a note that
  // does not count leaves the row free for the next one.
  void Place(const std::string& text, bool padded, bool counted = true) {
    while (FRows.size() <= FNext) FRows.push_back(std::string(FWidth, ' '));
    std::string& row = FRows[FNext];
    if (padded && row.size() < FWidth) row.resize(FWidth, ' ');
    row += text;
    if (counted) ++FNext;
  }

 private:
  std::vector<std::string>& FRows;
  size_t FWidth;
  size_t FNext = 0;
};

class PipeBlock {
 public:
  PipeBlock(const TReportContext& context, const TPipe& pipe, const std::string& pathLabel, bool reversed)
      : FContext(context),
        FOptions(context.Options),
        FUnits(context.Units()),
        FPipe(pipe),
        FPathLabel(pathLabel),
        FFirst(reversed ? *pipe.ToNode : *pipe.FromNode),
        FSecond(reversed ? *pipe.FromNode : *pipe.ToNode),
        FSign(reversed ? -1 : 1) {}

  std::vector<std::string> Build() {
    AddNames();
    if (FOptions.RepPipeElev) AddElevations();
    if (IsPumpPipe(FPipe)) {
      AddPumpTexts();
      return {FRows.begin(), FRows.end()};
    }
    if (FOptions.RepPipeKFactor) AddKFactors();
    AddFlows();
    AddSize();
    AddFittings();
    AddLengths();
    AddMaterial();
    if (SummaryLayout(FContext))
      AddPressureSummary();
    else
      AddPlainPressures();
    if (VelocityColumn(FContext)) AddVelocity();
    if (DarcyColumn(FContext)) AddDarcy();
    std::vector<std::string> rows(FRows.begin(), FRows.end());
    rows.insert(rows.end(), FOverflow.begin(), FOverflow.end());
    AddNotes(rows);
    return rows;
  }

 private:
  const TReportContext& FContext;
  const TReportOptions& FOptions;
  const TReportUnits FUnits;
  const TPipe& FPipe;
  const std::string& FPathLabel;
  const TNode& FFirst;
  const TNode& FSecond;
  const int FSign;
  std::array<std::string, 3> FRows;
  std::vector<std::string> FOverflow;

  double Pe() const { return FSign * FPipe.ElevationLoss; }
  double Pdev() const { return FSign * FPipe.DeviceLoss; }

  void AddRaw(const std::string& first, const std::string& pipe, const std::string& second) {
    FRows[0] += first;
    FRows[1] += pipe;
    FRows[2] += second;
  }
  void Add(const std::string& first, const std::string& pipe, const std::string& second) {
    AddRaw(first + " ", pipe + " ", second + " ");
  }

  void AddNames() {
    if (FOptions.RepPipeNames)
      AddRaw(PadLeftText(FFirst.Name, 10) + " ", PadRightText(FPipe.Name, 11), PadLeftText(FSecond.Name, 10) + " ");
    else
      AddRaw(PadRightText(FFirst.Name, 9), Blank(9), PadRightText(FSecond.Name, 9));
  }

  void AddElevations() {
    Add(FContext.Num(FFirst.Elevation, 8, 3), Blank(8), FContext.Num(FSecond.Elevation, 8, 3));
  }

  std::string KCell(const TNode& node) const {
    return node.Kind == nkHead ? CenterText(FormatFloat("0.##", node.KFactor), 6) : Blank(6);
  }

  void AddKFactors() { Add(KCell(FFirst), Blank(6), FOptions.RepPipeBothQ ? KCell(FSecond) : Blank(6)); }

  void AddFlows() {
    Add("q=" + FContext.Num(FFirst.Flow, 8, 3, 2), "Q=" + FContext.Num(FPipe.Flow, 8, 3, 2),
        FOptions.RepPipeBothQ ? "q=" + FContext.Num(FSecond.Flow, 8, 3, 2) : Blank(10));
  }

  void AddSize() {
    Add(CenterText(FormatFloat("0.###", FPipe.NominalSize), 6), CenterText(FormatFloat("0.###", FPipe.InsideDiameter), 6),
        Blank(6));
  }

  void AddFittings() {
    const size_t indent = FRows[0].size();
    for (size_t i = 0; i < kFittingRows; ++i) {
      const std::string cell = i < FPipe.Fittings.size() ? FittingCell(FPipe, i) : Blank(kFittingCell);
      FRows[i] += cell + " ";
    }
    for (size_t i = kFittingRows; i < FPipe.Fittings.size(); ++i)
      FOverflow.push_back(std::string(indent, ' ') + FittingCell(FPipe, i));
  }

  void AddLengths() {
    Add(FContext.Num(FPipe.Length, 8, 3), FContext.Num(FPipe.FittingLength, 8, 3), FContext.Num(FPipe.TotalLength, 8, 3));
  }

  void AddMaterial() {
    const std::string friction = ShowsRoughness(FContext, FPipe)
                                     ? FormatFloat("0.###E-", FPipe.CFactor)
                                     : "C=" + std::to_string(static_cast<long long>(std::trunc(FPipe.CFactor)));
    const std::string lossPerLength =
        FPipe.TotalLength != 0 ? CenterText(FormatFloat("0.###", std::abs(FPipe.FrictionLoss / FPipe.TotalLength)), 8)
                               : Blank(8);
    Add(FOptions.RepPipeMaterial ? CenterText(FPipe.Material, 8) : Blank(8), CenterText(friction, 8), lossPerLength);
  }

  // In head-area mode the designer reads the height difference instead of its pressure.
  std::string PeText() const {
    if (!FContext.HeadAreaMode()) return FContext.Num(Pe(), 7, 3, 1);
    const std::string word = LowerCase(FUnits.Elevation);
    return FContext.Num(FSecond.Elevation - FFirst.Elevation, 7 - static_cast<int>(word.size()), 3) + word;
  }

  std::string VelocityText() const {
    const std::string word = LowerCase(FUnits.Length) + "/s";
    return FContext.Num(std::abs(FPipe.Velocity), 8 - static_cast<int>(word.size()), 2) + word;
  }

  void AddPlainPressures() {
    Add("Pt=" + FContext.Num(FFirst.Pressure, 7, 3, 1), "Pe=" + PeText(),
        "Pf=" + FContext.Num(FSign * FPipe.FrictionLoss, 7, 3, 1));
  }

  void AddPressureSummary() {
    Add("Pt=" + FContext.Num(FFirst.Pressure, 7, 3, 1) + " Pe=" + PeText(),
        "Pf=" + FContext.Num(-FPipe.FrictionLoss, 7, 3, 1) + " Pv=" + FContext.Num(FPipe.VelocityPressure, 7, 3, 1),
        "Pt=" + FContext.Num(FSecond.Pressure, 7, 3, 1) + " V=" + VelocityText());
  }

  void AddVelocity() {
    Add("Pv=" + FContext.Num(FPipe.VelocityPressure, 5, 3, 1), "V=" + FContext.Num(std::abs(FPipe.Velocity), 6, 3),
        Blank(8));
  }

  void AddDarcy() {
    if (FPipe.HazenPipe)
      Add(Blank(10), Blank(10), Blank(10));
    else
      Add("f=" + FContext.Num(FPipe.FrictionFactor, 8, 6), "Re=" + FContext.Num(FPipe.Reynolds, 7, 2), Blank(10));
  }

  // The pump's suction side is its inlet while water runs from its first node to its second.
  std::string PumpSideText(const TNode& node) const {
    const bool inlet = (&node == FPipe.FromNode) == (FPipe.Flow >= 0);
    return "   Pump " + std::string(inlet ? "inlet " : "outlet") + " pressure = " + FContext.Num(node.Pressure, 8, 3, 1) +
           " " + FUnits.Pressure;
  }

  void AddPumpTexts() {
    // The device loss of a pump is its curve pressure at the pipe flow, signed with the flow.
    const double gain = FPipe.Flow < 0 ? FPipe.DeviceLoss : -FPipe.DeviceLoss;
    AddRaw(PumpSideText(FFirst), "   Net gain across pump = " + FContext.Num(gain, 8, 3, 1) + " " + FUnits.Pressure,
           PumpSideText(FSecond));
  }

  std::vector<std::string> SecondNodeNotes() const {
    std::vector<std::string> notes;
    if (!FOptions.RepPipeKFactor && FSecond.Kind == nkHead) notes.push_back(KNote(FContext, FSecond));
    if (!FSecond.KReference.empty()) notes.push_back(EquivKNote(FSecond));
    return notes;
  }

  void AddNotes(std::vector<std::string>& rows) const {
    NotePlacer notes(rows);
    bool secondNodeNoted = false;
    // Row 2 belongs to the second node: its own notes go there before any later pipe note.
    auto noteSecondNodeOnItsRow = [&] {
      if (notes.Next() != 2 || secondNodeNoted) return;
      secondNodeNoted = true;
      for (const std::string& note : SecondNodeNotes()) notes.Place(note, false);
    };
    auto place = [&](bool wanted, const std::string& text, bool padded) {
      if (wanted) notes.Place(text, padded);
      noteSecondNodeOnItsRow();
    };
    const bool darcy = FContext.DarcyWeisbach();
    const std::string& pressure = FUnits.Pressure;

    if (!FOptions.RepPipeKFactor && FFirst.Kind == nkHead) notes.Place(KNote(FContext, FFirst), false);
    place(!FFirst.KReference.empty(), EquivKNote(FFirst), false);
    place(!FPathLabel.empty(), FPathLabel, false);
    place(FOptions.RepNotePipe && !FPipe.Comment.empty(), FPipe.Comment.substr(0, 12), false);
    place(!FOptions.RepPipeMaterial, "Mat=\"" + FPipe.Material + "\"", false);
    place(darcy && FPipe.HazenPipe, "Hazen-Williams", true);
    place(Pdev() != 0, "Pdev=" + FormatFloat("0.0#", Pdev()) + " " + pressure, true);
    place(!FOptions.RepPipeVelocity && !SummaryLayout(FContext) && FContext.VelocityPressures(),
          "Pv=" + FormatFloat("0.0##", FPipe.VelocityPressure) + " " + pressure, true);
    if (darcy && !FOptions.RepPipeDarcy && !FPipe.HazenPipe) {
      place(true, "f= " + FormatFloat("0.000#####", FPipe.FrictionFactor), true);
      notes.Place("Re=" + FormatFloat("0.0#", FPipe.Reynolds), true, false);
      noteSecondNodeOnItsRow();
    }
    notes.RaiseTo(2);
    noteSecondNodeOnItsRow();
  }
};

}  // namespace

bool IsPumpPipe(const TPipe& pipe) {
  return pipe.NoFriction &&
         std::any_of(pipe.Devices.begin(), pipe.Devices.end(),
                     [](const TSpecial* device) { return device != nullptr && device->Kind == skPump; });
}

std::vector<std::string> BuildPipeHeader(const TReportContext& context, int notesWidth) {
  const TReportOptions& options = context.Options;
  const TReportUnits units = context.Units();
  std::array<std::string, 3> rows;
  auto add = [&rows](const std::string& first, const std::string& second, const std::string& third) {
    rows[0] += first + " ";
    rows[1] += second + " ";
    rows[2] += third + " ";
  };
  auto addCentred = [&add](const std::string& a, const std::string& b, const std::string& c, int width) {
    add(CenterText(a, width), CenterText(b, width), CenterText(c, width));
  };

  if (options.RepPipeNames)
    add(PadLeftText("Node 1", 10), PadRightText("Pipe", 10), PadLeftText("Node 2", 10));
  else
    add(CenterText("Node 1", 8), Blank(8), CenterText("Node 2", 8));
  if (options.RepPipeElev) add(Blank(8), CenterText("Elev", 8), CenterText(Bracketed(units.Elevation), 8));
  if (options.RepPipeKFactor) add(Blank(6), CenterText("K-", 6), "Factor");
  addCentred("Discharge", "& Flow", Bracketed(units.Flow), 10);
  addCentred("Nom", "i.d.", Bracketed(units.Size), 6);
  addCentred("Fittings", context.Project.UseFittingK ? "eqv length/K" : "num & length", Bracketed(units.Length),
             kFittingCell);
  const std::string length = Bracketed(units.Length);
  addCentred("L " + length, "F " + length, "T " + length, 8);
  add(options.RepPipeMaterial ? "material" : Blank(8), "C factor", CenterText(units.Pressure + "/" + units.Length, 8));
  if (SummaryLayout(context))
    addCentred("Pressure", "Summary", Bracketed(units.Pressure), 21);
  else
    addCentred("total (Pt)", "elev (Pe)", "frict (Pf)", 10);
  if (VelocityColumn(context)) addCentred("Pv " + Bracketed(units.Pressure), "velocity", "[" + units.Length + "/s]", 8);
  if (DarcyColumn(context)) {
    rows[0] += "Darcy frict";
    rows[1] += CenterText("factor", 10) + " ";
    rows[2] += "Reynolds # ";
  }
  if (notesWidth > 0) add(Blank(notesWidth), Blank(notesWidth), CenterText("Notes", notesWidth));
  return {rows.begin(), rows.end()};
}

std::vector<std::string> BuildPipeBlock(const TReportContext& context, const TPipe& pipe,
                                        const std::string& pathLabel, bool reversed) {
  return PipeBlock(context, pipe, pathLabel, reversed).Build();
}

int PipeNotesWidth(const TReportContext& context, const std::vector<std::vector<std::string>>& blocks) {
  const int headerWidth = static_cast<int>(BuildPipeHeader(context, 0)[0].size());
  int width = 6;
  for (const auto& block : blocks)
    for (const std::string& row : block) width = std::max(width, static_cast<int>(row.size()) - headerWidth);
  return width;
}

}  // namespace pelmora
