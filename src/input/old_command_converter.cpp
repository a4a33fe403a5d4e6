#include <algorithm>
#include <map>
#include <utility>

#include "input/legacy_format.h"
#include "input/line_split.h"
#include "input/units/text.h"
#include "input/zub_file_io_text.h"

namespace pelmora {

namespace {

constexpr size_t kHeaderCommentLines = 5;

std::string Comment(const std::string& line) { return "// " + line; }

// The leading word of a line that has words replaced, everything around it kept as written.
std::string ReplaceLeadingWord(const std::string& line, const std::string& newWord) {
  const TLinePiece first = SplitLine(line).front();
  return line.substr(0, first.WordBegin) + newWord + line.substr(first.WordBegin + first.Word.size());
}

std::string JoinWords(const std::string& first, const std::vector<std::string>& words, size_t from, size_t to) {
  std::string line = first;
  for (size_t i = from; i < std::min(to, words.size()); ++i) line += " " + words[i];
  return line;
}

// The new command word and the old parameters, one of which is no longer needed.
std::string NewCommandWithoutWord(const std::string& command, const std::vector<std::string>& words, size_t dropped) {
  return JoinWords(command, words, 1, dropped) + JoinWords("", words, dropped + 1, words.size());
}

// Old valve and fitting letters to today's fitting codes, replaced once each in this order.
const std::pair<std::string, std::string> kFittingCodes[] = {{"TT", "t"}, {"GV", "g"}, {"CV", "c"}, {"BV", "b"},
                                                              {"AV", "a"}, {"DV", "d"}, {"SE", "e"}};

std::string ConvertFitting(std::string fitting) {
  for (const auto& [oldCode, newCode] : kFittingCodes) {
    const size_t at = UpperCase(fitting).find(oldCode);
    if (at != std::string::npos) fitting.replace(at, oldCode.size(), newCode);
  }
  return fitting;
}

// Old four-letter material codes and the Use command of today's material.
const std::map<std::string, std::string> kMaterialUse = {
    {"CSAL", "Use s10 "}, {"CSEZ", "Use s30 "}, {"CSAM", "Use s40 "}, {"CPVC", "Use PVC "},
    {"CDUI", "Use CDI "}, {"CCUK", "Use CK "},  {"CCUL", "Use CL "},  {"CCUM", "Use CM "}};

class TOldCommandConverter {
 public:
  std::vector<std::string> Convert(const std::vector<std::string>& lines) {
    std::vector<std::string> converted;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i < kHeaderCommentLines)
        converted.push_back(Comment(lines[i]));
      else
        ConvertLine(lines[i], converted);
    }
    return converted;
  }

 private:
  void ConvertLine(const std::string& line, std::vector<std::string>& out) {
    const std::vector<std::string> words = SplitWords(line);
    if (words.empty()) {
      out.push_back(line);
      return;
    }
    const std::string command = UpperCase(words[0]);
    if (command == "P") return ConvertPipe(line, words, out);
    out.push_back(ConvertOtherLine(command, line, words));
  }

  static std::string ConvertOtherLine(const std::string& command, const std::string& line,
                                      const std::vector<std::string>& words) {
    static const std::map<std::string, std::string> renamed = {
        {"PS", "PC"}, {"BKFP", "Bfp"}, {"S", "Head"}, {"SS", "HC"}, {"R", "Node"}, {"RS", "NC"}};
    if (const auto it = renamed.find(command); it != renamed.end()) return ReplaceLeadingWord(line, it->second);
    if (command == "I" && words.size() >= 3) return NewCommandWithoutWord("Water", words, 3);
    if (command == "B" && words.size() >= 2) return NewCommandWithoutWord("Bp", words, 2);
    if (command == "DESPT") return "ALL";
    if (command == "FDESPT") return "";
    return Comment(line);
  }

  // P name from to length size MMMMccc fittings...: the material and C-factor become a Use line
  // whenever they change from the previous pipe.
  void ConvertPipe(const std::string& line, const std::vector<std::string>& words, std::vector<std::string>& out) {
    constexpr size_t kMaterialWord = 6;
    if (words.size() <= kMaterialWord) {
      out.push_back(Comment(line));
      return;
    }
    const std::string material = UpperCase(words[kMaterialWord].substr(0, 4));
    const std::string cFactor = words[kMaterialWord].size() > 4 ? words[kMaterialWord].substr(4, 3) : "";
    if (material != FMaterial || cFactor != FCFactor) {
      if (const auto use = kMaterialUse.find(material); use != kMaterialUse.end()) out.push_back(use->second + cFactor);
      FMaterial = material;
      FCFactor = cFactor;
    }
    std::string pipe = JoinWords("Pipe", words, 1, kMaterialWord);
    for (size_t i = kMaterialWord + 1; i < words.size(); ++i) pipe += " " + ConvertFitting(words[i]);
    out.push_back(pipe);
  }

  std::string FMaterial;
  std::string FCFactor;
};

}  // namespace

std::vector<std::string> ConvertOldCommands(const std::vector<std::string>& lines) {
  return TOldCommandConverter().Convert(lines);
}

}  // namespace pelmora
