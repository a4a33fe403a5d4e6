#include "dxf/dxf_line_list.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>

#include "dxf/dxf_messages.h"

namespace pelmora {

namespace {

constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";

char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string_view TrimView(std::string_view text) {
  const char* blanks = " \t\r\n";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

bool SameTextView(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperChar(a[i]) != UpperChar(b[i])) return false;
  return true;
}

std::optional<double> ParseDxfNumber(std::string_view text) {
  text = TrimView(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

bool TDxfLineList::LoadFromFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) {
    FFileName = fileName;
    return Fail(kDxfCannotOpen, "");
  }
  std::string text;
  file.seekg(0, std::ios::end);
  std::streamoff size = file.tellg();
  file.seekg(0, std::ios::beg);
  if (size >= 0) {
    text.resize(static_cast<size_t>(size));
    file.read(text.data(), size);
  }
  if (size < 0 || !file) {
    FFileName = fileName;
    return Fail(kDxfCannotOpen, "");
  }
  return LoadFromText(std::move(text), fileName);
}

bool TDxfLineList::LoadFromText(std::string text, const std::string& fileName) {
  FFileName = fileName;
  FText = std::move(text);
  FMessage.clear();
  FDetail.clear();
  if (FText.compare(0, kBinarySentinel.size(), kBinarySentinel) == 0) return Fail(kDxfNotAscii, kDxfBinary);
  return SplitLines() && ReadCodes();
}

bool TDxfLineList::Fail(const std::string& pattern, const std::string& detail) {
  FMessage = FormatMessage(pattern, FFileName);
  FDetail = detail;
  FText.clear();
  FLineStart.clear();
  FCodes.clear();
  return false;
}

bool TDxfLineList::SplitLines() {
  FLineStart.clear();
  FLineStart.reserve(FText.size() / 6 + 2);
  const char* data = FText.data();
  size_t size = FText.size();
  size_t start = 0;
  while (start < size) {
    FLineStart.push_back(start);
    const void* newline = std::memchr(data + start, '\n', size - start);
    start = newline ? static_cast<size_t>(static_cast<const char*>(newline) - data) + 1 : size;
  }
  FLineStart.push_back(size);
  size_t firstEnd = FLineStart.size() > 1 ? FLineStart[1] : 0;
  FLineEnd = (firstEnd >= 2 && FText.compare(firstEnd - 2, 2, "\r\n") == 0) ? "\r\n" : "\n";
  // Blank lines after the EOF marker are no part of the drawing.
  while (FLineStart.size() > 1 && TrimView(Line(FLineStart.size() - 2)).empty()) FLineStart.pop_back();
  if ((FLineStart.size() - 1) % 2 != 0) return Fail(kDxfNotAscii, kDxfTruncated);
  return true;
}

bool TDxfLineList::ReadCodes() {
  size_t pairs = (FLineStart.size() - 1) / 2;
  FCodes.assign(pairs, 0);
  bool hasSection = false;
  for (size_t pair = 0; pair < pairs; ++pair) {
    std::string_view codeText = TrimView(Line(2 * pair));
    int code = 0;
    auto [end, error] = std::from_chars(codeText.data(), codeText.data() + codeText.size(), code);
    if (codeText.empty() || error != std::errc() || end != codeText.data() + codeText.size() ||
        code < INT16_MIN || code > INT16_MAX) {
      std::string shown(Line(2 * pair).substr(0, 20));
      return Fail(kDxfNotAscii, FormatMessage(kDxfBadGroupCode, std::to_string(2 * pair + 1), shown));
    }
    FCodes[pair] = static_cast<int16_t>(code);
    if (code == 0 && ValueIs(pair, "SECTION")) hasSection = true;
  }
  if (!hasSection) return Fail(kDxfNotAscii, kDxfNoSection);
  if (pairs == 0 || FCodes.back() != 0 || !ValueIs(pairs - 1, "EOF")) return Fail(kDxfNotAscii, kDxfTruncated);
  return true;
}

std::string_view TDxfLineList::Line(size_t index) const {
  size_t start = FLineStart[index];
  size_t end = FLineStart[index + 1];
  if (end > start && FText[end - 1] == '\n') --end;
  if (end > start && FText[end - 1] == '\r') --end;
  return std::string_view(FText).substr(start, end - start);
}

std::string_view TDxfLineList::TrimmedValue(size_t pair) const { return TrimView(Value(pair)); }

bool TDxfLineList::ValueIs(size_t pair, std::string_view text) const {
  return SameTextView(TrimmedValue(pair), text);
}

std::optional<double> TDxfLineList::Number(size_t pair) const { return ParseDxfNumber(Value(pair)); }

size_t TDxfLineList::Find(int code, std::string_view value, size_t from) const {
  for (size_t pair = from; pair < FCodes.size(); ++pair)
    if (FCodes[pair] == code && ValueIs(pair, value)) return pair;
  return kNoPair;
}

std::string TDxfLineList::HeaderVariable(std::string_view name) const {
  size_t pair = Find(9, name);
  if (pair == kNoPair || pair + 1 >= FCodes.size()) return {};
  return std::string(TrimmedValue(pair + 1));
}

std::pair<size_t, size_t> TDxfLineList::Section(std::string_view name) const {
  for (size_t pair = Find(0, "SECTION"); pair != kNoPair; pair = Find(0, "SECTION", pair + 1)) {
    if (pair + 1 < FCodes.size() && FCodes[pair + 1] == 2 && ValueIs(pair + 1, name)) {
      size_t end = Find(0, "ENDSEC", pair + 2);
      return {pair + 2, end == kNoPair ? FCodes.size() : end};
    }
  }
  return {kNoPair, kNoPair};
}

size_t TDxfLineList::NextObject(size_t pair) const {
  size_t next = pair + 1;
  while (next < FCodes.size() && FCodes[next] != 0) ++next;
  return next;
}

}  // namespace pelmora
