#include "reports/node_table.h"

#include <algorithm>
#include <cmath>

#include "input/units/text.h"
#include "reports/report_text.h"

namespace pelmora {

namespace {

constexpr int kCell = 8;
constexpr int kLitresPerMinute = 1;  // flow code
constexpr int kMillimetre = 3;       // length code; 1 mm/min is 1 L/min per square metre
constexpr int kMetre = 5;            // length code
const std::string kBlankCell(kCell, ' ');
const std::string kBlankAreaCells(3 * (kCell + 1), ' ');

bool PnColumn(const TReportContext& context) { return context.VelocityPressures() && context.Options.RepNodePn; }
bool PvColumn(const TReportContext& context) { return context.VelocityPressures() && context.Options.RepNodePv; }

std::string TypeText(const TNode& node) {
  switch (node.Kind) {
    case nkHead: return "K=" + Trim(FormatReportValue(node.KFactor, 6, 2));
    case nkWater: return "source";
    default: return "ref";
  }
}

std::string NotesText(const TReportContext& context, const TNode& node) {
  std::string notes;
  if (context.Options.RepNoteNode && !node.Comment.empty()) notes += node.Comment.substr(0, 12) + " ";
  if (context.VelocityPressures() && node.Kind == nkHead) {
    if (!PnColumn(context))
      notes += "Pn=" + Trim(context.Num(node.Pressure - node.VelocityPressure, 8, 3, 1)) + " ";
    if (!PvColumn(context)) notes += "Pv=" + Trim(context.Num(node.VelocityPressure, 8, 3, 1)) + " ";
  }
  if (!node.KReference.empty()) notes += "EquivK_\"" + node.KReference + "\"= " + FormatFloat("0.0#", node.KFactor);
  return Trim(notes);
}

// Square metres to the square of the head-area unit.
double FromSquareMetres(double area, int areaUnit) {
  if (areaUnit == kMetre) return area;
  const double side = ConvertLength(std::sqrt(area), kMetre, areaUnit);
  return side * side;
}

double ToSquareMetres(double area, int areaUnit) {
  if (areaUnit == kMetre) return area;
  const double side = ConvertLength(std::sqrt(area), areaUnit, kMetre);
  return side * side;
}

}  // namespace

double AreaPerHead(const TNode& head, const TUnitSet& units) {
  return FromSquareMetres(ConvertFlow(head.MinFlow, units.Flow, kLitresPerMinute) / head.Density, units.HeadArea);
}

double RequiredDensity(const TNode& head, const TUnitSet& units) {
  return ConvertLength(head.Density, kMillimetre, units.Density);
}

double AverageDensity(double totalFlow, double totalArea, const TUnitSet& units) {
  if (totalArea == 0) return 0;
  const double millimetresPerMinute =
      ConvertFlow(totalFlow, units.Flow, kLitresPerMinute) / ToSquareMetres(totalArea, units.HeadArea);
  return ConvertLength(millimetresPerMinute, kMillimetre, units.Density);
}

std::vector<std::string> BuildNodeHeader(const TReportContext& context, int notesWidth) {
  const TReportUnits units = context.Units();
  const std::string p = CenterText(Bracketed(units.Pressure), kCell);
  const std::string q = CenterText(Bracketed(units.Flow), kCell);
  std::string top, bottom;
  auto add = [&](const std::string& first, const std::string& second) {
    top += first + " ";
    bottom += second + " ";
  };
  add(kBlankCell, CenterText("Node Tag", kCell));
  add(CenterText("Elev", kCell), CenterText(Bracketed(units.Elevation), kCell));
  add(kBlankCell, CenterText("Type", kCell));
  add(CenterText("Pressure", kCell), p);
  if (PnColumn(context)) add(CenterText("Pn", kCell), p);
  if (PvColumn(context)) add(CenterText("Pv", kCell), p);
  if (context.Options.RepNodeMinQ) add(CenterText("ReqDisch", kCell), q);
  top += "Discharge";
  bottom += q + " ";
  if (context.HeadAreaMode()) {
    const std::string density = CenterText("[" + units.Density + "/min]", kCell);
    add(CenterText("Area", kCell), CenterText("[sq." + units.HeadArea + "]", kCell));
    add("Req Dens", density);
    add(CenterText("Density", kCell), density);
  }
  if (notesWidth > 0) add(std::string(static_cast<size_t>(notesWidth), ' '), CenterText("Notes", notesWidth));
  return {top, bottom};
}

std::string BuildNodeLine(const TReportContext& context, const TNode& node) {
  const bool head = node.Kind == nkHead;
  const double normalPressure = node.Pressure - node.VelocityPressure;
  std::string line;
  auto add = [&line](const std::string& cell) { line += cell + " "; };
  add(CenterText(node.Name, kCell));
  add(context.Num(node.Elevation, kCell, 3));
  add(CenterText(TypeText(node), kCell));
  add(context.Num(node.Pressure, kCell, 3, 1));
  if (PnColumn(context)) add(head ? context.Num(normalPressure, kCell, 3, 1) : kBlankCell);
  if (PvColumn(context)) add(head ? context.Num(node.VelocityPressure, kCell, 3, 1) : kBlankCell);
  if (context.Options.RepNodeMinQ) add(node.MinFlow > 0 ? context.Num(node.MinFlow, kCell, 3, 2) : kBlankCell);
  add(context.Num(node.Flow, kCell, 3, 2));
  if (context.HeadAreaMode()) {
    if (head) {
      const TUnitSet& units = context.Engine.FInputUnits;
      const double density = RequiredDensity(node, units);
      add(context.Num(AreaPerHead(node, units), kCell, 3));
      add(context.Num(density, kCell, 3));
      add(context.Num(density * node.Flow / node.MinFlow, kCell, 3));
    } else {
      line += kBlankAreaCells;
    }
  }
  return line + NotesText(context, node);
}

int NodeNotesWidth(const TReportContext& context, const std::vector<std::string>& rows) {
  const int headerWidth = static_cast<int>(BuildNodeHeader(context, 0)[0].size());
  int width = 8;
  for (const std::string& row : rows) width = std::max(width, static_cast<int>(row.size()) - headerWidth);
  return width;
}

}  // namespace pelmora
