// The fixed-column Pipe, Node and Head lines that the drawing import writes.
#pragma once

#include <string>

namespace pelmora {

// Number of digits before the decimal point of |value| (at least 1).
int IntegerDigits(double value);

std::string PadRight(const std::string& text, size_t width);

// The length text right-aligned on its integer part within `digitWidth` digits.
std::string LengthField(const std::string& lengthText, double length, int digitWidth);

// The elevation text right-aligned on its integer part; `digitWidth` counts a minus sign.
std::string ElevationField(const std::string& elevationText, double elevation, int digitWidth);

std::string PipeCommand(const std::string& name, const std::string& node1, const std::string& node2,
                        const std::string& lengthField, const std::string& sizeText, const std::string& fittings,
                        size_t nameWidth);
std::string NodeCommand(const std::string& name, const std::string& elevation, size_t nameWidth);
std::string HeadCommand(const std::string& name, const std::string& elevation, const std::string& discharge,
                        const std::string& kFactor, size_t nameWidth);

}  // namespace pelmora
