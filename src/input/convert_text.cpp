#include "input/convert_text.h"

#include <cmath>
#include <optional>

#include "equivk/equivk_settings.h"
#include "input/command_table.h"
#include "input/line_split.h"
#include "input/zub_file.h"

namespace pelmora {

namespace {

struct TConversion {
  const TZubFile& Project;
  const TUnitSet& From;
  const TUnitSet& To;
  int Line;
  int Command;
};

std::optional<std::string> ConvertedFlow(const TConversion& c, const TTokenView& word) {
  const bool areaWord = c.Project.HeadArea && word.Letter == 'D' && (c.Command == cmHead || c.Command == cmFlow);
  if (!areaWord) {
    if (c.From.Flow == c.To.Flow) return std::nullopt;
    return FormatFloat("0.0##", ConvertFlow(word.Value, c.From.Flow, c.To.Flow));
  }
  if (c.From.HeadArea == c.To.HeadArea) return std::nullopt;
  double area = 0;
  if (!ParseLength(word.Text, c.From.HeadArea, area)) return std::nullopt;
  const double side = ConvertLength(std::sqrt(area), c.From.HeadArea, c.To.HeadArea);
  return FormatFloat("0.0##", side * side);
}

std::optional<std::string> ConvertedSize(const TConversion& c, const TTokenView& word) {
  if (c.From.Size == c.To.Size) return std::nullopt;
  double size = 0;
  if (!ParseSize(word.Text, c.From.Size, size)) return std::nullopt;
  const double converted = ConvertSize(size, c.From.Size, c.To.Size);
  if (converted < 0) return std::nullopt;
  return FormatLength(c.To.Size, converted);
}

// The new text of a word, or nothing when the word stays as written (also when its unit does
// not change, so that a value keeps the form the designer gave it).
std::optional<std::string> ConvertedWord(const TConversion& c, const TTokenView& word) {
  switch (word.Letter) {
    case 'L': case 'O':
      if (c.From.Length == c.To.Length) return std::nullopt;
      return FormatLength(c.To.Length, ConvertLength(word.Value, c.From.Length, c.To.Length));
    case 'E':
      if (c.From.Elevation == c.To.Elevation) return std::nullopt;
      return FormatLength(c.To.Elevation, ConvertLength(word.Value, c.From.Elevation, c.To.Elevation));
    case 'V':
      if (c.From.Density == c.To.Density) return std::nullopt;
      return FormatFloat("0.0##", ConvertLength(word.Value, c.From.Density, c.To.Density));
    case 'D': case 'Q': return ConvertedFlow(c, word);
    case 'A': case 'B': case 'M':
      if (c.From.Pressure == c.To.Pressure) return std::nullopt;
      return FormatFloat("0.0##", ConvertPressure(word.Value, c.From.Pressure, c.To.Pressure));
    case 'K': {
      double k = 0;  // an equivalent-K code stays
      if (c.From.KFactor == c.To.KFactor || !ParseK(word.Text, c.From.KFactor, k)) return std::nullopt;
      return FormatFloat("0.0#", ConvertK(k, c.From.KFactor, c.To.KFactor));
    }
    case 'S': return ConvertedSize(c, word);
    case 'C': {
      // Only an absolute roughness has a unit; a C-factor stays.
      const bool roughness = c.Project.FrictionFormula >= 2 && c.Project.FLineHazen[c.Line] == 0;
      if (!roughness || c.From.Size == c.To.Size) return std::nullopt;
      return FormatFloat("0.0########", ConvertLength(word.Value, c.From.Size, c.To.Size));
    }
    default: return std::nullopt;
  }
}

// A shorter word is padded to the old width so that the columns after it stay where they were.
std::string RewriteLine(const TConversion& c, const std::string& text, const TTokenLine& words) {
  const std::vector<TLinePiece> pieces = SplitLine(text);
  std::string rebuilt;
  for (size_t index = 0; index < pieces.size(); ++index) {
    const TLinePiece& piece = pieces[index];
    const std::string_view oldPiece = std::string_view(text).substr(piece.PieceBegin, piece.PieceEnd - piece.PieceBegin);
    const TTokenView word = words[index];
    std::optional<std::string> converted;
    if (index > 0 && word.Present && !word.Comment && word.Valid) converted = ConvertedWord(c, word);
    if (!converted || converted->empty()) {
      rebuilt += oldPiece;
      continue;
    }
    const bool last = index + 1 == pieces.size();
    const size_t width = piece.PieceEnd - piece.WordBegin;
    rebuilt += *converted;
    if (converted->size() < width && !last)
      rebuilt.append(width - converted->size(), ' ');
    else if (!last)
      rebuilt += ' ';
  }
  return rebuilt;
}

}  // namespace

void ConvertText(TZubFile& project, std::vector<std::string>& lines, const TUnitSet& from, const TUnitSet& to) {
  const TEquivKSettings settings = EquivKSettingsOf(project);
  for (TEquivKFile& definition : project.EquivK) definition.ConvertText(from, to, settings);
  project.Units = from;
  project.ParseLines(lines);
  project.Units = to;
  for (int line = 0; line < static_cast<int>(lines.size()); ++line) {
    const TTokenLine words = project.FTokens[line];
    if (words.empty()) continue;
    const TConversion conversion{project, from, to, line, words[0].Command};
    lines[line] = RewriteLine(conversion, lines[line], words);
  }
}

}  // namespace pelmora
