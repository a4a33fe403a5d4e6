#include "input/line_split.h"

namespace pelmora {

bool IsWordSeparator(char c) { return c == '\0' || c == '\t' || c == '\n' || c == '\r' || c == ' '; }

std::vector<TLinePiece> SplitLine(std::string_view line) {
  std::vector<TLinePiece> pieces;
  SplitLine(line, pieces);
  return pieces;
}

void SplitLine(std::string_view line, std::vector<TLinePiece>& pieces) {
  pieces.clear();
  size_t i = 0;
  while (i < line.size() && IsWordSeparator(line[i])) ++i;
  while (i < line.size()) {
    TLinePiece piece;
    piece.PieceBegin = pieces.empty() ? 0 : i;
    piece.WordBegin = i;
    while (i < line.size() && !IsWordSeparator(line[i])) ++i;
    piece.Word = line.substr(piece.WordBegin, i - piece.WordBegin);
    while (i < line.size() && IsWordSeparator(line[i])) ++i;
    piece.PieceEnd = i;
    pieces.push_back(piece);
  }
}

}  // namespace pelmora
