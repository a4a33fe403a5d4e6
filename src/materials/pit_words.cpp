#include "materials/pit_words.h"

#include <charconv>
#include <cmath>

namespace pelmora {

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0'; }

// from_chars rejects a leading plus sign, which hand-edited files may carry.
std::string_view WithoutPlus(const std::string& word) {
  std::string_view text(word);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  return text;
}

}  // namespace

std::vector<std::string> SplitPitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> PitWords(const std::string& line) {
  std::vector<std::string> words;
  size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && IsSeparator(line[pos])) ++pos;
    size_t end = pos;
    while (end < line.size() && !IsSeparator(line[end])) ++end;
    if (end > pos) words.push_back(line.substr(pos, end - pos));
    pos = end;
  }
  return words;
}

std::string JoinWords(const std::vector<std::string>& words, size_t first) {
  std::string text;
  for (size_t i = first; i < words.size(); ++i) {
    if (i > first) text += ' ';
    text += words[i];
  }
  return text;
}

bool ReadPitNumber(const std::string& word, double& value) {
  std::string_view text = WithoutPlus(word);
  double parsed = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

bool ReadPitInteger(const std::string& word, int& value) {
  std::string_view text = WithoutPlus(word);
  int parsed = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  value = parsed;
  return true;
}

std::string WritePitNumber(double value) {
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  if (error != std::errc()) return "0";
  return std::string(buffer, end);
}

}  // namespace pelmora
