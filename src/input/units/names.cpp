#include "input/units/names.h"

#include <algorithm>
#include <vector>

#include "input/units/text.h"

namespace pelmora {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

// Start of the trailing run of characters of one class.
size_t TrailingRunStart(const std::string& text, bool (*inRun)(char)) {
  size_t start = text.size();
  while (start > 0 && inRun(text[start - 1])) --start;
  return start;
}

// Counts a run up by one, carrying from the right: 099 -> 100, AZ -> BA, ZZ -> AAA.
std::string CountUp(std::string run, char first, char last) {
  for (size_t i = run.size(); i-- > 0;) {
    if (run[i] != last) {
      ++run[i];
      return run;
    }
    run[i] = first;
  }
  return (first == '0' ? '1' : first) + run;
}

std::string KeepLastCharacters(std::string name) {
  if (name.size() > kMaxNameLength) name.erase(0, name.size() - kMaxNameLength);
  return name;
}

enum class TItemKind { Other, Digits, Letters };

struct TNameItem {
  TItemKind Kind;
  std::string Text;
};

TItemKind KindOf(char c) {
  if (IsDigit(c)) return TItemKind::Digits;
  if (IsLetter(c)) return TItemKind::Letters;
  return TItemKind::Other;
}

// M1-1 -> M, 1, -, 1: maximal runs of digits, of letters and of other characters.
std::vector<TNameItem> Items(const std::string& name) {
  std::vector<TNameItem> items;
  for (char c : UpperCase(name)) {
    if (items.empty() || items.back().Kind != KindOf(c)) items.push_back({KindOf(c), ""});
    items.back().Text += c;
  }
  return items;
}

bool BuiltAlike(const std::vector<TNameItem>& a, const std::vector<TNameItem>& b, const std::vector<TNameItem>& c) {
  if (a.size() != b.size() || a.size() != c.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].Kind != b[i].Kind || a[i].Kind != c[i].Kind) return false;
  return true;
}

// Digit runs count in base 10 (0..9), letter runs in base 26 (A..Z). Runs too long to count
// safely count as 0.
struct TRadix {
  char Zero;
  long long Base;
  size_t MaxRun;
};
constexpr TRadix kDecimal{'0', 10, 18};
constexpr TRadix kLetters{'A', 26, 8};

long long RunValue(const std::string& run, const TRadix& radix) {
  if (run.size() > radix.MaxRun) return 0;
  long long value = 0;
  for (char c : run) value = value * radix.Base + (c - radix.Zero);
  return value;
}

std::string RunText(long long value, size_t width, const TRadix& radix) {
  std::string text;
  do {
    text.insert(text.begin(), static_cast<char>(radix.Zero + value % radix.Base));
    value /= radix.Base;
  } while (value > 0);
  if (text.size() < width) text.insert(0, width - text.size(), radix.Zero);
  return text;
}

}  // namespace

std::string NextName(const std::string& name) {
  if (name.empty()) return "1";
  const char last = name.back();
  if (IsDigit(last)) {
    const size_t start = TrailingRunStart(name, IsDigit);
    return KeepLastCharacters(UpperCase(name.substr(0, start)) + CountUp(name.substr(start), '0', '9'));
  }
  if (IsLetter(last)) {
    const size_t start = TrailingRunStart(name, IsLetter);
    const std::string next = UpperCase(name.substr(0, start)) + CountUp(UpperCase(name.substr(start)), 'A', 'Z');
    return KeepLastCharacters(IsLower(last) ? LowerCase(next) : next);
  }
  return KeepLastCharacters(name + "1");
}

std::string ProgressName(const std::string& a, const std::string& b, const std::string& c) {
  const std::vector<TNameItem> itemsA = Items(a), itemsB = Items(b), itemsC = Items(c);
  if (!BuiltAlike(itemsA, itemsB, itemsC)) return a;
  std::string result;
  for (size_t i = 0; i < itemsA.size(); ++i) {
    const TNameItem& item = itemsA[i];
    if (item.Kind == TItemKind::Other) {
      result += item.Text;
      continue;
    }
    const TRadix& radix = item.Kind == TItemKind::Digits ? kDecimal : kLetters;
    const long long sum =
        RunValue(item.Text, radix) + RunValue(itemsB[i].Text, radix) - RunValue(itemsC[i].Text, radix);
    result += RunText(std::max(sum, 0LL), item.Text.size(), radix);
  }
  return result;
}

}  // namespace pelmora
