#include <iostream>
#include <stdexcept>

#include "app/app_commands.h"
#include "app/command_file.h"
#include "app/json_output.h"
#include "input/calc_run.h"
#include "input/zub_file.h"
#include "input/zub_file_io_disk.h"
#include "reports/text_report.h"

namespace pelmora {

namespace {

std::string SummaryLine(const TRunResult& result, const TZubFile& project) {
  const TCalcEngine& engine = *result.Engine;
  if (!result.Success) {
    const size_t errors = engine.FErrors.size();
    return "Calculation failed: " + std::to_string(errors) + (errors == 1 ? " error." : " errors.");
  }
  const TUnitSet& units = project.Units;
  const std::string psi = " " + PressureWord(units.Pressure);
  std::string line = "Calculation succeeded: safety margin " + FormatPressure(units.Pressure, engine.FMargin) + psi +
                     ", required " + FormatPressure(units.Pressure, engine.FRequiredPressure) + psi;
  if (engine.FInputNode) line += " at " + engine.FInputNode->Name;
  return line + ", " + FormatFlow(engine.FDemandFlow) + " " + FlowWord(units.Flow) + " demand";
}

}  // namespace

int CalcCommand(const std::string& fileName, const std::string& jsonTarget, const std::string& reportFile,
                std::ostream& out, std::ostream& err) {
  TZubFile project;
  std::vector<std::string> lines;
  if (!ReadCommandFile(fileName, project, lines, err)) return kExitUnusable;
  const TRunResult result = Run(lines, project);
  // With the JSON on standard output the readable lines go to the error stream.
  std::ostream& text = jsonTarget == "-" ? err : out;
  for (const std::string& message : result.Messages) text << message << "\n";
  text << SummaryLine(result, project) << "\n";
  if (!jsonTarget.empty()) {
    const std::string json = RunToJson(*result.Engine, result.Success, project).dump(2) + "\n";
    if (jsonTarget == "-") {
      out << json;
    } else {
      try {
        WriteFileSafely(jsonTarget, json);
      } catch (const std::exception& error) {
        err << "pelmora: " << error.what() << "\n";
        return kExitUnusable;
      }
    }
  }
  if (!reportFile.empty()) {
    if (!result.Success) {
      err << "pelmora: no report written: the calculation of " << fileName << " did not succeed\n";
      return kExitProblems;
    }
    const TReportOptions options;
    const TReportContext context{*result.Engine, project, *project.FMaterials, options,
                                 EquivKCalculations(project), ""};
    std::string message;
    if (!WriteTextReport(context, reportFile, &message)) {
      err << "pelmora: cannot write the report " << reportFile << ": " << message << "\n";
      return kExitProblems;
    }
  }
  return result.Success ? kExitSuccess : kExitProblems;
}

}  // namespace pelmora
