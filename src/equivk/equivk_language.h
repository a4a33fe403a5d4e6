// The commands of the equivalent-K language and the cutting of a line into words.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

enum TEquivKCommand : int { ecNone = -1, ecComment = 1, ecHead = 2, ecPipe = 3, ecUse = 4 };

struct TEquivKCommandRow {
  TEquivKCommand Command;
  const char* Keyword;
  const char* Short;  // empty when the command has no short form
  const char* Kinds;  // parameter kind letters, as in the main language
  const char* Format;
  int Help;
};

const std::array<TEquivKCommandRow, 4>& EquivKCommands();
const TEquivKCommandRow* FindEquivKCommand(int command);
// The command of a first word: keyword or short form exactly (letter case ignored), a word that
// starts with two slashes is a comment; ecNone otherwise.
TEquivKCommand LookupEquivKCommand(const std::string& word);

// One word of a line with the blanks after it; joining all pieces gives the line back.
struct TWordPiece {
  size_t PieceBegin = 0;  // the first piece also holds the leading blanks
  size_t WordBegin = 0;
  size_t WordEnd = 0;
  size_t PieceEnd = 0;
};
std::vector<TWordPiece> SplitWords(std::string_view line);

}  // namespace pelmora
