// The calculation report as a plain text file: project block, supply, nodes, pipes and codes.
#pragma once

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "reports/report_context.h"

namespace pelmora {

// Raised when a calculation cannot be reported (it failed, or its results are not numbers).
class TReportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The report's lines in order. Throws TReportError when the calculation cannot be reported.
std::vector<std::string> BuildTextReport(const TReportContext& context);

// Writes the report, every line ended by CR LF. False, with the reason in message, when the
// calculation cannot be reported or the text cannot be written.
bool WriteTextReport(const TReportContext& context, std::ostream& out, std::string* message = nullptr);
// The same into a file, written under a temporary name and renamed into place, so that a
// failure leaves any earlier file of that name as it was.
bool WriteTextReport(const TReportContext& context, const std::string& fileName, std::string* message = nullptr);

}  // namespace pelmora
