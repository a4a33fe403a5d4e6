// The expanded form of a gridded text: its generated objects written as ordinary command lines.
#pragma once

#include <string>
#include <vector>

namespace pelmora {

class TCalcEngine;
class TZubFile;

// From an engine that interpreted (and possibly calculated) the lines: the lines with every grid
// and tree command turned into a comment, and, in place of the first of them, the grid's nodes,
// heads and pipes as Node, Head and Pipe lines in fixed columns, with Use, Hazen and Darcy lines
// where the material or friction law changes. Calculating the result gives the results of the
// original where its remote area stands now (after AutoPeak, the area that was found).
std::vector<std::string> ExpandGridText(const TZubFile& project, const std::vector<std::string>& lines,
                                        const TCalcEngine& engine);

}  // namespace pelmora
