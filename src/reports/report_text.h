// Fixed-pitch text helpers shared by the text report, the printed pages and the fitting report.
#pragma once

#include <string>

namespace pelmora {

// Trimmed text centred in width columns; a longer text is returned trimmed, not cut.
std::string CenterText(const std::string& text, int width);
// Text left-aligned in width columns; a longer text is cut to its first width characters.
std::string PadRightText(const std::string& text, int width);
// Text right-aligned in width columns; a longer text is cut to its first width characters.
std::string PadLeftText(const std::string& text, int width);

// A value with exactly `decimals` decimals, right-aligned in width and cut on the right when
// it does not fit. A value that is not a finite number gives a blank cell.
std::string FormatReportValue(double value, int width, int decimals);
// The same with `roundedDecimals` decimals instead when the user asked for rounded values.
std::string FormatReportValue(double value, int width, int decimals, int roundedDecimals, bool roundValues);

}  // namespace pelmora
