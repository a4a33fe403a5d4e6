// Pipe sizes read from the size texts drawn beside the pipes.
#pragma once

#include <string>
#include <vector>

#include "dxf/dxf_drawing.h"
#include "dxf/dxf_options.h"

namespace pelmora {

class TMaterials;

// The size text with the designer's fraction texts replaced by ".25", ".5" and ".75".
std::string ReplaceFractions(std::string text, const TDxfOptions& options);

// A text can give a size when it holds no "-" (1-1/2 cannot be read) and is a nominal size of
// the database's first pipe material in the pipe-size unit.
bool IsSizeText(const std::string& text, const TMaterials& materials, int pipeSizeUnit);

// Gives every pipe a size. First the mutually nearest pipe and text are paired, pass after pass
// (a text is taken only by the pipe nearest to it); then a pipe still without size takes its
// nearest remaining text when that text runs parallel to it (within 5 degrees). Distances are
// measured in plan from the pipe's midpoint. Sizes are converted through the nominal size
// table to the project's size unit; a pipe left without text gets 1 inch or 25 mm.
void AssignPipeSizes(std::vector<TdxfLine>& pipes, const std::vector<TdxfText>& sizeTexts, int pipeSizeUnit,
                     int projectSizeUnit);

}  // namespace pelmora
