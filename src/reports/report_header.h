// The project information block at the top of the report, and its wrapping to the page width.
#pragma once

#include <string>
#include <vector>

#include "reports/report_context.h"

namespace pelmora {

struct TReportPair {
  std::string Label;
  std::string Value;
};

// Label and value pairs in report order; a multi-line value takes one pair per line.
std::vector<TReportPair> BuildReportHeader(const TReportContext& context);

// One or more lines per pair: values too long for the width break after a space or a hyphen
// and continue under the value's first character.
std::vector<std::string> WrapReportPairs(const std::vector<TReportPair>& pairs, int width = 75);

// Today's date in the system's short date format.
std::string TodayShortDate();

}  // namespace pelmora
