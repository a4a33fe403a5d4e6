#include "reports/report_sections.h"

#include "reports/node_table.h"
#include "reports/pipe_table.h"
#include "reports/report_text.h"

namespace pelmora {

namespace {

void Append(std::vector<std::string>& lines, const std::vector<std::string>& more) {
  lines.insert(lines.end(), more.begin(), more.end());
}

std::string RemoteHeadsTitle(size_t count) {
  static const char* const kCounts[] = {"Heads", "Head", "Two Heads", "Three Heads", "Four Heads"};
  return std::string("Most Hydraulically Remote ") + kCounts[count <= 4 ? count : 0];
}

// Title lines, the header with a notes column wide enough for every block, then the blocks
// each closed by a rule.
std::vector<std::string> PipeTable(const TReportContext& context, const std::vector<std::string>& titles) {
  std::vector<std::vector<std::string>> blocks;
  const TCalcEngine& engine = context.Engine;
  for (size_t i = 1; i < engine.FPipes.size(); ++i) blocks.push_back(BuildPipeBlock(context, *engine.FPipes[i], "", false));
  const std::vector<std::string> header = BuildPipeHeader(context, PipeNotesWidth(context, blocks));
  const int width = static_cast<int>(header[0].size());
  std::vector<std::string> lines{"", ""};
  for (const std::string& title : titles) lines.push_back(CenterText(title, width));
  lines.push_back("");
  Append(lines, header);
  lines.push_back(std::string(static_cast<size_t>(width), '='));
  for (const auto& block : blocks) {
    Append(lines, block);
    lines.push_back(std::string(static_cast<size_t>(width), '-'));
  }
  return lines;
}

}  // namespace

std::vector<std::string> BuildRemoteHeadsSection(const TReportContext& context) {
  const TCalcEngine& engine = context.Engine;
  const TUnitSet& unitSet = engine.FInputUnits;
  const TReportUnits units = context.Units();
  const std::vector<std::string>& names = context.Project.FFourHeads;
  std::vector<std::string> rows;
  double totalArea = 0, totalFlow = 0;
  for (const std::string& name : names) {
    const TNode* head = engine.FindNode(name);
    if (head == nullptr || head->Kind != nkHead) continue;
    rows.push_back(BuildNodeLine(context, *head));
    totalArea += AreaPerHead(*head, unitSet);
    totalFlow += head->Flow;
  }
  const std::vector<std::string> header = BuildNodeHeader(context, NodeNotesWidth(context, rows));
  const int width = static_cast<int>(header[0].size());
  const std::string title = RemoteHeadsTitle(names.size());
  const std::string rule(static_cast<size_t>(width), '=');
  std::vector<std::string> lines{"", "", CenterText(title, width), CenterText(std::string(title.size(), '-'), width), ""};
  Append(lines, header);
  lines.push_back(rule);
  Append(lines, rows);
  lines.push_back(rule);
  lines.push_back(CenterText("Total Area = " + FormatFloat("0.0#", totalArea) + " sq." + units.HeadArea, width));
  lines.push_back(CenterText("Total Flow = " + FormatFloat("0.00#", totalFlow) + " " + units.Flow, width));
  lines.push_back(CenterText("Average Density = " + FormatFloat("0.0##", AverageDensity(totalFlow, totalArea, unitSet)) +
                                 " " + units.Density + "/min",
                             width));
  return lines;
}

std::vector<std::string> BuildNodeAnalysisSection(const TReportContext& context) {
  const TCalcEngine& engine = context.Engine;
  std::vector<std::string> rows;
  for (size_t i = 1; i < engine.FNodes.size(); ++i) rows.push_back(BuildNodeLine(context, *engine.FNodes[i]));
  const std::vector<std::string> header = BuildNodeHeader(context, NodeNotesWidth(context, rows));
  const int width = static_cast<int>(header[0].size());
  std::vector<std::string> lines{CenterText("Node Analysis", width), CenterText("-------------", width), ""};
  Append(lines, header);
  lines.push_back(std::string(static_cast<size_t>(width), '='));
  Append(lines, rows);
  return lines;
}

std::vector<std::string> BuildPipeInformationSection(const TReportContext& context) {
  return PipeTable(context, {"Pipe Information", "----------------"});
}

std::vector<std::string> BuildEquivKPipeSection(const TReportContext& context, const TEquivKCalculation& calculation) {
  const TReportContext own = context.ForEngine(*calculation.Engine);
  const TEquivKFile& definition = *calculation.Definition;
  const TReportUnits units = own.Units();
  const std::string title = "\"" + definition.Code + "\" Equivalent K-factor Calculation";
  const std::string kFactor = "K = " + FormatFloat("0.0#", own.Engine.FSourceFlow) + " " + units.Flow + " " +
                              "/ SquareRoot(" + FormatFloat("0.0#", own.Engine.FRequiredPressure) + " " +
                              units.Pressure + ") = " + FormatFloat("0.0#", definition.GetK()) + " " + units.KFactor;
  return PipeTable(own, {title, std::string(title.size(), '-'), definition.Description, kFactor});
}

}  // namespace pelmora
