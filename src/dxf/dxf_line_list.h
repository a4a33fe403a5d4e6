// An ASCII DXF file held as its lines: group code and value pairs, checked on loading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

inline constexpr size_t kNoPair = static_cast<size_t>(-1);

class TDxfLineList {
 public:
  // Reads and checks the file. On failure Message holds the text for the designer and Detail
  // the reason; nothing is held then.
  bool LoadFromFile(const std::string& fileName);
  // The same checks on text already in memory; the name is used in messages only.
  bool LoadFromText(std::string text, const std::string& fileName);

  const std::string& Message() const { return FMessage; }
  const std::string& Detail() const { return FDetail; }

  size_t PairCount() const { return FCodes.size(); }
  int Code(size_t pair) const { return FCodes[pair]; }
  std::string_view CodeLine(size_t pair) const { return Line(2 * pair); }
  std::string_view Value(size_t pair) const { return Line(2 * pair + 1); }
  std::string_view TrimmedValue(size_t pair) const;
  bool ValueIs(size_t pair, std::string_view text) const;  // trimmed, letter case ignored
  std::optional<double> Number(size_t pair) const;
  std::string_view LineEnd() const { return FLineEnd; }

  // First pair from `from` on with this code and value; kNoPair when none.
  size_t Find(int code, std::string_view value, size_t from = 0) const;
  // Value of the pair after the header variable's name pair ("$TEXTSIZE"); empty when missing.
  std::string HeaderVariable(std::string_view name) const;
  // The pair range [first, last) of a section's content (after its name), or kNoPair.
  std::pair<size_t, size_t> Section(std::string_view name) const;
  // First pair after `pair` that starts an entity or record (code 0), or PairCount().
  size_t NextObject(size_t pair) const;

 private:
  std::string_view Line(size_t index) const;
  bool Fail(const std::string& pattern, const std::string& detail);
  bool SplitLines();
  bool ReadCodes();

  std::string FFileName;
  std::string FText;
  std::vector<size_t> FLineStart;  // start of every line, plus the end of the text
  std::vector<int16_t> FCodes;
  std::string FLineEnd = "\r\n";
  std::string FMessage, FDetail;
};

// Text helpers of the DXF exchange.
std::string_view TrimView(std::string_view text);
bool SameTextView(std::string_view a, std::string_view b);
std::optional<double> ParseDxfNumber(std::string_view text);

}  // namespace pelmora
