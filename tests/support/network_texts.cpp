#include "network_texts.h"

namespace pelmora {

namespace {

std::string HeadName(int line, int head) { return "H" + std::to_string(line) + "-" + std::to_string(head); }

}  // namespace

std::vector<std::string> TreeText(int lines, int headsPerLine) {
  std::vector<std::string> text{"Water W 0 120 1500 90", "Pipe RISER W M0 30 4 E T"};
  for (int i = 1; i <= lines; ++i) {
    const std::string junction = "M" + std::to_string(i);
    const std::string before = "M" + std::to_string(i - 1);
    text.push_back("Node " + junction + " 19");
    text.push_back("Pipe " + junction + " " + before + " " + junction + " 10 3");
    std::string previous = junction;
    for (int j = 1; j <= headsPerLine; ++j) {
      const std::string head = HeadName(i, j);
      text.push_back("Head " + head + " 20 15 5.6");
      text.push_back("Pipe P" + head + " " + previous + " " + head + " 12 1.25" + (j == 1 ? " T" : ""));
      previous = head;
    }
  }
  text.push_back("Node M0 19");
  return text;
}

std::vector<std::string> GridText(const TGridTextOptions& o) {
  std::vector<std::string> text;
  if (o.SourceCalculation) text.push_back("ALL");
  text.push_back("Water W 0 175 4000 140");
  text.push_back("Pipe RISER W A1 40 6 E T");
  for (int i = 1; i <= o.Lines; ++i) {
    const std::string a = "A" + std::to_string(i), b = "B" + std::to_string(i);
    text.push_back("Node " + a + " 19");
    text.push_back("Node " + b + " 19");
    if (i > 1) {
      text.push_back("Pipe MA" + std::to_string(i) + " A" + std::to_string(i - 1) + " " + a + " 10 4");
      text.push_back("Pipe MB" + std::to_string(i) + " B" + std::to_string(i - 1) + " " + b + " 10 4");
    }
    const bool lineInArea = i > o.Lines - o.AreaLines;
    std::string previous = a;
    for (int j = 1; j <= o.HeadsPerLine; ++j) {
      const std::string head = HeadName(i, j);
      const bool flowing = o.AllHeadsFlow || (lineInArea && j > o.HeadsPerLine - o.AreaHeads);
      text.push_back(flowing ? "Head " + head + " 20 20 5.6" : "Node " + head + " 20");
      text.push_back("Pipe L" + head + " " + previous + " " + head + " 10 1.25" + (j == 1 ? " T" : ""));
      previous = head;
    }
    text.push_back("Pipe L" + std::to_string(i) + "-E " + previous + " " + b + " 10 1.25 T");
  }
  return text;
}

}  // namespace pelmora
