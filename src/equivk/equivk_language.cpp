#include "equivk/equivk_language.h"

#include "input/units/text.h"

namespace pelmora {

namespace {

constexpr std::array<TEquivKCommandRow, 4> kCommands{{
    {ecComment, "//", "", "GR1", "// any comment", 740},
    {ecHead, "HEAD", "H", "EDK", "Head;elevation;minDischarge;k-factor", 460},
    {ecPipe, "PIPE", "P", "LSFR1", "Pipe;length;size;[ [#]Fitting ... ]", 380},
    {ecUse, "USE", "", "TC", "Use;pipeType;C-factor", 410},
}};

bool IsSeparator(char c) { return c == '\0' || c == '\t' || c == '\n' || c == '\r' || c == ' '; }

}  // namespace

const std::array<TEquivKCommandRow, 4>& EquivKCommands() { return kCommands; }

const TEquivKCommandRow* FindEquivKCommand(int command) {
  for (const TEquivKCommandRow& row : kCommands)
    if (row.Command == command) return &row;
  return nullptr;
}

TEquivKCommand LookupEquivKCommand(const std::string& word) {
  const std::string upper = UpperCase(Trim(word));
  for (const TEquivKCommandRow& row : kCommands)
    if (upper == row.Keyword || (*row.Short != '\0' && upper == row.Short)) return row.Command;
  return upper.starts_with("//") ? ecComment : ecNone;
}

std::vector<TWordPiece> SplitWords(std::string_view line) {
  std::vector<TWordPiece> pieces;
  size_t i = 0;
  while (i < line.size()) {
    TWordPiece piece;
    piece.PieceBegin = pieces.empty() ? 0 : i;
    while (i < line.size() && IsSeparator(line[i])) ++i;
    if (i == line.size()) break;
    piece.WordBegin = i;
    while (i < line.size() && !IsSeparator(line[i])) ++i;
    piece.WordEnd = i;
    while (i < line.size() && IsSeparator(line[i])) ++i;
    piece.PieceEnd = i;
    pieces.push_back(piece);
  }
  return pieces;
}

}  // namespace pelmora
