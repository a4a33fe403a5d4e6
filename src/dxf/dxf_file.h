// The drawing import: pipes, size texts and head symbols of a DXF drawing made into commands.
#pragma once

#include <string>
#include <vector>

#include "dxf/dxf_drawing.h"
#include "dxf/dxf_options.h"
#include "input/name_list.h"
#include "input/units/units.h"
#include "input/zub_file.h"

namespace pelmora {

// A pipe end made into a node.
struct TdxfNodePoint {
  std::string Name;
  TDxfPoint Point;    // drawing units
  bool OnMain = false;
  bool Head = false;
};

// Reads a drawing once; each BuildCommands converts it with the current settings and keeps the
// pipe and node records that the update needs.
class TdxfFile {
 public:
  // Reads the drawing; false with Message (and Detail) when it cannot be used.
  bool Open(const std::string& fileName);
  const std::string& FileName() const { return FFileName; }
  const std::string& Message() const { return FMessage; }
  const std::string& Detail() const { return FDetail; }

  std::vector<std::string> LayerNames() const;  // sorted
  std::vector<std::string> BlockNames() const;  // sorted

  // Converter settings, set before every conversion.
  TDxfImportChoices Choices;
  TDxfOptions Options;
  TUnitSet Units;        // the project's units, used by the output
  TNameList UsedNames;   // names already in the command text, never generated again

  // The command lines for the current settings; also fills the pipe and node records.
  std::vector<std::string> BuildCommands();

  const std::vector<TdxfLine>& Pipes() const { return FPipes; }
  const std::vector<TdxfNodePoint>& Nodes() const { return FNodes; }
  // Records of the pipes that got a Pipe line, and of every node, for the project.
  const std::vector<TdxfPipe>& PipeRecords() const { return FPipeRecords; }
  std::vector<TdxfNode> NodeRecords() const;

 private:
  void CollectPipes();
  void NamePipes(std::vector<TdxfLine>& pipes, const std::string& firstName, TNameList& taken);
  void MakeNodes();
  void MarkHeads();
  std::vector<std::string> WriteCommands();
  std::string ElevationText(const TdxfNodePoint& node, int digitWidth) const;

  std::string FFileName, FMessage, FDetail;
  TDxfDrawing FDrawing;
  std::vector<TdxfLine> FPipes;  // mains first, each group in chained order
  std::vector<TdxfNodePoint> FNodes;
  std::vector<TdxfPipe> FPipeRecords;
};

// Default head data of the import when the designer gives none, by the project's units.
std::string DefaultKFactorText(int kFactorUnit);
std::string DefaultDischargeText(int flowUnit);

}  // namespace pelmora
