// Sorting the data rows of a result grid by one column, and the header-click rule.
#pragma once

#include <string>
#include <vector>

namespace pelmora {

using TGridRows = std::vector<std::vector<std::string>>;

// The value a numeric sort gives a cell that cannot be read.
inline constexpr double kUnreadableCell = -9999998.984375;

// A cell as a length in the length unit: empty is 0, unreadable is kUnreadableCell.
double SortValue(const std::string& cell, int lengthUnit);
// Ascending and stable, by the cell of the column: as text (letter case ignored) or as numbers.
void SortRowsByText(TGridRows& rows, int column);
void SortRowsByNumber(TGridRows& rows, int column, int lengthUnit);

// A second click on the key last sorted by reverses the rows; any other key sorts and is kept.
enum TSortAction { saSort, saReverse };
TSortAction HeaderClick(int& lastKey, int key);

}  // namespace pelmora
