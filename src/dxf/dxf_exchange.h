// Drawing import and update as whole operations on a project, for the program's commands.
#pragma once

#include <string>
#include <vector>

#include "dxf/dxf_options.h"
#include "dxf/dxf_writer.h"
#include "input/zub_file.h"

namespace pelmora {

class TCalcEngine;

struct TDxfImportResult {
  bool Ok = false;
  std::string Message;  // why nothing was imported
  std::string Detail;   // the reason in the drawing, when known
  std::string FileName;  // the drawing, as an absolute path
  std::vector<std::string> Lines;  // command lines to insert into the project's text
  std::vector<TdxfPipe> Pipes;     // drawing records for the project
  std::vector<TdxfNode> Nodes;
};

// Reads the drawing and converts it with the project's units, never reusing a name already in
// the project's (scanned) command text.
TDxfImportResult ImportDrawing(const std::string& fileName, const TDxfImportChoices& choices,
                               const TDxfOptions& options, const TZubFile& project);

// Keeps the drawing's name and records in the project, so that the update can find them.
void StoreDrawingRecords(TZubFile& project, const TDxfImportResult& imported);

// What the update writes, from the project's (scanned) Pipe lines and, when the engine holds an
// accepted solution, its flows.
TDxfUpdateData CollectUpdateData(const TZubFile& project, const TCalcEngine* engine);

struct TDxfUpdateResult {
  bool Ok = false;
  std::string Message;
  std::string Detail;
};

// Re-reads the project's drawing (or `drawingFile` when given) and writes it, updated, to
// `outputFile` (the drawing itself when empty). The old output file survives any failure.
TDxfUpdateResult UpdateDrawing(const TZubFile& project, const TCalcEngine* engine, const TDxfOptions& options,
                               const std::string& drawingFile = "", const std::string& outputFile = "");

}  // namespace pelmora
