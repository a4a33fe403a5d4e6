// The program options a report reads: every Rep* switch with its default, and the user's own lines.
#pragma once

#include <string>
#include <vector>

namespace pelmora {

enum TPipeSortOrder { psInputOrder = 0, psByName = 1, psByPath = 2 };

struct TReportOptions {
  // Node analysis
  bool RepSortNodes = false;
  bool RepNodePv = false;
  bool RepNodePn = false;
  bool RepNodeMinQ = false;
  bool RepNoteNode = false;
  bool RepRoundValues = false;
  // Pipe information
  int RepSortPipes = psInputOrder;
  bool RepPipeNames = false;
  bool RepPipeElev = true;
  bool RepPipeKFactor = true;
  bool RepPipeBothQ = false;
  bool RepPipeMaterial = false;
  bool RepPipePressureSummary = false;
  bool RepPipeVelocity = false;
  bool RepPipeDarcy = false;
  bool RepNotePipe = false;
  // Sections of the printed report
  bool RepSummary = true;
  bool RepPipeInfo = true;
  bool RepEquivKInfo = true;
  bool RepNodeInfo = true;
  bool RepSupplyAnalysis = true;
  bool RepHydraulicGraph = true;
  bool RepFlowDiagram = true;
  bool RepDeviceGraph = false;
  // Page and graph layout
  bool RepShadeLines = true;
  bool RepColor = true;
  bool RepNoGraphRotation = false;
  bool RepExtendHydGraph = false;
  bool RepGraphCustomTitles = false;
  bool RepMaxVelocity = true;
  bool RepSmallMargins = false;
  // The user's own lines, used when a project names no designer or contractor of its own.
  std::vector<std::string> Designer;
  std::vector<std::string> Company;
};

}  // namespace pelmora
