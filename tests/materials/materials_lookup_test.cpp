#include <gtest/gtest.h>

#include <cmath>

#include "materials/materials.h"

namespace pelmora {
namespace {

constexpr int kFeet = 0;
constexpr int kInch = 2;
constexpr int kMillimetre = 3;
constexpr int kMetre = 5;

// S40 holds the general table; CU has an elbow of its own at 2 in only; PL has no fittings.
class MaterialsLookup : public ::testing::Test {
 protected:
  void SetUp() override {
    db.LoadFromLines({"2 0", "MATERIAL S40 120 100 0.0018 0.045 Schedule 40 Steel",
                      "ID US 0.5 0.622 1 1.049 2 2.067", "ID SI 15 15.8 25 26.6 50 52.5", "FIT E Standard elbow",
                      "LENGTH US 1 2 2 5", "LENGTH SI 25 0.6 50 1.5", "FIT TT Test tee", "LENGTH US 1 5 2 10",
                      "K 1 0.9 2 0.6", "MATERIAL CU 150 150 0.00006 0.0015 Copper", "ID US 1 1.025 2 1.985",
                      "FIT E Copper elbow", "LENGTH US 2 3", "LENGTH SI 50 0.9", "K 2 0.4",
                      "MATERIAL PL 150 150 0 0 Plastic", "ID US 1 1.101 2 2.003"},
                     false);
  }
  TMaterials db;
};

TEST_F(MaterialsLookup, FindsMaterialsAndFittingsWithoutRegardToCase) {
  EXPECT_EQ(db.FindMaterial("cu"), 1);
  EXPECT_EQ(db.FindMaterial("S10"), -1);
  EXPECT_TRUE(db.MaterialExists("pl"));
  EXPECT_EQ(db.FindFitting("tt", 0), 1);
  EXPECT_EQ(db.FindFitting("TT", 1), -1);
  EXPECT_EQ(db.FindFitting("E", 3), -1);
  EXPECT_EQ(db.FindFitting("E", -1), -1);
}

TEST_F(MaterialsLookup, SizesMatchTheTableExactlyInTheirOwnUnit) {
  struct Case {
    int unit;
    double size;
    int index;
  };
  for (const Case& c : {Case{kInch, 1, 2}, Case{kInch, 1.3, -1}, Case{kMillimetre, 25, 2}, Case{kMillimetre, 25.4, -1},
                        Case{kInch, 54, 29}, Case{kMillimetre, 1350, 29}, Case{kInch, 0, -1}}) {
    EXPECT_EQ(TMaterials::SizeIndex(c.unit, c.size), c.index) << c.unit << " " << c.size;
  }
}

TEST_F(MaterialsLookup, DiameterComesFromTheColumnOfTheUnitFamily) {
  EXPECT_DOUBLE_EQ(db.DiameterOf("S40", kInch, 1), 1.049);
  EXPECT_DOUBLE_EQ(db.DiameterOf("s40", kMillimetre, 25), 26.6);
  EXPECT_NEAR(db.DiameterOf("S40", kFeet, 1.0 / 12 * 2), 2.067 / 12, 1e-12);
  EXPECT_DOUBLE_EQ(db.DiameterOf("S40", kInch, 1.3), 0);
  EXPECT_DOUBLE_EQ(db.DiameterOf("S40", kMillimetre, 25.4), 0);
  EXPECT_DOUBLE_EQ(db.DiameterOf("S40", kInch, 3), 0);  // a size not made in this material
  EXPECT_DOUBLE_EQ(db.DiameterOf("XX", kInch, 1), 0);
}

TEST_F(MaterialsLookup, ValidSizeTextMayCarryItsOwnUnit) {
  EXPECT_TRUE(db.IsValidSize("S40", "1", kInch));
  EXPECT_TRUE(db.IsValidSize("S40", "25mm", kInch));
  EXPECT_FALSE(db.IsValidSize("S40", "1.3", kInch));
  EXPECT_FALSE(db.IsValidSize("S40", "3", kInch));
  EXPECT_FALSE(db.IsValidSize("S40", "one", kInch));
  EXPECT_TRUE(db.IsValidSize("S40", "50", kMillimetre));
}

TEST_F(MaterialsLookup, ListsMaterialsAndTheirSizes) {
  EXPECT_EQ(db.MaterialList(), (std::vector<std::string>{"S40 - Schedule 40 Steel", "CU - Copper", "PL - Plastic"}));
  EXPECT_EQ(db.ValidSizes(0, kInch), (std::vector<std::string>{"0.5", "1.0", "2.0"}));
  EXPECT_EQ(db.ValidSizes(1, kMillimetre), (std::vector<std::string>{"25.0", "50.0"}));
  EXPECT_TRUE(db.ValidSizes(7, kInch).empty());
}

TEST_F(MaterialsLookup, CountedGeneralFittingOnTheReferencePipeIsExact) {
  EXPECT_DOUBLE_EQ(db.FittingLoss("3TT", "S40", kFeet, kInch, 120, 1), 15);
  EXPECT_DOUBLE_EQ(db.FittingLoss("TT", "S40", kFeet, kInch, 120, 2), 10);
  EXPECT_DOUBLE_EQ(db.FittingLoss("0TT", "S40", kFeet, kInch, 120, 2), 10);
  EXPECT_DOUBLE_EQ(db.FittingLoss("2E", "S40", kMetre, kMillimetre, 120, 50), 3);
  EXPECT_DOUBLE_EQ(db.FittingLoss("2e", "S40", kInch, kInch, 120, 2), 120);
}

TEST_F(MaterialsLookup, GeneralFittingScalesWithCFactorAndDiameter) {
  const double expected = 3 * 5 * std::pow(150.0 / 120, 1.85) * std::pow(1.101 / 1.049, 4.87);
  EXPECT_NEAR(db.FittingLoss("3TT", "PL", kFeet, kInch, 150, 1), expected, 1e-12);
}

TEST_F(MaterialsLookup, ARoughnessInsteadOfACFactorUsesTheWetCFactor) {
  EXPECT_DOUBLE_EQ(db.FittingLoss("TT", "PL", kFeet, kInch, 0.004, 2),
                   db.FittingLoss("TT", "PL", kFeet, kInch, 150, 2));
  EXPECT_DOUBLE_EQ(db.FittingLoss("E", "S40", kFeet, kInch, 0.0018, 2), 5);
}

TEST_F(MaterialsLookup, MaterialFittingIsUsedOnlyWhereItHasAValue) {
  EXPECT_DOUBLE_EQ(db.FittingLoss("E", "CU", kFeet, kInch, 150, 2), 3);
  EXPECT_NEAR(db.FittingLoss("E", "CU", kFeet, kInch, 120, 2), 3 * std::pow(120.0 / 150, 1.85), 1e-12);
  EXPECT_DOUBLE_EQ(db.FittingLoss("E", "CU", kMetre, kMillimetre, 150, 50), 0.9);
  const double general = 2 * std::pow(150.0 / 120, 1.85) * std::pow(1.025 / 1.049, 4.87);
  EXPECT_NEAR(db.FittingLoss("E", "CU", kFeet, kInch, 150, 1), general, 1e-12);
  db.MaterialFittings = false;
  const double generalAt2 = 5 * std::pow(150.0 / 120, 1.85) * std::pow(1.985 / 2.067, 4.87);
  EXPECT_NEAR(db.FittingLoss("E", "CU", kFeet, kInch, 150, 2), generalAt2, 1e-12);
}

TEST_F(MaterialsLookup, FittingKComesBackNegative) {
  db.UseFittingK = true;
  EXPECT_DOUBLE_EQ(db.FittingLoss("2TT", "S40", kFeet, kInch, 120, 1), -1.8);
  EXPECT_DOUBLE_EQ(db.FittingLoss("E", "CU", kFeet, kInch, 150, 2), -0.4);
  EXPECT_NEAR(db.FittingLoss("TT", "PL", kFeet, kInch, 150, 2), -0.6 * std::pow(2.003 / 2.067, 4), 1e-12);
  EXPECT_DOUBLE_EQ(db.FittingLoss("E", "S40", kFeet, kInch, 120, 2), 5);  // no K: the length stays
}

TEST_F(MaterialsLookup, LossConvertsIntoTheLengthUnit) {
  EXPECT_NEAR(db.FittingLoss("E", "S40", kMillimetre, kMillimetre, 120, 25), 600, 1e-9);
  EXPECT_NEAR(db.FittingLoss("E", "S40", kInch, kInch, 120, 1), 24, 1e-12);
}

TEST_F(MaterialsLookup, UnknownFittingSizeOrMaterialGivesNoLoss) {
  EXPECT_DOUBLE_EQ(db.FittingLoss("Z", "S40", kFeet, kInch, 120, 1), 0);
  EXPECT_DOUBLE_EQ(db.FittingLoss("E", "S40", kFeet, kInch, 120, 1.3), 0);
  EXPECT_DOUBLE_EQ(db.FittingLoss("E", "XX", kFeet, kInch, 120, 1), 0);
  EXPECT_DOUBLE_EQ(db.FittingLoss("E", "S40", kFeet, kInch, 120, 0.5), 0);  // size without a length
  EXPECT_DOUBLE_EQ(db.FittingLoss("", "S40", kFeet, kInch, 120, 1), 0);
  EXPECT_DOUBLE_EQ(db.FittingLoss("99999999999E", "S40", kFeet, kInch, 120, 1), 2);
}

TEST_F(MaterialsLookup, AMaterialWithoutCFactorIsNotScaledToNothing) {
  db.LoadFromLines({"2 0", "MATERIAL ZERO 0 0 0.1 0.1 No C-factor", "ID US 1 1.049"}, true);
  EXPECT_DOUBLE_EQ(db.FittingLoss("E", "ZERO", kFeet, kInch, 0.1, 1), 2);
}

}  // namespace
}  // namespace pelmora
