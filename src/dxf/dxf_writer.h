// The drawing update: names, size texts, flows and flow arrows written back into the drawing.
#pragma once

#include <string>
#include <vector>

#include "dxf/dxf_line_list.h"
#include "dxf/dxf_options.h"
#include "input/zub_file.h"

namespace pelmora {

inline constexpr const char* kNodeNamesLayer = "ZUB_NODE_NAMES";
inline constexpr const char* kPipeNamesLayer = "ZUB_PIPE_NAMES";
inline constexpr const char* kFlowDiagramLayer = "ZUB_FLOW_DIAGRAM";
inline constexpr const char* kFlowArrowBlock = "ZUB_FLOW_ARROW";

// An imported pipe that is still defined by a Pipe line, with what the update writes for it.
struct TDxfPipeUpdate {
  TdxfPipe Record;
  std::string FromNode, ToNode;  // words 2 and 3 of its Pipe line
  std::string SizeWord;          // word 5 of its Pipe line
  bool SizeValid = false;
  double Flow = 0;               // project flow unit, positive from FromNode to ToNode
};

struct TDxfNodeUpdate {
  TdxfNode Record;
  double Flow = 0;  // discharge, project flow unit; 0 when none
};

struct TDxfUpdateData {
  bool HasResults = false;  // the last calculation found an accepted solution
  std::vector<TDxfPipeUpdate> Pipes;
  std::vector<TDxfNodeUpdate> Nodes;
};

// The drawing's text with the update applied; everything else is carried over unchanged.
std::string BuildDxfUpdate(const TDxfLineList& drawing, const TDxfUpdateData& data, const TDxfOptions& options);

// BuildDxfUpdate saved to `outputFile` (which may be the drawing itself) through a temporary
// file; false with a message when it cannot be written, the old file then being kept.
bool WriteDxfUpdate(const TDxfLineList& drawing, const TDxfUpdateData& data, const TDxfOptions& options,
                    const std::string& outputFile, std::string& message);

}  // namespace pelmora
