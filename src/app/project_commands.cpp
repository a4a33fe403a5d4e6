// The program's commands on projects: unit conversion, expansion, equivalent K, fittings, DXF.
#include <iostream>
#include <stdexcept>

#include "app/app_commands.h"
#include "app/command_file.h"
#include "dxf/dxf_exchange.h"
#include "equivk/equivk_project.h"
#include "input/calc_run.h"
#include "input/convert_text.h"
#include "input/grid_expand_text.h"
#include "input/units/text.h"
#include "input/zub_file.h"
#include "reports/fitting_report.h"

namespace pelmora {

namespace {

bool SaveProject(TZubFile& project, const std::string& fileName, std::ostream& err) {
  try {
    project.SaveToFile(fileName);
    return true;
  } catch (const std::exception& error) {
    err << "pelmora: " << error.what() << "\n";
    return false;
  }
}

// The six codes the ENGLISH and METRIC commands name; head area and density stay.
TUnitSet TargetUnits(const TUnitSet& current, bool metric) {
  const TUnitSet named = metric ? MetricUnits() : EnglishUnits();
  TUnitSet to = current;
  to.Length = named.Length;
  to.Size = named.Size;
  to.Elevation = named.Elevation;
  to.Pressure = named.Pressure;
  to.Flow = named.Flow;
  to.KFactor = named.KFactor;
  return to;
}

}  // namespace

int ConvertCommand(const std::string& fileName, const std::string& unitSystem, const std::string& outFile,
                   std::ostream& out, std::ostream& err) {
  const std::string system = LowerCase(unitSystem);
  if (system != "metric" && system != "us") {
    err << "pelmora: --units must be metric or us\n";
    return kExitUnusable;
  }
  TZubFile project;
  std::vector<std::string> lines;
  if (!ReadCommandFile(fileName, project, lines, err)) return kExitUnusable;
  const TUnitSet from = project.Units;
  ConvertText(project, lines, from, TargetUnits(from, system == "metric"));
  project.Body = lines;
  if (!SaveProject(project, outFile, err)) return kExitUnusable;
  out << "Converted " << fileName << " to " << (system == "metric" ? "metric" : "U.S.") << " units: " << outFile
      << "\n";
  return kExitSuccess;
}

int ExpandCommand(const std::string& fileName, std::ostream& out, std::ostream& err) {
  TZubFile project;
  std::vector<std::string> lines;
  if (!ReadCommandFile(fileName, project, lines, err)) return kExitUnusable;
  TRunResult run = Run(lines, project);
  if (!run.Engine || run.Engine->FErrorCount > 0) {
    for (const std::string& message : run.Messages) err << message << "\n";
    err << "pelmora: " << fileName << " could not be expanded\n";
    return kExitProblems;
  }
  for (const std::string& line : ExpandGridText(project, lines, *run.Engine)) out << line << "\n";
  return kExitSuccess;
}

int EquivKCommand(const std::string& fileName, const std::string& code, std::ostream& out, std::ostream& err) {
  TZubFile project;
  std::vector<std::string> lines;
  if (!ReadCommandFile(fileName, project, lines, err)) return kExitUnusable;
  const std::vector<TEquivKSummary> summaries = SummarizeEquivK(project, code);
  if (summaries.empty()) {
    err << "pelmora: " << fileName
        << (code.empty() ? " has no equivalent-K definitions" : " has no equivalent-K definition " + code) << "\n";
    return kExitProblems;
  }
  for (const std::string& line : EquivKSummaryLines(summaries, project.Units)) out << line << "\n";
  for (const TEquivKSummary& s : summaries)
    if (s.EquivalentK < 0) return kExitProblems;
  return kExitSuccess;
}

int FittingsCommand(const std::string& fileName, const std::string& outFile, std::ostream& out, std::ostream& err) {
  TZubFile project;
  std::vector<std::string> lines;
  if (!ReadCommandFile(fileName, project, lines, err)) return kExitUnusable;
  std::string message;
  TMaterials& materials = *project.FMaterials;
  if (!WriteFittingReport(project, materials, DefaultFittingReportChoice(materials), outFile, &message)) {
    err << "pelmora: " << message << "\n";
    return kExitProblems;
  }
  out << "Fitting loss comparison written to " << outFile << "\n";
  return kExitSuccess;
}

int DxfImportCommand(const std::string& drawing, const TDxfImportChoices& choices, const std::string& outFile,
                     std::ostream& out, std::ostream& err) {
  TZubFile project;
  const TDxfImportResult imported = ImportDrawing(drawing, choices, TDxfOptions{}, project);
  if (!imported.Ok) {
    err << "pelmora: " << imported.Message << (imported.Detail.empty() ? "" : ": " + imported.Detail) << "\n";
    return kExitProblems;
  }
  if (outFile.empty()) {
    for (const std::string& line : imported.Lines) out << line << "\n";
    return kExitSuccess;
  }
  project.Body = imported.Lines;
  StoreDrawingRecords(project, imported);
  if (!SaveProject(project, outFile, err)) return kExitUnusable;
  out << imported.Lines.size() << " command lines written to " << outFile << "\n";
  return kExitSuccess;
}

int DxfUpdateCommand(const std::string& fileName, const std::string& drawing, std::ostream& out, std::ostream& err) {
  TZubFile project;
  std::vector<std::string> lines;
  if (!ReadCommandFile(fileName, project, lines, err)) return kExitUnusable;
  TRunResult run = Run(lines, project);
  if (!run.Success) {
    for (const std::string& message : run.Messages) err << message << "\n";
    err << "pelmora: " << fileName << " did not calculate; the drawing is left unchanged\n";
    return kExitProblems;
  }
  const TDxfUpdateResult updated = UpdateDrawing(project, run.Engine.get(), TDxfOptions{}, drawing);
  if (!updated.Ok) {
    err << "pelmora: " << updated.Message << (updated.Detail.empty() ? "" : ": " + updated.Detail) << "\n";
    return kExitProblems;
  }
  out << "Drawing " << (drawing.empty() ? project.DxfFileName : drawing) << " updated\n";
  return kExitSuccess;
}

}  // namespace pelmora
