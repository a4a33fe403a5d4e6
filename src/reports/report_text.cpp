#include "reports/report_text.h"

#include <cmath>

#include "input/units/text.h"
#include "input/units/units.h"

namespace pelmora {

std::string CenterText(const std::string& text, int width) {
  std::string trimmed = Trim(text);
  const int length = static_cast<int>(trimmed.size());
  if (length >= width) return trimmed;
  std::string centred(static_cast<size_t>((width - length) / 2), ' ');
  centred += trimmed;
  centred.resize(static_cast<size_t>(width), ' ');
  return centred;
}

std::string PadRightText(const std::string& text, int width) {
  if (width <= 0) return "";
  std::string padded = text.substr(0, static_cast<size_t>(width));
  padded.resize(static_cast<size_t>(width), ' ');
  return padded;
}

std::string PadLeftText(const std::string& text, int width) {
  if (width <= 0) return "";
  if (static_cast<int>(text.size()) >= width) return text.substr(0, static_cast<size_t>(width));
  return std::string(static_cast<size_t>(width) - text.size(), ' ') + text;
}

std::string FormatReportValue(double value, int width, int decimals) {
  if (width <= 0) return "";
  if (!std::isfinite(value)) return std::string(static_cast<size_t>(width), ' ');
  const std::string pattern = decimals > 0 ? "0." + std::string(static_cast<size_t>(decimals), '0') : "0";
  return PadLeftText(FormatFloat(pattern, value), width);
}

std::string FormatReportValue(double value, int width, int decimals, int roundedDecimals, bool roundValues) {
  return FormatReportValue(value, width, roundValues ? roundedDecimals : decimals);
}

}  // namespace pelmora
