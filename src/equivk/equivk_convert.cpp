// Rewriting the numbers of a definition in other units, keeping the column layout of each line.
#include "equivk/equivk_file.h"
#include "equivk/equivk_language.h"

namespace pelmora {

namespace {

// The new text of a valid word in the new units, or empty when the word stays as written.
std::string ConvertedWord(const TZubParameter& word, const TUnitSet& from, const TUnitSet& to, bool darcy) {
  switch (word.Letter) {
    case 'L': return FormatFloat("0.0#", ConvertLength(word.Value, from.Length, to.Length));
    case 'E': return FormatFloat("0.0#", ConvertLength(word.Value, from.Elevation, to.Elevation));
    case 'D': return FormatFloat("0.0########", ConvertFlow(word.Value, from.Flow, to.Flow));
    case 'K': {  // the word's value may carry the liquid's K multiplier: the text is read again
      double k = 0;
      return ParseK(word.Text, from.KFactor, k) ? FormatFloat("0.0##", ConvertK(k, from.KFactor, to.KFactor))
                                                 : std::string();
    }
    case 'S': {
      double size = 0;
      if (!ParseSize(word.Text, from.Size, size)) return {};
      const double converted = ConvertSize(size, from.Size, to.Size);
      return converted > 0 ? FormatFloat("0.0########", converted) : std::string();
    }
    case 'C':
      return darcy ? FormatFloat("0.0########", ConvertLength(word.Value, from.Size, to.Size)) : std::string();
    default: return {};
  }
}

// A shorter word is padded to the old piece's width; a longer one is followed by one blank.
std::string RebuildLine(const std::string& line, const TZubParameterList& words,
                        const std::vector<std::string>& replacements) {
  const std::vector<TWordPiece> pieces = SplitWords(line);
  std::string rebuilt;
  for (size_t k = 0; k < pieces.size(); ++k) {
    const TWordPiece& piece = pieces[k];
    const std::string& replacement = k < words.size() ? replacements[k] : std::string();
    if (replacement.empty()) {
      rebuilt += line.substr(piece.PieceBegin, piece.PieceEnd - piece.PieceBegin);
      continue;
    }
    const std::string leading = line.substr(piece.PieceBegin, piece.WordBegin - piece.PieceBegin);
    const size_t oldWidth = piece.PieceEnd - piece.WordBegin;
    std::string text = replacement;
    if (text.size() < oldWidth)
      text.resize(oldWidth, ' ');
    else if (piece.PieceEnd < line.size() || piece.PieceEnd > piece.WordEnd)
      text += ' ';
    rebuilt += leading + text;
  }
  return rebuilt;
}

}  // namespace

void TEquivKFile::ConvertText(const TUnitSet& from, const TUnitSet& to, const TEquivKSettings& settings) {
  TEquivKSettings reading = settings;
  reading.Units = from;
  ParseLines(reading);
  for (size_t i = 0; i < Lines.size(); ++i) {
    const TZubParameterList& words = FTokens[i];
    std::vector<std::string> replacements(words.size());
    bool changed = false;
    for (size_t k = 1; k < words.size(); ++k) {
      if (!words[k].Valid || words[k].Comment) continue;
      replacements[k] = ConvertedWord(words[k], from, to, settings.Darcy());
      changed = changed || !replacements[k].empty();
    }
    if (changed) Lines[i] = RebuildLine(Lines[i], words, replacements);
  }
  Dirty = true;
}

}  // namespace pelmora
