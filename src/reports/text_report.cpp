#include "reports/text_report.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "input/units/safe_file.h"
#include "reports/code_lists.h"
#include "reports/report_check.h"
#include "reports/report_header.h"
#include "reports/report_sections.h"
#include "reports/report_text.h"
#include "reports/supply_analysis.h"

namespace pelmora {

namespace {

constexpr int kPageWidth = 75;
constexpr size_t kCodeListWidth = 20;

void Append(std::vector<std::string>& lines, const std::vector<std::string>& more) {
  lines.insert(lines.end(), more.begin(), more.end());
}

void AppendCodeList(std::vector<std::string>& lines, const std::string& title, const std::vector<std::string>& codes) {
  size_t width = kCodeListWidth;
  for (const std::string& line : codes) width = std::max(width, line.size());
  const int w = static_cast<int>(width);
  Append(lines, {"", "", CenterText(title, w), CenterText(std::string(title.size(), '-'), w)});
  Append(lines, codes);
}

void CheckReportable(const TReportContext& context) {
  for (const TCalcEngine* engine : context.Calculations()) {
    const std::string refusal = ReportRefusal(*engine);
    if (!refusal.empty()) throw TReportError(refusal);
  }
}

void SetMessage(std::string* message, const std::string& text) {
  if (message != nullptr) *message = text;
}

}  // namespace

std::vector<std::string> BuildTextReport(const TReportContext& context) {
  CheckReportable(context);
  std::vector<std::string> lines{CenterText("Hydraulic Calculations", kPageWidth), CenterText("for", kPageWidth), ""};
  Append(lines, WrapReportPairs(BuildReportHeader(context), kPageWidth));

  const std::vector<std::string> supply = BuildSupplyAnalysis(context);
  const int supplyWidth = static_cast<int>(supply[0].size());
  Append(lines, {"", "", CenterText("Supply Analysis", supplyWidth), CenterText("---------------", supplyWidth), ""});
  Append(lines, supply);

  if (context.HeadAreaMode() && !context.Project.FFourHeads.empty()) Append(lines, BuildRemoteHeadsSection(context));
  Append(lines, {"", ""});
  Append(lines, BuildNodeAnalysisSection(context));

  Append(lines, BuildPipeInformationSection(context));
  for (const TEquivKCalculation& calculation : context.EquivK) {
    if (calculation.Engine == nullptr) break;
    Append(lines, BuildEquivKPipeSection(context, calculation));
  }

  AppendCodeList(lines, "Material Codes", BuildMaterialCodes(context));
  AppendCodeList(lines, "Fitting Codes", BuildFittingCodes(context));
  return lines;
}

bool WriteTextReport(const TReportContext& context, std::ostream& out, std::string* message) {
  try {
    for (const std::string& line : BuildTextReport(context)) out << line << "\r\n";
    out.flush();
    if (!out) {
      SetMessage(message, "The report text could not be written.");
      return false;
    }
    return true;
  } catch (const std::exception& error) {
    SetMessage(message, error.what());
    return false;
  }
}

bool WriteTextReport(const TReportContext& context, const std::string& fileName, std::string* message) {
  std::ostringstream out;
  if (!WriteTextReport(context, out, message)) return false;
  try {
    WriteFileSafely(fileName, out.str());
  } catch (const std::exception& error) {
    SetMessage(message, error.what());
    return false;
  }
  return true;
}

}  // namespace pelmora
