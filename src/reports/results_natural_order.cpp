#include "reports/results_natural_order.h"

#include <cctype>
#include <string_view>
#include <vector>

#include "input/units/text.h"

namespace pelmora {

namespace {

enum TSegmentKind { skEmpty, skDigits, skLetters };

struct TSegment {
  TSegmentKind Kind;
  std::string_view Text;
};

bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Runs of digits, runs of letters, and one empty segment for each run of anything else.
std::vector<TSegment> Segments(const std::string& upper) {
  std::vector<TSegment> segments;
  size_t i = 0;
  while (i < upper.size()) {
    const size_t start = i;
    if (IsDigit(upper[i])) {
      while (i < upper.size() && IsDigit(upper[i])) ++i;
      segments.push_back({skDigits, std::string_view(upper).substr(start, i - start)});
    } else if (IsLetter(upper[i])) {
      while (i < upper.size() && IsLetter(upper[i])) ++i;
      segments.push_back({skLetters, std::string_view(upper).substr(start, i - start)});
    } else {
      while (i < upper.size() && !IsDigit(upper[i]) && !IsLetter(upper[i])) ++i;
      segments.push_back({skEmpty, {}});
    }
  }
  return segments;
}

// Digit runs by value, without converting: leading zeros dropped, then length, then digits.
int CompareDigits(std::string_view a, std::string_view b) {
  const size_t aStart = a.find_first_not_of('0');
  const size_t bStart = b.find_first_not_of('0');
  a = aStart == std::string_view::npos ? std::string_view{} : a.substr(aStart);
  b = bStart == std::string_view::npos ? std::string_view{} : b.substr(bStart);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b);
}

int CompareSegments(const TSegment& a, const TSegment& b) {
  if (a.Kind != b.Kind) return a.Kind < b.Kind ? -1 : 1;
  switch (a.Kind) {
    case skDigits: return CompareDigits(a.Text, b.Text);
    case skLetters: return a.Text.compare(b.Text);
    default: return 0;
  }
}

}  // namespace

int NaturalCompare(const std::string& a, const std::string& b) {
  const std::string upperA = UpperCase(a), upperB = UpperCase(b);
  const std::vector<TSegment> left = Segments(upperA), right = Segments(upperB);
  for (size_t i = 0; i < left.size() && i < right.size(); ++i)
    if (const int order = CompareSegments(left[i], right[i]); order != 0) return order < 0 ? -1 : 1;
  if (left.size() == right.size()) return 0;
  return left.size() < right.size() ? -1 : 1;
}

}  // namespace pelmora
