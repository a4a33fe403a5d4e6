// Blocks of the pipe information table: three rows per pipe plus rows for fittings and notes.
#pragma once

#include <string>
#include <vector>

#include "reports/report_context.h"

namespace pelmora {

// Three header rows; a notes column of notesWidth follows when notesWidth is above 0.
std::vector<std::string> BuildPipeHeader(const TReportContext& context, int notesWidth);

// Row 0 describes the first node, row 1 the pipe, row 2 the second node; further rows carry
// fittings beyond the third and notes. With reversed the pipe is shown from its to node.
// The pipe's end nodes must be resolved.
std::vector<std::string> BuildPipeBlock(const TReportContext& context, const TPipe& pipe,
                                        const std::string& pathLabel, bool reversed);

// The notes width that makes room for the longest row of the blocks.
int PipeNotesWidth(const TReportContext& context, const std::vector<std::vector<std::string>>& blocks);

// A pipe that stands for a pump between two nodes.
bool IsPumpPipe(const TPipe& pipe);

}  // namespace pelmora
