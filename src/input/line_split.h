// Cutting a command line into words, keeping the layout so that a line can be rebuilt.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

// One word and the separators after it; the first piece also holds the leading separators.
struct TLinePiece {
  std::string_view Word;
  size_t PieceBegin = 0;  // joining all pieces gives the line back
  size_t PieceEnd = 0;
  size_t WordBegin = 0;
};

bool IsWordSeparator(char c);
std::vector<TLinePiece> SplitLine(std::string_view line);
// The same into a list kept by the caller, so that a scan of many lines reuses its memory.
void SplitLine(std::string_view line, std::vector<TLinePiece>& pieces);

}  // namespace pelmora
