#include "reports/results_sort.h"

#include <algorithm>

#include "input/units/text.h"
#include "input/units/units.h"

namespace pelmora {

double SortValue(const std::string& cell, int lengthUnit) {
  const std::string text = Trim(cell);
  if (text.empty()) return 0;
  double value = 0;
  return ParseLength(text, lengthUnit, value) ? value : kUnreadableCell;
}

void SortRowsByText(TGridRows& rows, int column) {
  const auto key = [column](const std::vector<std::string>& row) {
    return column < static_cast<int>(row.size()) ? UpperCase(row[static_cast<size_t>(column)]) : std::string();
  };
  std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) { return key(a) < key(b); });
}

void SortRowsByNumber(TGridRows& rows, int column, int lengthUnit) {
  const auto key = [column, lengthUnit](const std::vector<std::string>& row) {
    return column < static_cast<int>(row.size()) ? SortValue(row[static_cast<size_t>(column)], lengthUnit) : 0.0;
  };
  std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) { return key(a) < key(b); });
}

TSortAction HeaderClick(int& lastKey, int key) {
  if (key == lastKey) return saReverse;
  lastKey = key;
  return saSort;
}

}  // namespace pelmora
