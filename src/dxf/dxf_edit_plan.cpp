#include "dxf/dxf_edit_plan.h"

#include <charconv>
#include <cmath>

namespace pelmora {

namespace {

// Group codes are written right-aligned in three columns, as drawing programs do.
void AppendCode(std::string& out, int code) {
  std::string digits = std::to_string(code);
  if (digits.size() < 3) out.append(3 - digits.size(), ' ');
  out += digits;
}

}  // namespace

void TDxfGroups::Add(int code, const std::string& value) {
  AppendCode(FLines, code);
  FLines += '\n';
  FLines += value;
  FLines += '\n';
}

void TDxfEditPlan::Delete(size_t first, size_t end) {
  for (size_t pair = first; pair < end && pair < FDeleted.size(); ++pair) FDeleted[pair] = 1;
}

std::string TDxfEditPlan::Text() const {
  std::string out;
  out.reserve(FLines.PairCount() * 12);
  std::string_view lineEnd = FLines.LineEnd();
  auto writeInserted = [&](size_t pair) {
    auto inserted = FInserted.find(pair);
    if (inserted == FInserted.end()) return;
    for (char c : inserted->second.Lines()) {
      if (c == '\n') out += lineEnd;
      else out += c;
    }
  };
  for (size_t pair = 0; pair < FLines.PairCount(); ++pair) {
    writeInserted(pair);
    if (FDeleted[pair]) continue;
    out += FLines.CodeLine(pair);
    out += lineEnd;
    auto replaced = FReplaced.find(pair);
    out += replaced != FReplaced.end() ? std::string_view(replaced->second) : FLines.Value(pair);
    out += lineEnd;
  }
  return out;
}

std::string DxfNumber(double value) {
  if (!std::isfinite(value) || std::fabs(value) < 1e-12) return "0";
  char buffer[400];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (error != std::errc()) return "0";
  return std::string(buffer, end);
}

}  // namespace pelmora
