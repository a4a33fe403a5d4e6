#include <gtest/gtest.h>

#include "materials/materials.h"
#include "materials/pit_words.h"

namespace pelmora {
namespace {

// Two materials, the first one carrying the general fitting table.
const std::vector<std::string> kSmallDatabase{
    "2 0",
    "LIQUID 62.34 998.8 1.1 1 Water 60F (15.6C)",
    "MATERIAL S40 120 100 0.0018 0.045 Schedule 40 Steel",
    "ID US 1 1.049 2 2.067",
    "ID SI 50 52.5",
    "FIT E  Standard 90 degree elbow",
    "LENGTH US 1 2 2 5",
    "LENGTH SI 25 0.6 50 1.5",
    "K",
    "FIT TT Test tee",
    "LENGTH US 1 5 2 10",
    "K 1 0.9",
    "MATERIAL CU 150 150 0.00006 0.0015 Copper tube",
    "ID US 1 1.025 2 1.985",
    "FIT E Copper elbow",
    "LENGTH US 2 3",
};

TMaterials Loaded(const std::vector<std::string>& lines) {
  TMaterials db;
  db.LoadFromLines(lines, false);
  return db;
}

void ExpectNear(const TSizeValues& actual, const TSizeValues& expected) {
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-12 * expected[i]) << i;
}

TEST(MaterialsFormat, ReadsLiquidsMaterialsAndFittingsInFileOrder) {
  const TMaterials db = Loaded(kSmallDatabase);
  ASSERT_EQ(db.Liquids.size(), 1u);
  EXPECT_EQ(db.Liquids[0].Name, "Water 60F (15.6C)");
  EXPECT_DOUBLE_EQ(db.Liquids[0].DensitySI, 998.8);
  ASSERT_EQ(db.Materials.size(), 2u);
  const TMaterialObject& steel = db.Materials[0];
  EXPECT_EQ(steel.Code, "S40");
  EXPECT_EQ(steel.Description, "Schedule 40 Steel");
  EXPECT_EQ(steel.CWet, 120);
  EXPECT_EQ(steel.CDry, 100);
  EXPECT_DOUBLE_EQ(steel.RoughnessMm, 0.045);
  ASSERT_EQ(steel.Fittings.size(), 2u);
  EXPECT_EQ(steel.Fittings[0].Description, "Standard 90 degree elbow");
  EXPECT_DOUBLE_EQ(steel.Fittings[1].K[2], 0.9);
  EXPECT_EQ(db.Materials[1].Fittings.size(), 1u);
}

TEST(MaterialsFormat, OneColumnFillsTheOtherByConversion) {
  const TMaterials db = Loaded({"2 0", "MATERIAL S40 120 100 0.004 0.1 Steel", "ID US 1 1.049", "FIT E Elbow",
                                "LENGTH SI 25 0.6"});
  const TMaterialObject& steel = db.Materials[0];
  EXPECT_DOUBLE_EQ(steel.IdUS[2], 1.049);
  EXPECT_NEAR(steel.IdSI[2], 26.6446, 1e-9);
  EXPECT_DOUBLE_EQ(steel.Fittings[0].LengthSI[2], 0.6);
  EXPECT_NEAR(steel.Fittings[0].LengthUS[2], 0.6 * 3.2808399, 1e-12);
}

TEST(MaterialsFormat, AGivenColumnIsNotOverwrittenByTheConversion) {
  const TMaterials db = Loaded(kSmallDatabase);
  EXPECT_DOUBLE_EQ(db.Materials[0].IdSI[5], 52.5);  // the ID SI line wins over 2.067 x 25.4
  EXPECT_DOUBLE_EQ(db.Materials[0].IdUS[5], 2.067);
}

TEST(MaterialsFormat, BadWordsSpoilOnlyTheirOwnValue) {
  const TMaterials db = Loaded({"2 0", "LIQUID 62.4 x 1 1 Broken water", "LIQUID 62.4 999 1,1 1 Comma water",
                                "LIQUID 62.4 999 1 1 Good water", "MATERIAL ST 120 100 0.0018 rough Steel",
                                "ID US 1 1.049 1.3 1.2 2 wide 3 3.068 4", "FIT E Elbow", "LENGTH US 1 2 2 ?"});
  ASSERT_EQ(db.Liquids.size(), 3u);
  EXPECT_EQ(db.Liquids[0].Name, "Liquid #0 loading error");
  EXPECT_EQ(db.Liquids[1].Name, "Liquid #1 loading error");
  EXPECT_DOUBLE_EQ(db.Liquids[1].KMultiplier, 1);
  EXPECT_DOUBLE_EQ(db.Liquids[1].DensityUS, 0);
  EXPECT_EQ(db.Liquids[2].Name, "Good water");
  ASSERT_EQ(db.Materials.size(), 1u);
  const TMaterialObject& steel = db.Materials[0];
  EXPECT_EQ(steel.CWet, 120);
  EXPECT_DOUBLE_EQ(steel.RoughnessIn, 0);
  EXPECT_DOUBLE_EQ(steel.RoughnessMm, 0);
  EXPECT_DOUBLE_EQ(steel.IdUS[2], 1.049);
  EXPECT_DOUBLE_EQ(steel.IdUS[5], 0);      // 2 in with an unreadable diameter
  EXPECT_DOUBLE_EQ(steel.IdUS[7], 3.068);  // the line goes on after it; the odd last word is dropped
  EXPECT_DOUBLE_EQ(steel.Fittings[0].LengthUS[2], 2);
  EXPECT_DOUBLE_EQ(steel.Fittings[0].LengthUS[5], 0);
}

TEST(MaterialsFormat, LinesOutsideAMaterialOrTooShortAreIgnored) {
  const TMaterials db = Loaded({"MATERIAL HEADER 1 1 1 1 is never read", "FIT E Elbow before any material",
                                "LENGTH US 1 2", "MATERIAL SHORT 120 100 0.1 0.1", "LIQUID 1 2 3 4",
                                "material s40 120 100 0.0018 0.045 lower case keyword", "fit e", "length us 1 2",
                                "ID US 1"});
  ASSERT_EQ(db.Materials.size(), 1u);
  EXPECT_EQ(db.Materials[0].Code, "s40");
  EXPECT_TRUE(db.Liquids.empty());
  ASSERT_EQ(db.Materials[0].Fittings.size(), 1u);
  EXPECT_EQ(db.Materials[0].Fittings[0].Description, "");
  EXPECT_DOUBLE_EQ(db.Materials[0].Fittings[0].LengthUS[2], 2);
  EXPECT_DOUBLE_EQ(db.Materials[0].IdUS[2], 0);
}

TEST(MaterialsFormat, MergeAddsOnlyWhatIsNew) {
  TMaterials db = Loaded(kSmallDatabase);
  db.LoadFromLines({"2 0", "LIQUID 62.42 999.9 1.5 1 Water 40F (4.4C)", "FIT X Before the first material",
                    "MATERIAL S40 100 100 1 1 Old steel", "ID US 1 9", "FIT E Old elbow",
                    "MATERIAL NEW 140 140 0.01 0.3 New pipe", "ID US 2 2.5"},
                   true);
  EXPECT_EQ(db.Liquids.size(), 2u);
  ASSERT_EQ(db.Materials.size(), 3u);
  EXPECT_DOUBLE_EQ(db.Materials[0].IdUS[2], 1.049);
  EXPECT_EQ(db.Materials[0].Fittings.size(), 2u);
  EXPECT_EQ(db.Materials[1].Fittings.size(), 1u);  // nothing of the merged text lands on copper
  EXPECT_EQ(db.Materials[2].Code, "NEW");
  EXPECT_DOUBLE_EQ(db.Materials[2].IdUS[5], 2.5);
}

TEST(MaterialsFormat, MergingKnownMaterialsAddsOnlyTheLiquids) {
  TMaterials db = Loaded(kSmallDatabase);
  db.LoadFromLines(kSmallDatabase, true);
  EXPECT_EQ(db.Liquids.size(), 2u);
  EXPECT_EQ(db.Materials.size(), 2u);
  EXPECT_EQ(db.Materials[0].Fittings.size(), 2u);
}

TEST(MaterialsFormat, AOneLineTextChangesNothing) {
  TMaterials db = Loaded(kSmallDatabase);
  db.LoadFromLines({"2 0"}, false);
  EXPECT_EQ(db.Materials.size(), 2u);
}

TEST(MaterialsFormat, SavedLinesReadBackToTheSameData) {
  const TMaterials db = Loaded(kSmallDatabase);
  const std::vector<std::string> saved = db.SaveToLines();
  EXPECT_EQ(saved[0], "2 0");
  EXPECT_EQ(saved[1], "LIQUID 62.34 998.8 1.1 1 Water 60F (15.6C)");
  EXPECT_EQ(saved[2], "MATERIAL S40 120 100 0.0018 0.045 Schedule 40 Steel");
  EXPECT_EQ(saved[3], "ID US 1 1.049 2 2.067");
  EXPECT_EQ(saved[4], "ID SI 25 26.6446 50 52.5");
  EXPECT_EQ(saved[5], "FIT E Standard 90 degree elbow");
  EXPECT_EQ(saved[8], "K");

  // Values filled by conversion carry more than the 15 written digits; the text itself is stable.
  const TMaterials again = Loaded(saved);
  EXPECT_EQ(again.SaveToLines(), saved);
  ASSERT_EQ(again.Materials.size(), db.Materials.size());
  for (size_t m = 0; m < db.Materials.size(); ++m) {
    ExpectNear(again.Materials[m].IdUS, db.Materials[m].IdUS);
    ExpectNear(again.Materials[m].IdSI, db.Materials[m].IdSI);
    for (size_t f = 0; f < db.Materials[m].Fittings.size(); ++f) {
      ExpectNear(again.Materials[m].Fittings[f].LengthUS, db.Materials[m].Fittings[f].LengthUS);
      ExpectNear(again.Materials[m].Fittings[f].LengthSI, db.Materials[m].Fittings[f].LengthSI);
      ExpectNear(again.Materials[m].Fittings[f].K, db.Materials[m].Fittings[f].K);
    }
  }
}

TEST(MaterialsFormat, AnEmptyDatabaseSavesTheBuiltInText) {
  const TMaterials empty;
  EXPECT_EQ(empty.SaveToLines(), SplitPitLines(TMaterials::BuiltInText()));
}

TEST(MaterialsFormat, SplitsLinesAtEveryKindOfLineEnd) {
  EXPECT_EQ(SplitPitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitPitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(SplitPitLines("").empty());
}

}  // namespace
}  // namespace pelmora
