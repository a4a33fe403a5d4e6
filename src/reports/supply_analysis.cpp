#include "reports/supply_analysis.h"

#include <stdexcept>

#include "reports/report_text.h"

namespace pelmora {

namespace {

constexpr int kCell = 10;
const std::string kBlankCell(kCell, ' ');

std::string JoinCells(const std::vector<std::string>& cells) {
  std::string line;
  for (const std::string& cell : cells) line += (line.empty() ? "" : " ") + CenterText(cell, kCell);
  return line;
}

std::vector<std::string> HeaderLines(const TReportUnits& units) {
  const std::string gap(kCell + 1, ' ');
  const std::string p = Bracketed(units.Pressure), q = Bracketed(units.Flow);
  const std::string first = gap + JoinCells({"Static", "Residual"}) + " " + gap + JoinCells({"Available", "Total", "Required"});
  return {first,
          JoinCells({"Node at", "Pressure", "Pressure", "Flow", "Pressure", "Demand", "Pressure"}),
          gap + JoinCells({p, p, q, p, q, p}),
          std::string(first.size(), '=')};
}

std::string SourceLine(const TCalcEngine& engine, const TNode& source) {
  const TSpecial* curve = source.Supply;
  if (curve == nullptr || curve->Pressures.empty()) throw std::runtime_error("water source without a supply curve");
  const bool residual = curve->Pressures.size() > 1 && curve->Flows.size() > 1;
  return JoinCells({source.Name, FormatFloat("0.0#", curve->Pressures[0]),
                    residual ? FormatFloat("0.0#", curve->Pressures[1]) : kBlankCell,
                    residual ? FormatFloat("0.0#", curve->Flows[1]) : kBlankCell,
                    FormatFloat("0.0#", source.Pressure + engine.FMargin), FormatFloat("0.0#", -source.Flow),
                    FormatFloat("0.0#", source.Pressure)});
}

}  // namespace

std::vector<std::string> BuildSupplyAnalysis(const TReportContext& context) {
  std::vector<std::string> lines = HeaderLines(context.Units());
  try {
    const std::vector<const TNode*> sources = WaterSources(context.Engine);
    double totalFlow = 0;
    for (const TNode* source : sources) {
      lines.push_back(SourceLine(context.Engine, *source));
      totalFlow -= source->Flow;
    }
    if (sources.size() > 1) lines.push_back("total flow all water supplies = " + FormatFloat("0.0#", totalFlow));
  } catch (const std::exception&) {
    lines.push_back("Error");
  }
  return lines;
}

}  // namespace pelmora
