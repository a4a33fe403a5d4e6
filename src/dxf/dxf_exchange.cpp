#include "dxf/dxf_exchange.h"

#include <filesystem>

#include "dxf/dxf_file.h"
#include "dxf/dxf_line_list.h"
#include "dxf/dxf_messages.h"
#include "engine/calc_engine.h"
#include "input/units/units.h"

namespace pelmora {

namespace {

constexpr int kPipeCommand = 7;
constexpr int kFromNodeWord = 2, kToNodeWord = 3, kSizeWord = 5;

TNameList NamesInText(const TZubFile& project) {
  TNameList names;
  for (const TNameList* list : {&project.FDefinedNodes, &project.FReferencedNodes, &project.FPipeNames,
                                &project.FGeneratedPipes, &project.FGeneratedNodes})
    for (const std::string& name : list->Names()) names.Add(name);
  return names;
}

// The import dialog accepts only head data and forced elevations that the scan will accept;
// empty texts stand for the defaults. Returns the message for the first bad entry.
std::string CheckChoices(const TDxfImportChoices& choices, const TUnitSet& units) {
  double value = 0;
  if (!choices.KFactor.empty() && !(ParseK(choices.KFactor, units.KFactor, value) && value > 0))
    return FormatMessage(kDxfBadKFactor, choices.KFactor);
  if (!choices.Discharge.empty() && !(ParseFlow(choices.Discharge, units.Flow, value) && value > 0))
    return FormatMessage(kDxfBadDischarge, choices.Discharge);
  for (auto [forced, text] : {std::pair{choices.ForceMainElevation, &choices.MainElevation},
                              std::pair{choices.ForceLineElevation, &choices.LineElevation}})
    if (forced && !text->empty() && !ParseElevation(*text, units.Elevation, value))
      return FormatMessage(kDxfBadElevation, *text);
  return {};
}

std::string AbsolutePath(const std::string& fileName) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(fileName, error);
  return error ? fileName : absolute.string();
}

}  // namespace

TDxfImportResult ImportDrawing(const std::string& fileName, const TDxfImportChoices& choices,
                               const TDxfOptions& options, const TZubFile& project) {
  TDxfImportResult result;
  result.FileName = AbsolutePath(fileName);
  result.Message = CheckChoices(choices, project.Units);
  if (!result.Message.empty()) return result;
  TdxfFile drawing;
  if (!drawing.Open(fileName)) {
    result.Message = drawing.Message();
    result.Detail = drawing.Detail();
    return result;
  }
  drawing.Choices = choices;
  drawing.Options = options;
  drawing.Units = project.Units;
  drawing.UsedNames = NamesInText(project);
  result.Lines = drawing.BuildCommands();
  result.Pipes = drawing.PipeRecords();
  result.Nodes = drawing.NodeRecords();
  if (drawing.Pipes().empty()) {
    result.Message = kDxfNoPipes;
    result.Lines.clear();
    result.Nodes.clear();
    return result;
  }
  result.Ok = true;
  return result;
}

void StoreDrawingRecords(TZubFile& project, const TDxfImportResult& imported) {
  project.DxfFileName = imported.FileName;
  project.DxfPipes = imported.Pipes;
  project.DxfNodes = imported.Nodes;
}

TDxfUpdateData CollectUpdateData(const TZubFile& project, const TCalcEngine* engine) {
  TDxfUpdateData data;
  data.HasResults = engine && engine->FCalcOK;
  for (const TdxfPipe& record : project.DxfPipes) {
    int line = project.FindCommandLine(kPipeCommand, record.Name);
    if (line < 0) continue;
    TDxfPipeUpdate pipe;
    pipe.Record = record;
    pipe.FromNode = project.GetToken(line, kFromNodeWord).Text;
    pipe.ToNode = project.GetToken(line, kToNodeWord).Text;
    TZubParameter size = project.GetToken(line, kSizeWord);
    pipe.SizeWord = size.Text;
    pipe.SizeValid = size.Present && size.Valid;
    if (data.HasResults)
      if (const TPipe* calculated = engine->FindPipe(record.Name)) pipe.Flow = calculated->Flow;
    data.Pipes.push_back(pipe);
  }
  for (const TdxfNode& record : project.DxfNodes) {
    TDxfNodeUpdate node;
    node.Record = record;
    if (data.HasResults)
      if (const TNode* calculated = engine->FindNode(record.Name)) node.Flow = calculated->Flow;
    data.Nodes.push_back(node);
  }
  return data;
}

TDxfUpdateResult UpdateDrawing(const TZubFile& project, const TCalcEngine* engine, const TDxfOptions& options,
                               const std::string& drawingFile, const std::string& outputFile) {
  TDxfUpdateResult result;
  std::string source = drawingFile.empty() ? project.DxfFileName : drawingFile;
  if (source.empty() || project.DxfPipes.empty()) {
    result.Message = kDxfNoProjectDrawing;
    return result;
  }
  TDxfLineList drawing;
  if (!drawing.LoadFromFile(source)) {
    result.Message = drawing.Message();
    result.Detail = drawing.Detail();
    return result;
  }
  std::string target = outputFile.empty() ? source : outputFile;
  result.Ok = WriteDxfUpdate(drawing, CollectUpdateData(project, engine), options, target, result.Message);
  return result;
}

}  // namespace pelmora
