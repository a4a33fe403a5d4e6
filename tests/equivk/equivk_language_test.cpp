// The equivalent-K language: command words, word kinds, per-line settings and the parse messages.
#include <gtest/gtest.h>

#include "equivk/equivk_file.h"
#include "equivk/equivk_language.h"

namespace pelmora {
namespace {

TEquivKSettings USSettings() {
  TEquivKSettings settings;
  settings.Units = TUnitSet{0, 2, 0, 0, 0, 0, 5, 3};
  return settings;
}

TEquivKFile Parsed(std::vector<std::string> lines, const TEquivKSettings& settings = USSettings()) {
  TEquivKFile definition;
  definition.SetLines(std::move(lines));
  definition.ParseLines(settings);
  return definition;
}

TEST(EquivKCommandTest, KeywordsShortFormsAndComments) {
  const std::vector<std::pair<std::string, TEquivKCommand>> cases{
      {"HEAD", ecHead}, {"head", ecHead}, {"H", ecHead},     {"Pipe", ecPipe}, {"p", ecPipe},
      {"USE", ecUse},   {"U", ecNone},    {"Pi", ecNone},    {"//", ecComment}, {"//note", ecComment},
      {"Water", ecNone}};
  for (const auto& [word, command] : cases) EXPECT_EQ(LookupEquivKCommand(word), command) << word;
}

TEST(EquivKParseTest, WordsGetTheirKindsAndTheLineSettingsCarryOn) {
  const TEquivKFile definition =
      Parsed({"// arm-over", "  p 2 1 2E T // side outlet", "Use s10 100", "", "P 1 1 E", "H 0 20 5.6"});
  const TZubParameterList& pipe = definition.FTokens[1];
  ASSERT_EQ(pipe.size(), 8u);
  EXPECT_EQ(pipe[0].Command, ecPipe);
  EXPECT_EQ(pipe[0].Column, 0);
  EXPECT_EQ(pipe[1].Column, 4);
  std::string letters;
  for (size_t k = 1; k < 5; ++k) letters += pipe[k].Letter;
  EXPECT_EQ(letters, "LSFF");
  for (size_t k = 1; k < pipe.size(); ++k) EXPECT_TRUE(pipe[k].Valid) << pipe[k].Text;
  EXPECT_TRUE(pipe[5].Comment && pipe[6].Comment && pipe[7].Comment);
  EXPECT_NEAR(pipe[2].Value, 1.049, 1e-9);  // a size word holds the inside diameter
  EXPECT_EQ(definition.FLineMaterial, (std::vector<std::string>{"S40", "S40", "S10", "S10", "S10", "S10"}));
  EXPECT_EQ(definition.FLineCFactor, (std::vector<double>{120, 120, 100, 100, 100, 100}));
  EXPECT_TRUE(definition.FTokens[0][0].Comment);
  EXPECT_TRUE(definition.FTokens[3].empty());
  EXPECT_EQ(definition.FTokens[5][3].Letter, 'K');
  EXPECT_FALSE(definition.HasInvalidParameter());
}

TEST(EquivKParseTest, DarcyProjectsStartWithTheSteelRoughness) {
  TEquivKSettings settings = USSettings();
  settings.FrictionFormula = 2;
  settings.Units.Size = 3;  // mm
  const TEquivKFile definition = Parsed({"Pipe 1 25"}, settings);
  EXPECT_NEAR(definition.FLineCFactor[0], 0.1016, 1e-12);
}

struct TWordCase {
  std::vector<std::string> Lines;
  int Line, Word;
  std::string Message;
};

TEST(EquivKParseTest, InvalidWordsCarryTheirMessages) {
  const std::vector<TWordCase> cases{
      {{"Head 0 20 5.6"}, 0, 1, "A \"Head\" command may only follow a \"Pipe\" command."},
      {{"Pipe 1 1", "Use S40 120", "Head 0 20 5.6"}, 2, 1, "A \"Head\" command may only follow a \"Pipe\" command."},
      {{"Pipe 1 1", "Head 0 20 5.6", "Head 0 20 5.6"}, 2, 1, "A \"Head\" command may only follow a \"Pipe\" command."},
      {{"Pipe 1 1 X"}, 0, 3, "\"X\" is not a valid fitting for size 1 pipe of \"S40\" material"},
      {{"Pipe 1 7"}, 0, 2, "\"7\" is not a valid nominal pipe size for pipe material \"S40\""},
      {{"Pipe -2 1"}, 0, 1, "Length \"-2\" is not greater than or equal to zero"},
      {{"Pipe ten 1"}, 0, 1, "\"ten\" is not a valid pipe length"},
      {{"Pipe 1 1", "Head up 20 5.6"}, 1, 1, "\"up\" is not a valid elevation"},
      {{"Pipe 1 1", "Head 0 0 5.6"}, 1, 2, "\"0\" is not a valid discharge (flow) value"},
      {{"Pipe 1 1", "Head 0 20 ARM1"}, 1, 3, "\"ARM1\" is not a valid K-factor value"},
      {{"Use XYZ 120"}, 0, 1, "\"XYZ\" is not a valid pipe material code"},
      {{"Use S40 0"}, 0, 2, "\"0\" is not a valid C-factor (or absolute roughness) value"},
  };
  for (const TWordCase& c : cases) {
    const TEquivKFile definition = Parsed(c.Lines);
    const TZubParameter& word = definition.FTokens[c.Line][c.Word];
    EXPECT_FALSE(word.Valid) << c.Lines.back();
    EXPECT_EQ(word.Message, c.Message);
    EXPECT_TRUE(definition.HasInvalidParameter());
  }
}

TEST(EquivKParseTest, ACommentLineBetweenPipeAndHeadKeepsTheHeadInPlace) {
  const TEquivKFile definition = Parsed({"Pipe 1 1", "// the sprig", "", "Head 0 20 5.6"});
  EXPECT_TRUE(definition.FTokens[3][1].Valid);
}

TEST(EquivKParseTest, AShortPipeIsQuestionedButAccepted) {
  const TEquivKFile definition = Parsed({"Pipe 0.25 1"});
  const TZubParameter& length = definition.FTokens[0][1];
  EXPECT_TRUE(length.Valid);
  EXPECT_TRUE(length.Suspect);
  EXPECT_EQ(length.Message, "Is 0.25 ft the correct pipe length?");
}

TEST(EquivKSplitTest, PiecesGiveTheLineBack) {
  const std::string line = "  Pipe  10\t1 E  ";
  std::string joined;
  for (const TWordPiece& piece : SplitWords(line)) joined += line.substr(piece.PieceBegin, piece.PieceEnd - piece.PieceBegin);
  EXPECT_EQ(joined, line);
  EXPECT_EQ(SplitWords(line).size(), 4u);
  EXPECT_TRUE(SplitWords("   ").empty());
}

}  // namespace
}  // namespace pelmora
