// Reading the words of a definition by their kind letters, as the main language reads them.
#include <array>

#include "equivk/equivk_file.h"
#include "equivk/equivk_language.h"
#include "equivk/equivk_messages.h"
#include "input/units/text.h"

namespace pelmora {

namespace {

constexpr int kInchCode = 2;
constexpr double kShortPipeInches = 4;  // shorter pipes are usually a typing slip
constexpr double kDefaultCFactor = 120;
constexpr double kDefaultRoughnessIn = 0.004;

struct TParseLine {
  const TEquivKSettings& Settings;
  TEquivKCommand Command;
  std::string& Material;
  double& CFactor;
  double LastSize = 0;  // nominal size of the line, for its fittings
};

void Accept(TZubParameter& word, double value) {
  word.Valid = true;
  word.Value = value;
}

void Reject(TZubParameter& word, std::string_view pattern, std::initializer_list<std::string_view> values) {
  word.Valid = false;
  word.Message = FillText(pattern, values);
}

std::string ShortLengthWord(int code) { return LengthWord(code == 1 ? 0 : code, false); }

void ReadElevation(TParseLine& line, TZubParameter& word) {
  double value = 0;
  if (ParseElevation(word.Text, line.Settings.Units.Elevation, value)) return Accept(word, value);
  Reject(word, kEquivKBadElevation, {word.Text});
}

// A head's negative discharge is its minimum pressure; 0 is no discharge at all.
void ReadDischarge(TParseLine& line, TZubParameter& word) {
  double value = 0;
  if (ParseFlow(word.Text, line.Settings.Units.Flow, value) && value != 0) return Accept(word, value);
  Reject(word, kEquivKBadFlow, {word.Text});
}

// Only numbers: a definition built on other definitions could refer to itself in a circle.
void ReadKFactor(TParseLine& line, TZubParameter& word) {
  const TEquivKSettings& settings = line.Settings;
  double value = 0;
  if (!ParseK(word.Text, settings.Units.KFactor, value)) return Reject(word, kEquivKBadK, {word.Text});
  if (settings.FrictionFormula != 0 && settings.AdjustKForLiquid) value *= settings.KFactorMultiplier;
  Accept(word, value);
}

void ReadLength(TParseLine& line, TZubParameter& word) {
  const int unit = line.Settings.Units.Length;
  double value = 0;
  if (!ParseLength(word.Text, unit, value)) return Reject(word, kEquivKBadLength, {word.Text});
  if (value < 0) return Reject(word, kEquivKNegativeLength, {word.Text});
  Accept(word, value);
  if (ConvertLength(value, unit, kInchCode) < kShortPipeInches) {
    word.Suspect = true;
    word.Message = FillText(kEquivKShortLength, {FormatFloat("0.##", value) + " " + ShortLengthWord(unit)});
  }
}

void ReadSize(TParseLine& line, TZubParameter& word) {
  const int unit = line.Settings.Units.Size;
  line.LastSize = SizeValue(word.Text, unit);
  const double diameter = line.Settings.Database().DiameterOf(line.Material, unit, line.LastSize);
  if (diameter > 0) return Accept(word, diameter);
  Reject(word, kEquivKBadSize, {word.Text, line.Material});
}

void ReadFitting(TParseLine& line, TZubParameter& word) {
  if (SameText(word.Text, "VB") || SameText(word.Text, "VE")) return Accept(word, 0);
  const TUnitSet& units = line.Settings.Units;
  const double loss = line.Settings.Database().FittingLoss(word.Text, line.Material, units.Length, units.Size,
                                                           line.CFactor, line.LastSize);
  if (loss != 0) return Accept(word, loss);
  Reject(word, kEquivKBadFitting, {word.Text, FormatFloat("0.##", line.LastSize), line.Material});
}

void ReadMaterial(TParseLine& line, TZubParameter& word) {
  line.Material = UpperCase(word.Text);
  if (line.Settings.Database().MaterialExists(line.Material)) return Accept(word, 0);
  Reject(word, kEquivKBadMaterial, {word.Text});
}

void ReadCFactor(TParseLine& line, TZubParameter& word) {
  double value = 0;
  if (!ParseFloat(word.Text, value) || value <= 0) return Reject(word, kEquivKBadCFactor, {word.Text});
  Accept(word, value);
  line.CFactor = value;
}

using TWordReader = void (*)(TParseLine&, TZubParameter&);
struct TKindReader {
  char Letter;
  TWordReader Read;
};
constexpr std::array<TKindReader, 8> kReaders{{
    {'E', ReadElevation}, {'D', ReadDischarge}, {'K', ReadKFactor}, {'L', ReadLength},
    {'S', ReadSize},      {'F', ReadFitting},   {'T', ReadMaterial}, {'C', ReadCFactor},
}};

void ReadWord(TParseLine& line, TZubParameter& word) {
  for (const TKindReader& reader : kReaders)
    if (reader.Letter == word.Letter) return reader.Read(line, word);
}

// The kind letter of the next word: "-" is skipped and "Rn" repeats the last n kinds; 0 past the end.
char NextKind(std::string_view kinds, size_t& position) {
  if (position < kinds.size() && kinds[position] == '-') ++position;
  if (position < kinds.size() && kinds[position] == 'R' && position + 1 < kinds.size())
    position -= static_cast<size_t>(kinds[position + 1] - '0');
  return position < kinds.size() ? kinds[position++] : 0;
}

TZubParameterList SplitIntoWords(const std::string& text, int lineIndex) {
  TZubParameterList words;
  for (const TWordPiece& piece : SplitWords(text)) {
    TZubParameter word;
    word.Text = text.substr(piece.WordBegin, piece.WordEnd - piece.WordBegin);
    word.Column = static_cast<int32_t>(piece.PieceBegin);
    word.Line = lineIndex;
    word.Present = true;
    words.push_back(std::move(word));
  }
  return words;
}

void ReadParameters(TParseLine& line, TZubParameterList& words) {
  const TEquivKCommandRow* row = FindEquivKCommand(line.Command);
  if (row == nullptr) return;
  size_t position = 0;
  bool comment = line.Command == ecComment;
  for (size_t k = 1; k < words.size(); ++k) {
    TZubParameter& word = words[k];
    comment = comment || word.Text.starts_with("//");
    if (comment) {
      word.Comment = word.Valid = true;
      continue;
    }
    word.Letter = NextKind(row->Kinds, position);
    ReadWord(line, word);
  }
}

// Comment and empty lines leave a Head line directly after its Pipe line.
bool CountsAsPreviousCommand(const TZubParameterList& words) {
  return !words.empty() && words[0].Command != ecComment;
}

}  // namespace

void TEquivKFile::ParseLines(const TEquivKSettings& settings) {
  FTokens.assign(Lines.size(), {});
  FLineMaterial.assign(Lines.size(), "S40");
  const double startC = settings.Darcy() ? ConvertLength(kDefaultRoughnessIn, kInchCode, settings.Units.Size)
                                         : kDefaultCFactor;
  FLineCFactor.assign(Lines.size(), startC);
  int previousCommand = ecNone;
  for (size_t i = 0; i < Lines.size(); ++i) {
    if (i > 0) {
      FLineMaterial[i] = FLineMaterial[i - 1];
      FLineCFactor[i] = FLineCFactor[i - 1];
    }
    TZubParameterList& words = FTokens[i] = SplitIntoWords(Lines[i], static_cast<int>(i));
    if (words.empty()) continue;
    const TEquivKCommand command = LookupEquivKCommand(words[0].Text);
    words[0].Command = command;
    words[0].Valid = command != ecNone;
    words[0].Comment = command == ecComment;
    TParseLine line{settings, command, FLineMaterial[i], FLineCFactor[i]};
    ReadParameters(line, words);
    if (command == ecHead && previousCommand != ecPipe && words.size() > 1 && !words[1].Comment) {
      words[1].Valid = false;
      words[1].Message = std::string(kEquivKHeadPlace);
    }
    if (CountsAsPreviousCommand(words)) previousCommand = command;
  }
}

bool TEquivKFile::HasInvalidParameter() const {
  for (const TZubParameterList& words : FTokens)
    for (size_t k = 1; k < words.size(); ++k)
      if (!words[k].Valid && words[k].Letter != 0) return true;
  return false;
}

}  // namespace pelmora
