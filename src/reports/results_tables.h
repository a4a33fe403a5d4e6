// Cell texts, headings and hints of the three result grids: summary, nodes and pipes.
#pragma once

#include <string>
#include <vector>

#include "engine/calc_engine.h"
#include "input/zub_file.h"

namespace pelmora {

// One row of the summary grid.
struct TSummaryRow {
  std::string Label;
  std::string Value;
  std::string Hint;
};
std::vector<TSummaryRow> SummaryRows(const TCalcEngine& engine, const TZubFile& project);

// Pipe column kinds 0..20; the column list holds kinds in display order.
inline constexpr int kPipeColumnKinds = 21;
inline constexpr int kPipeNameColumn = 0;
struct TPipeColumnInfo {
  const char* MenuItem;
  const char* Heading;
  const char* Hint;
  bool TextSort;  // sorted as text, not as numbers
};
const TPipeColumnInfo& PipeColumnInfo(int kind);
std::string PipeHeading(int kind, const TCalcEngine& engine);
std::string PipeUnitText(int kind, const TCalcEngine& engine);
std::string PipeCell(int kind, const TPipe& pipe, const TCalcEngine& engine);
// The hint of a pipe cell: the material column names the material under the mouse.
std::string PipeHint(int kind, const TPipe* pipe, const TMaterials& materials);

// Column list to and from its stored letters ("A" for kind 0); the name column always leads.
std::vector<int> PipeColumnsFromLetters(const std::string& letters);
std::string PipeColumnLetters(const std::vector<int>& columns);
// Checking a menu item appends its kind; unchecking removes it. The name column stays.
void TogglePipeColumn(std::vector<int>& columns, int kind);
void MovePipeColumn(std::vector<int>& columns, int from, int to);

// Node grid: nine columns, twelve in head-area mode.
int NodeColumnCount(bool headArea);
std::string NodeHeading(int column);
std::string NodeUnitText(int column, const TCalcEngine& engine);
std::string NodeCell(int column, const TNode& node, const TCalcEngine& engine, const TZubFile& project);
std::string NodeHint(int column);
bool NodeTextSort(int column);

// The rows of the grids in natural name order.
std::vector<const TNode*> ListedNodes(const TCalcEngine& engine, bool hideInactive);
// Pipes without flow are left out while more than one pipe would remain.
std::vector<const TPipe*> ListedPipes(const TCalcEngine& engine, bool hideNonFlowing);

}  // namespace pelmora
