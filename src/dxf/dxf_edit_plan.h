// Changes to a drawing's group pairs, kept apart from the original lines and applied on output.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "dxf/dxf_line_list.h"

namespace pelmora {

// Group pairs to be written, in order, held as their lines each ended by a line feed.
class TDxfGroups {
 public:
  void Add(int code, const std::string& value);
  void Append(const TDxfGroups& other) { FLines += other.FLines; }
  bool Empty() const { return FLines.empty(); }
  const std::string& Lines() const { return FLines; }

 private:
  std::string FLines;
};

class TDxfEditPlan {
 public:
  explicit TDxfEditPlan(const TDxfLineList& lines) : FLines(lines), FDeleted(lines.PairCount(), 0) {}

  void InsertBefore(size_t pair, const TDxfGroups& groups) { FInserted[pair].Append(groups); }
  void Delete(size_t first, size_t end);  // pairs [first, end)
  void Replace(size_t pair, const std::string& value) { FReplaced[pair] = value; }
  bool Deleted(size_t pair) const { return FDeleted[pair] != 0; }

  // The edited drawing, every line ending as the drawing's own lines do.
  std::string Text() const;

 private:
  const TDxfLineList& FLines;
  std::vector<char> FDeleted;
  std::unordered_map<size_t, TDxfGroups> FInserted;
  std::unordered_map<size_t, std::string> FReplaced;
};

// A number as DXF holds it: shortest plain form with a point, never in exponent form.
std::string DxfNumber(double value);

}  // namespace pelmora
